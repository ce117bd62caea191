#pragma once

#include <cstdint>
#include <string>

namespace corsel {

// The flags and counters of the session loop and the main window that the
// link's records do not hold.
struct SessionFlags {
    bool secondInstance = false;
    bool bootLoaderServed = false;
    bool updateCheckPending = true;
    bool closing = false;
    std::uint16_t repaintTicks = 0;
    std::uint16_t currentTab = 0;
    std::uint16_t openAttemptTicks = 0;
    std::uint16_t commandLineTicks = 1;  // 0 once the command line's file was handled
    std::uint16_t faultPageMode = 0;     // 2 with fault codes, 1 without, 0 after a reset
    std::string commandLineFile;         // a recording to open at start
    std::uint16_t shownRecordedPage = 100;
};

}  // namespace corsel
