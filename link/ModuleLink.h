#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "link/HidBackend.h"
#include "link/ModuleReport.h"
#include "platform/Prompter.h"

namespace corsel {

// Finds the interface module among the HID interfaces, opens it and closes it
// again; owns the handles that the transport reads and writes through.
//
// The search, the open and the close run on the user-interface thread; the
// watchdog may close the link from its own thread. One lock serialises them
// with every read and write on the device, so that no two threads are ever
// inside the HID library on the device at once and a handle is never closed
// under a reader.
class ModuleLink {
public:
    static constexpr std::uint16_t kNoRememberedIndex = 99;
    static constexpr std::uint16_t kInterfaceIndexLimit = 50;

    ModuleLink(HidBackend& backend, Prompter& prompter);
    ~ModuleLink();
    ModuleLink(const ModuleLink&) = delete;
    ModuleLink& operator=(const ModuleLink&) = delete;

    bool OpenModule(std::uint16_t vendorId, std::uint16_t productId);
    void CloseModule();
    bool LoadHidLibrary();
    bool LoadSetupLibrary();

    bool reloadLibraries() const;
    std::uint16_t rememberedIndex() const;
    bool singleHandleMode() const;
    // Chosen by the caller immediately before each OpenModule.
    void setSingleHandleMode(bool single);
    bool isOpen() const;

    // Device I/O for the transport. The report goes out on the write handle
    // (the query handle in single-handle mode); reads come from the read handle
    // (the query handle in single-handle mode). With no handle open a write
    // fails and a read gives ReadOutcome::Failed.
    bool writeReport(const ModuleReport& report);
    ReadOutcome readReport(ModuleReport& report, std::chrono::milliseconds timeout);
    // The firmware update writes every report on the query handle.
    bool writeOnQueryHandle(const ModuleReport& report);

private:
    using LibraryLoader = std::optional<LibraryLoadFailure> (HidBackend::*)();
    bool loadAndReport(LibraryLoader load, bool& loaded);
    std::optional<std::string> loadLocked(LibraryLoader load, bool& loaded);
    bool openLocked(std::uint16_t vendorId, std::uint16_t productId,
                    std::optional<std::string>& message);
    bool probeIndex(const std::vector<std::string>& interfaces, std::uint16_t index,
                    std::uint16_t vendorId, std::uint16_t productId);
    void closeHandlesLocked();
    void closeLocked();
    // Shows a library's load failure, once per message: the session loop
    // retries the open on every tick without a link, and a message coming back
    // every few milliseconds would leave the window unusable.
    void show(const std::string& message);

    HidBackend& backend_;
    Prompter& prompter_;

    std::set<std::string> shownMessages_;  // user-interface thread only
    mutable std::mutex mutex_;
    bool reloadLibraries_ = true;
    bool hidLibraryLoaded_ = false;
    bool setupLibraryLoaded_ = false;
    std::uint16_t rememberedIndex_ = kNoRememberedIndex;
    bool singleHandleMode_ = false;
    std::unique_ptr<HidHandle> queryHandle_;
    std::unique_ptr<HidHandle> writeHandle_;
    std::unique_ptr<HidHandle> readHandle_;
};

}  // namespace corsel
