#include <gtest/gtest.h>

#include <random>
#include <set>

#include "link/EcuFrame.h"
#include "support/CommandSetRig.h"

namespace corsel {
namespace {

using testing::CommandSetRig;

std::set<int> valuesOf(const std::vector<FaultCode>& codes) {
    std::set<int> values{0};
    for (const FaultCode& code : codes) {
        values.insert(code.value());
    }
    return values;
}

// Drives the command set as the session loop does, with a module and an ECM
// that misbehave at random, and checks after every tick that the records hold
// only what the ECM really sent.
class RandomizedRun {
public:
    explicit RandomizedRun(std::uint32_t seed) : random_(seed) {
        originalCurrent_ = valuesOf(rig.ecm->currentCodes());
        originalPast_ = valuesOf(rig.ecm->pastCodes());
        originalCount_ = rig.ecm->currentCodes().size() + rig.ecm->pastCodes().size();
    }

    void run(int ticks) {
        for (int tick = 0; tick < ticks; ++tick) {
            misbehave(tick, ticks);
            this->tick(true);
            checkConsistency(tick);
            if (::testing::Test::HasFatalFailure()) {
                return;
            }
        }
    }

    // With every fault gone, the lists settle on exactly the ECM's codes.
    void settle() {
        rig.module().clearFaults();
        rig.ecm->bringBack();
        passes_ = 0;
        for (int tick = 0; tick < 400 && !settled(); ++tick) {
            this->tick(false);
        }
        ASSERT_TRUE(rig.records.sessionActive);
        const FaultLists& lists = rig.records.faultLists;
        const auto current = rig.ecm->currentCodes();
        const auto past = rig.ecm->pastCodes();
        // A pass has just ended, after one that ended the same way.
        ASSERT_EQ(lists.collectingCount, current.size() + past.size());
        ASSERT_EQ(lists.CurrentDtcCount, lists.collectingCount);
        std::multiset<int> shown;
        std::multiset<int> expected;
        for (std::size_t i = 0; i < lists.collectingCount; ++i) {
            shown.insert(lists.current[i] != 0 ? lists.current[i] : -lists.past[i]);
        }
        for (const FaultCode& code : current) {
            expected.insert(code.value());
        }
        for (const FaultCode& code : past) {
            expected.insert(-code.value());
        }
        EXPECT_EQ(shown, expected);
    }

    CommandSetRig rig{"faults"};

private:
    std::uint32_t below(std::uint32_t n) { return random_() % n; }

    void misbehave(int tick, int ticks) {
        SimulatedModule& module = rig.module();
        if (tick == ticks / 3) {
            module.injectFault(ModuleFault::AnswerLate);
        }
        if (tick == 2 * ticks / 3) {
            module.injectFault(ModuleFault::Unplug);
        }
        switch (below(100)) {
            case 0:
            case 1:
            case 2:
                rig.ecm->corruptChecksum(1 + static_cast<int>(below(3)));
                break;
            case 3:
            case 4:
                module.injectFault(ModuleFault::Echo, 1 + static_cast<int>(below(4)));
                break;
            case 5:
            case 6:
                module.injectFault(ModuleFault::AnswerTwice);
                break;
            case 7:
                module.injectFault(ModuleFault::Garbage);
                break;
            case 8:
                rig.ecm->replyNoData(below(2) == 0 ? "GetRH" : "GetAH", 1);
                break;
            case 9:
                if (below(3) == 0) {
                    rig.ecm->takeAway();
                    awayTicks_ = 1 + static_cast<int>(below(3));
                }
                break;
            case 10: {
                // Codes come and go; only codes that the ECM ever had may appear.
                auto current = rig.ecm->currentCodes();
                if (!current.empty()) {
                    current.pop_back();
                }
                rig.ecm->setCurrentCodes(current);
                break;
            }
            default:
                break;
        }
        if (awayTicks_ > 0 && --awayTicks_ == 0) {
            rig.ecm->bringBack();
        }
    }

    // One tick of the session loop, as far as the command set goes; now and
    // then the user clears the codes.
    void tick(bool mayClear) {
        rig.betweenTicks();
        EcuExchange& exchange = *rig.exchange;
        if (!rig.channel.linkOpen) {
            if (!rig.bus.isPlugged(rig.slot)) {
                rig.bus.replug(rig.slot);
            }
            if (!rig.connect() || !exchange.ReadModuleIdentity()) {
                return;
            }
        }
        if (!rig.records.sessionActive) {
            while (rig.channel.linkOpen && !rig.records.identity.powerStable) {
                rig.betweenTicks();
                exchange.PollPower();
            }
            rig.betweenTicks();
            exchange.StartEcuSession();
            return;
        }
        if (mayClear && below(200) == 0) {
            exchange.ClearFaultCodes();
        } else {
            rig.cycle->step(below(4) == 0 ? PollCycle::kThirdTab : 0);
        }
        if (isDisconnectNotice(rig.channel.receiveReport)) {
            exchange.ResetSession();
        }
    }

    // Three whole passes in a row since the faults stopped.
    bool settled() {
        const std::uint16_t page = rig.records.faultPage;
        if (!rig.records.sessionActive) {
            passes_ = 0;
        } else if (previousPage_ == kFaultPageCount && page == 1) {
            ++passes_;
        }
        previousPage_ = page;
        return passes_ >= 3;
    }

    void checkConsistency(int tick) {
        const SessionRecords& records = rig.records;
        const FaultLists& lists = records.faultLists;
        // Codes only go during the run, so a pass that counts more than the
        // ECM ever had has filed a page twice.
        ASSERT_LE(lists.collectingCount, originalCount_) << tick;
        ASSERT_LE(lists.CurrentDtcCount, originalCount_) << tick;
        ASSERT_GE(records.faultPage, 1) << tick;
        ASSERT_LE(records.faultPage, kFaultPageCount) << tick;
        for (std::size_t i = 0; i < FaultLists::kCapacity; ++i) {
            ASSERT_TRUE(originalCurrent_.count(lists.current[i]) != 0)
                << "tick " << tick << ": current[" << i << "] = " << lists.current[i];
            ASSERT_TRUE(originalPast_.count(lists.past[i]) != 0)
                << "tick " << tick << ": past[" << i << "] = " << lists.past[i];
        }
        // Every block holds a sound frame of one of its own tables.
        for (int b = 0; b < static_cast<int>(TableStore::kBlockCount); ++b) {
            const auto block = static_cast<TableBlock>(b);
            if (!records.tableStore.present(block)) {
                continue;
            }
            ModuleReport frame{};
            for (std::size_t i = 0; i < TableStore::kEntries; ++i) {
                frame[1 + i] = static_cast<std::uint8_t>(records.tableStore[block][i]);
            }
            ASSERT_TRUE(VerifyChecksum(frame)) << "tick " << tick << ", block " << b;
            ASSERT_EQ(TableStore::blockFor(frame[kTableByte]), block) << tick;
        }
        if (!rig.channel.linkOpen) {
            ASSERT_FALSE(records.sessionActive) << tick;
        }
    }

    std::mt19937 random_;
    std::set<int> originalCurrent_;
    std::set<int> originalPast_;
    std::size_t originalCount_ = 0;
    int awayTicks_ = 0;
    int passes_ = 0;
    std::uint16_t previousPage_ = 1;
};

class CommandSetUnderFaults : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(CommandSetUnderFaults, RandomizedRunEndsConsistent) {
    RandomizedRun run(GetParam());
    run.run(1000);
    if (HasFatalFailure()) {
        return;
    }
    run.settle();
    EXPECT_GT(run.rig.module().receivedCommands().size(), 1200u);
}

INSTANTIATE_TEST_SUITE_P(Seeds, CommandSetUnderFaults, ::testing::Values(11u, 23u, 33u));

}  // namespace
}  // namespace corsel
