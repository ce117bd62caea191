#include <gtest/gtest.h>

#include <atomic>
#include <string_view>

#include "sim/SimulatedModule.h"
#include "support/ManualClock.h"

namespace corsel {
namespace {

using namespace std::chrono_literals;

using testing::ManualClock;

// Letters from byte 1 over whatever an earlier command left in the report.
ModuleReport command(std::string_view letters, ModuleReport leftovers = {}) {
    putText(leftovers, 1, letters);
    return leftovers;
}

ModuleReport command(std::string_view letters, std::string_view earlier) {
    return command(letters, command(earlier));
}

// Answers "ECM" and the first five letters of each command; remembers what it got.
class EchoEcm final : public EcmResponder {
public:
    std::vector<ModuleReport> answer(const ModuleReport& received) override {
        commands.push_back(textAt(received, 1, 5));
        if (silent) {
            return {};
        }
        ModuleReport reply{};
        putText(reply, 1, "ECM" + textAt(received, 1, 5));
        reply[0] = 0xEE;  // the module must clear byte 0 and stamp 61-64
        putTimeStamp(reply, 0xEEEEEEEE);
        return {reply};
    }
    void disconnect() override { ++disconnects; }

    std::vector<std::string> commands;
    int disconnects = 0;
    bool silent = false;
};

class SimulatedModuleTest : public ::testing::Test {
protected:
    std::vector<SimulatedReply> send(std::string_view letters) {
        return module.handleReport(command(letters)).replies;
    }
    std::string answerTo(const ModuleReport& report) {
        const auto replies = module.handleReport(report).replies;
        if (replies.size() != 1) {
            return "<none>";
        }
        const std::string text = textAt(replies[0].report, 1, 12);
        return text.substr(0, text.find('\0'));
    }

    ManualClock clock;
    SimulatedModule module{clock, {}};
    std::shared_ptr<EchoEcm> ecm = std::make_shared<EchoEcm>();
};

// --- The module's own commands

TEST_F(SimulatedModuleTest, AnswersIdentityAndNothingElse) {
    ModuleReport getId = command("Get_ID", "Disconnected");
    getId[7] = 13;  // host time 13:45:30
    getId[8] = 45;
    getId[9] = 30;
    const auto replies = module.handleReport(getId).replies;
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(textAt(replies[0].report, 1, 7), "IDV2.07");
    for (std::size_t i = 8; i < kTimeStampOffset; ++i) {
        EXPECT_EQ(replies[0].report[i], 0) << "byte " << i;
    }
    EXPECT_EQ(replies[0].delay, 0ms);

    module.setHardwareId("V3.10");
    EXPECT_EQ(answerTo(command("Get_ID")), "IDV3.10");
    EXPECT_EQ(answerTo(command("Get_SN")), "SNQX0417");
}

TEST_F(SimulatedModuleTest, PowerFollowsScriptThenDefault) {
    EXPECT_EQ(answerTo(command("Power")), "Power OK");
    module.scriptPower({false, true, false});
    module.setPowerOk(false);
    EXPECT_EQ(answerTo(command("Power")), "No Power");
    EXPECT_EQ(answerTo(command("Power")), "Power OK");
    EXPECT_EQ(answerTo(command("Power")), "No Power");
    EXPECT_EQ(answerTo(command("Power")), "No Power");  // script used up: the default
    module.setPowerOk(true);
    EXPECT_EQ(answerTo(command("Power")), "Power OK");
}

TEST_F(SimulatedModuleTest, DiscStopAndUpgrade) {
    module.attachEcm(ecm);
    EXPECT_EQ(answerTo(command("Disc")), "Disc");
    EXPECT_EQ(ecm->disconnects, 1);

    const FirmwareResponse stop = module.handleReport(command("Stop"));
    EXPECT_TRUE(stop.replies.empty());
    EXPECT_EQ(stop.action, DeviceAction::None);
    EXPECT_EQ(ecm->disconnects, 2);

    const FirmwareResponse upgrade = module.handleReport(command("Upgrade"));
    EXPECT_TRUE(upgrade.replies.empty());
    EXPECT_EQ(upgrade.action, DeviceAction::RestartInBootLoader);
    EXPECT_TRUE(ecm->commands.empty());
}

TEST_F(SimulatedModuleTest, OtherCommandsGoToEcmAndComeBackStamped) {
    EXPECT_EQ(answerTo(command("GetAH")), "Disconnected");

    module.attachEcm(ecm);
    clock.advance(2560ms);
    const auto replies = send("GetAH");
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].report[0], 0);
    EXPECT_EQ(textAt(replies[0].report, 1, 8), "ECMGetAH");
    EXPECT_EQ(timeStampOf(replies[0].report), 256u);
    EXPECT_EQ(ecm->commands, std::vector<std::string>{"GetAH"});

    ecm->silent = true;
    EXPECT_TRUE(send("GetAH").empty());
}

// Only the letters a command names count; the rest are leftovers.
TEST_F(SimulatedModuleTest, CommandsAreMatchedAtTheirPlaceOverLeftovers) {
    module.attachEcm(ecm);
    struct Case {
        std::string_view earlier, letters, answer;
    };
    const Case cases[] = {
        {"Get_SN", "Power", "Power OK"},    // "PowerN"
        {"Disconnected", "Disc", "Disc"},   // still "Disconnected"
        {"Upgrade", "Get_SN", "SNQX0417"},  // "Get_SNe"
        {"Get_ID", "GetAH", "ECMGetAH"},    // "GetAHD" is no own command
        {"", "Powe", "ECMPowe"},            // too short to be "Power"
        {"", "get_id", "ECMget_i"},         // letters are case-sensitive
        {"Upgrade", "Stop", "<none>"},      // "Stopade"
    };
    for (const Case& c : cases) {
        EXPECT_EQ(answerTo(command(c.letters, c.earlier)), c.answer)
            << c.letters << " over " << c.earlier;
    }
}

TEST_F(SimulatedModuleTest, LogsEachCommandByNameOverLeftovers) {
    ModuleReport getId = command("Get_ID", "Disconnected");
    getId[7] = 9;
    module.handleReport(getId);
    module.handleReport(command("GetAH"));
    module.handleReport(command("Power", "Get_SN"));
    module.handleReport(command("GetFI1", "GetFID0"));
    module.handleReport(command("Xyz", "Get_SN"));  // unknown: its letters
    module.handleReport(ModuleReport{});
    EXPECT_EQ(module.receivedCommands(),
              (std::vector<std::string>{"Get_ID", "GetAH", "Power", "GetFI1", "Xyz_SN", ""}));
}

// --- Time stamp

TEST_F(SimulatedModuleTest, TimeStampCountsHundredthsSinceCreationBigEndian) {
    clock.advance(100s);
    SimulatedModule fresh(clock, {});
    clock.advance(0x01020304 * 10ms);
    auto reply = fresh.handleReport(command("Get_SN")).replies.at(0).report;
    EXPECT_EQ(reply[61], 0x01);
    EXPECT_EQ(reply[62], 0x02);
    EXPECT_EQ(reply[63], 0x03);
    EXPECT_EQ(reply[64], 0x04);

    clock.advance(10ms);
    reply = fresh.handleReport(command("Get_SN")).replies.at(0).report;
    EXPECT_EQ(timeStampOf(reply), 0x01020305u);
}

// --- Faults

TEST_F(SimulatedModuleTest, EachFaultChangesOneReply) {
    module.setLatency(100ms);

    module.injectFault(ModuleFault::Silent);
    EXPECT_TRUE(send("Get_SN").empty());

    module.injectFault(ModuleFault::AnswerTwice);
    auto replies = send("Get_SN");
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0].report, replies[1].report);
    EXPECT_EQ(replies[1].delay, 100ms);

    module.injectFault(ModuleFault::Echo);
    replies = send("Get_SN");
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0].report, replies[1].report);
    EXPECT_EQ(replies[0].delay, 100ms);
    EXPECT_EQ(replies[1].delay, 100ms + SimulatedModule::kEchoDelay);

    module.injectFault(ModuleFault::AnswerLate);
    replies = send("Get_SN");
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(textAt(replies[0].report, 1, 8), "SNQX0417");
    EXPECT_EQ(replies[0].delay, SimulatedModule::kLateReplyDelay);

    module.injectFault(ModuleFault::Unplug);
    const FirmwareResponse unplug = module.handleReport(command("Get_SN"));
    EXPECT_TRUE(unplug.replies.empty());
    EXPECT_EQ(unplug.action, DeviceAction::Unplug);

    replies = send("Get_SN");
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(textAt(replies[0].report, 1, 8), "SNQX0417");
    EXPECT_EQ(replies[0].delay, 100ms);
}

TEST_F(SimulatedModuleTest, GarbageIsRandomButRepeatableBySeed) {
    auto garbageFrom = [this](std::uint32_t seed) {
        SimulatedModule source(clock, {.randomSeed = seed});
        source.injectFault(ModuleFault::Garbage, 2);
        const auto first = source.handleReport(command("Get_SN")).replies.at(0).report;
        const auto second = source.handleReport(command("Get_SN")).replies.at(0).report;
        EXPECT_NE(first, second);
        EXPECT_EQ(first[0], 0);
        return first;
    };
    const ModuleReport garbage = garbageFrom(7);
    EXPECT_NE(textAt(garbage, 1, 2), "SN");
    EXPECT_EQ(garbageFrom(7), garbage);
    EXPECT_NE(garbageFrom(8), garbage);
}

TEST_F(SimulatedModuleTest, FaultsApplyInOrderToCommandsThatAnswer) {
    module.attachEcm(ecm);
    ecm->silent = true;
    module.injectFault(ModuleFault::Silent, 2);
    module.injectFault(ModuleFault::AnswerTwice, 1);
    // Nothing to answer: these use up no fault.
    module.handleReport(command("Stop"));
    module.handleReport(command("Upgrade"));
    module.handleReport(command("GetAH"));
    std::vector<std::size_t> counts;
    for (int i = 0; i < 4; ++i) {
        counts.push_back(send("Get_SN").size());
    }
    EXPECT_EQ(counts, (std::vector<std::size_t>{0, 0, 2, 1}));
}

TEST_F(SimulatedModuleTest, ForeverFaultHoldsUntilCleared) {
    module.injectFault(ModuleFault::Silent, SimulatedModule::kForever);
    module.injectFault(ModuleFault::AnswerTwice);
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(send("Get_SN").empty()) << "command " << i;
    }
    module.clearFaults();
    EXPECT_EQ(send("Get_SN").size(), 1u);  // the queued AnswerTwice went too
}

}  // namespace
}  // namespace corsel
