#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "link/ModuleReport.h"

namespace corsel {

// Work of the main window that other parts of the program do: recordings,
// playback, the online update, the module's firmware and the other windows.
// A hook left empty does nothing (and a question hook answers false).
struct MainWindowHooks {
    // Recordings. recordSample appends the frame just received.
    std::function<void(ModuleReport& frame)> recordSample;
    std::function<void(const std::string& path)> openRecording;
    std::function<bool()> tempRecordingOpen;
    // Closes the temporary recording so that the next session starts a new one.
    std::function<void()> closeTempRecording;
    std::function<bool()> unsavedRecording;
    std::function<std::uint32_t()> recordCount;
    std::function<void()> playbackStep;

    // The software update.
    std::function<void()> updateCheck;
    std::function<bool()> updateWaiting;

    // The module's firmware: the offer when it runs another version, and the
    // update when its boot loader is found.
    std::function<void()> offerFirmware;
    std::function<void()> runFirmwareUpdate;

    // Windows (modal).
    std::function<void(int topic)> showHelp;
    std::function<void()> showModels;
    std::function<void()> runSettingsDialog;
    std::function<void()> showGraph;
    std::function<void()> print;
};

}  // namespace corsel
