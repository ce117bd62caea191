#include "link/PollCycle.h"

#include <array>
#include <string_view>

namespace corsel {
namespace {

constexpr std::array<std::string_view, 5> kTableCommands{"GetFI1", "GetFI2", "GetFID0", "GetFID1",
                                                         "GetFID3"};
constexpr int kFaultPageStep = 6;

// The freeze frame's requests, made on the third tab after the given step.
std::string_view freezeFrameRequest(int step) {
    switch (step) {
        case 1:
            return "GetTH";
        case 3:
            return "GetFIE1";
        case 4:
            return "GetFIE2";
        default:
            return {};
    }
}

}  // namespace

PollCycle::PollCycle(EcuExchange& exchange, SessionRecords& records, const LinkChannel& channel)
    : exchange_(exchange), records_(records), channel_(channel) {}

bool PollCycle::step(int currentTab) {
    std::uint16_t& step = records_.PollStep;
    if (step < records_.pollFailures.size() && records_.pollFailures[step] > kFailuresBeforeSkip) {
        ++step;
    }
    if (step >= 1 && step < kFaultPageStep) {
        if (!exchange_.PollTable(kTableCommands[step - 1u])) {
            return false;
        }
    } else if (step == kFaultPageStep) {
        // A failed page does not end the tick; with the link down, whatever
        // follows fails at once.
        exchange_.ReadFaultPage();
    }
    step = step >= kStepCount ? 1 : static_cast<std::uint16_t>(step + 1);

    if (currentTab == kThirdTab) {
        const std::string_view extra = freezeFrameRequest(step);
        if (!extra.empty() && !exchange_.PollTable(extra)) {
            return false;
        }
    }
    records_.RecordStamp = timeStampOf(channel_.receiveReport);
    return true;
}

}  // namespace corsel
