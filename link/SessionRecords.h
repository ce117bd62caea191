#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "link/FaultLists.h"
#include "link/TableStore.h"

namespace corsel {

// What the program knows of the module and the ECM it talks to.
struct ModuleIdentity {
    std::string HardwareId;      // 5 characters of the "ID" reply
    std::string HardwareSerial;  // 6 characters of the "SN" reply
    std::string ecmPartNumber;   // "01 02 E5 4A 10 ": five bytes, two digits and a space each
    std::string EcmId;           // "0102E5": the first three of them
    bool MarineMode = false;
    bool powerStable = false;
    std::uint16_t powerOkCount = 0;  // "Power OK" replies in a row
};

// The records of the link and the ECU session, shared by the exchanges, the
// session loop, the pages and playback. They belong to the user-interface
// thread.
struct SessionRecords {
    static constexpr std::size_t kPollStepCount = 10;
    // Values of CurrentPage besides the engine-data page (0).
    static constexpr std::uint16_t kFaultListPage = 1;
    static constexpr std::uint16_t kNoFaultPage = 2;
    static constexpr std::uint16_t kFreezeFramePage = 3;
    static constexpr std::uint16_t kRepaintPending = 10;

    TableStore tableStore;
    FaultLists faultLists;
    std::uint16_t faultPage = 1;  // the next fault page to read, 1 to 11
    // Frames of each poll step that failed their checksum in a row.
    std::array<std::uint16_t, kPollStepCount> pollFailures{};
    std::string statusFaultText;  // the fault behind the freeze frame
    ModuleIdentity identity;

    bool sessionActive = false;
    bool identifyNeeded = false;
    bool firmwareOfferPending = true;  // the offer is made once per run at most
    bool PlaybackMode = false;
    std::uint16_t PollStep = 0;
    std::uint16_t CurrentPage = 0;  // page of the tab control; 10: a repaint is due
    std::uint32_t RecordStamp = 0;
};

}  // namespace corsel
