#pragma once

#include "link/EcuExchange.h"
#include "link/SessionRecords.h"

namespace corsel {

// The requests of a running ECU session, one per tick of the session loop:
// the five tables, then one fault page, so a cycle takes six ticks. A step
// whose frames failed their checksum more than three times in a row is
// skipped. On the third tab the freeze frame is asked for as well.
class PollCycle {
public:
    static constexpr int kStepCount = 6;
    static constexpr int kFailuresBeforeSkip = 3;
    static constexpr int kThirdTab = 2;

    PollCycle(EcuExchange& exchange, SessionRecords& records, const LinkChannel& channel);

    // One tick's requests. False when a table request failed: the tick ends.
    bool step(int currentTab);

private:
    EcuExchange& exchange_;
    SessionRecords& records_;
    const LinkChannel& channel_;
};

}  // namespace corsel
