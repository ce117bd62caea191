// The session loop and the main window's logic, driven headless against the
// simulated module: what a technician sees from start-up to the end of a
// session.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/EcuFrames.h"
#include "support/ProgramRig.h"

namespace corsel {
namespace {

using testing::ProgramRig;

constexpr const char* kNoValue = "---";

long count(const std::vector<std::string>& commands, std::string_view command) {
    return std::count(commands.begin(), commands.end(), command);
}

TEST(SessionLoopWithoutModule, KeepsConnectDisabledAndTriesTheModuleEvery22ndTick) {
    ProgramRig rig("standard", false);
    rig.start();
    std::vector<int> ticksWithTwoSearches;
    for (int tick = 1; tick <= 70; ++tick) {
        rig.bus.clearOpenedPaths();
        rig.tick();
        // The boot loader is looked for on every tick; the module in normal
        // mode only on some.
        if (rig.bus.openedPaths().size() > 1) {
            ticksWithTwoSearches.push_back(tick);
        }
        ASSERT_FALSE(rig.view.isEnabled(ControlId::Connect)) << "tick " << tick;
    }
    // The second tick after start is the window's pending repaint and ends
    // early; from then on the module is looked for every 22nd tick.
    EXPECT_EQ(ticksWithTwoSearches, (std::vector<int>{23, 45, 67}));
    EXPECT_EQ(rig.view.text(ControlId::HardwareIdValue), kNoValue);
    EXPECT_EQ(rig.view.text(ControlId::SerialValue), kNoValue);
    EXPECT_TRUE(rig.view.timerRunning);
    EXPECT_TRUE(rig.prompter.shown().empty());
}

TEST(SessionLoopWithoutModule, AMissingLibraryIsReportedOnceAndTheWindowStaysUsable) {
    ProgramRig rig;
    rig.bus.failHidLibrary(LibraryLoadFailure{"libhidapi-hidraw.so.0", ""});
    rig.start();
    rig.tick(100);
    ASSERT_EQ(rig.prompter.shown().size(), 1u);
    EXPECT_EQ(rig.prompter.shown()[0].text, "Error: Can't Load libhidapi-hidraw.so.0");
    EXPECT_TRUE(rig.view.timerRunning);
    EXPECT_FALSE(rig.channel.linkOpen);
    EXPECT_EQ(rig.view.text(ControlId::HardwareIdValue), kNoValue);
}

TEST(SessionLoopLinking, IdentifiesTheModuleAndEnablesConnectAfter30PowerOkInARow) {
    ProgramRig rig;
    std::vector<bool> power(10, true);
    power.push_back(false);  // one "No Power" starts the count again
    power.insert(power.end(), 30, true);
    rig.module().scriptPower(power);
    rig.start();
    ASSERT_TRUE(rig.linked());
    EXPECT_EQ(rig.view.text(ControlId::HardwareIdValue), "V2.07");
    EXPECT_EQ(rig.view.text(ControlId::SerialValue), "QX0417");

    ASSERT_TRUE(rig.connectEnabled());
    EXPECT_EQ(count(rig.module().receivedCommands(), "Power"), 41);
    EXPECT_FALSE(rig.view.isEnabled(ControlId::Graph));
    EXPECT_TRUE(rig.view.isEnabled(ControlId::Settings));
}

TEST(SessionLoopSession, ConnectStartsTheSessionAndEachTickSendsOneRequestOfTheCycle) {
    ProgramRig rig;
    ASSERT_TRUE(rig.startSession());
    EXPECT_EQ(rig.view.text(ControlId::Connect), "Disconnect");
    EXPECT_EQ(rig.records().PollStep, 0);

    rig.tick();  // the first tick after the start only moves to step 1
    std::vector<int> steps;
    const std::size_t from = rig.commandCount();
    for (int tick = 0; tick < 12; ++tick) {
        rig.tick();
        steps.push_back(rig.records().PollStep);
    }
    EXPECT_EQ(steps, (std::vector<int>{2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6, 1}));
    const std::vector<std::string> cycle{"GetFI1", "GetFI2", "GetFID0", "GetFID1",
                                         "GetFID3", "GetAH",  "GetRH"};
    std::vector<std::string> twoCycles = cycle;
    twoCycles.insert(twoCycles.end(), cycle.begin(), cycle.end());
    EXPECT_EQ(rig.commandsSince(from), twoCycles);
    EXPECT_FALSE(rig.view.isEnabled(ControlId::Open));
    EXPECT_FALSE(rig.view.isEnabled(ControlId::Settings));
    EXPECT_TRUE(rig.view.isEnabled(ControlId::Graph));
    EXPECT_EQ(rig.view.text(ControlId::DtcValue), "0");
}

TEST(SessionLoopSession, TheThirdTabAddsTheFreezeFrameRequests) {
    ProgramRig rig("faults");
    ASSERT_TRUE(rig.startSession());
    rig.view.selectTab(2);
    rig.tickUntil([&] { return rig.records().PollStep == 1; });
    const std::size_t from = rig.commandCount();
    rig.tick(6);
    EXPECT_EQ(rig.commandsSince(from),
              (std::vector<std::string>{"GetFI1", "GetFI2", "GetFIE1", "GetFID0", "GetFIE2",
                                        "GetFID1", "GetFID3", "GetAH", "GetRH", "GetTH"}));
    const int codes = rig.records().faultLists.CurrentDtcCount;
    EXPECT_GT(codes, 0);
    EXPECT_EQ(rig.view.text(ControlId::DtcValue), std::to_string(codes));
    EXPECT_TRUE(rig.view.isEnabled(ControlId::ErrorClear));
    EXPECT_EQ(rig.program->flags.faultPageMode, 2);
}

TEST(SessionLoopSession, AStepWhoseRepliesFailTheChecksumFourTimesIsSkippedUntilConnect) {
    ProgramRig rig;
    ASSERT_TRUE(rig.startSession());
    const ModuleReport damaged = testing::ecuFrame(2, 0x72, 0x21, std::vector<std::uint8_t>(16, 7), false);
    for (int i = 0; i < 4; ++i) {
        rig.ecm->replaceNext("GetFI2", damaged);
    }
    const std::size_t from = rig.commandCount();
    rig.tick(1 + 6 * 6);
    EXPECT_EQ(count(rig.commandsSince(from), "GetFI2"), 4);
    const std::size_t later = rig.commandCount();
    rig.tick(12);
    EXPECT_EQ(count(rig.commandsSince(later), "GetFI2"), 0);
    EXPECT_EQ(count(rig.commandsSince(later), "GetFID0"), 2);

    // Connect ends the session; the next Connect asks for the table again.
    rig.program->window.onConnect();
    ASSERT_TRUE(rig.linked());
    ASSERT_TRUE(rig.connectEnabled());
    rig.program->window.onConnect();
    ASSERT_TRUE(rig.records().sessionActive);
    const std::size_t again = rig.commandCount();
    rig.tick(7);
    EXPECT_EQ(count(rig.commandsSince(again), "GetFI2"), 1);
}

TEST(SessionLoopSession, DisconnectedShowsTheCommunicationErrorAndResets) {
    ProgramRig rig;
    ASSERT_TRUE(rig.startSession());
    rig.tick(3);
    rig.ecm->takeAway();
    ASSERT_TRUE(rig.tickUntil([&] { return !rig.view.questions.empty(); }, 20));
    const PromptRequest& shown = rig.view.questions.front();
    EXPECT_EQ(shown.text, "Communication error occurred");
    EXPECT_EQ(shown.caption, "Error");
    EXPECT_FALSE(rig.records().sessionActive);
    EXPECT_FALSE(rig.channel.linkOpen);
    EXPECT_TRUE(rig.view.timerRunning);
    EXPECT_EQ(rig.view.text(ControlId::Connect), "Connect");
    EXPECT_EQ(rig.view.text(ControlId::DtcValue), kNoValue);
    EXPECT_TRUE(rig.view.isEnabled(ControlId::Open));

    // The module is found again and the loop goes back to the power watch.
    rig.ecm->bringBack();
    ASSERT_TRUE(rig.linked());
    EXPECT_EQ(rig.view.questions.size(), 1u);
}

TEST(SessionLoopSession, AnUnplugResetsWithoutAMessageAndTheModuleIsFoundAgain) {
    ProgramRig rig;
    ASSERT_TRUE(rig.startSession());
    rig.tick(4);
    rig.bus.unplug(rig.slot);
    ASSERT_TRUE(rig.tickUntil([&] { return rig.view.text(ControlId::HardwareIdValue) == kNoValue; }));
    EXPECT_FALSE(rig.records().sessionActive);
    EXPECT_FALSE(rig.view.isEnabled(ControlId::Connect));
    EXPECT_EQ(rig.view.text(ControlId::SerialValue), kNoValue);
    EXPECT_EQ(rig.view.text(ControlId::Connect), "Connect");

    rig.bus.replug(rig.slot);
    ASSERT_TRUE(rig.linked());
    EXPECT_EQ(rig.view.text(ControlId::HardwareIdValue), "V2.07");
    EXPECT_TRUE(rig.view.questions.empty());
    EXPECT_TRUE(rig.prompter.shown().empty());
}

TEST(SessionLoopFirmware, ABootLoaderOnTheBusIsServedOnceWithTheTimerStopped) {
    int updates = 0;
    bool timerDuringUpdate = true;
    MainWindowHooks hooks;
    ProgramRig* rigPointer = nullptr;
    hooks.runFirmwareUpdate = [&] {
        ++updates;
        timerDuringUpdate = rigPointer->view.timerRunning;
    };
    ProgramRig rig("standard", false, hooks);
    rigPointer = &rig;
    rig.bus.addBootLoader();
    rig.start();
    rig.tick(30);
    EXPECT_EQ(updates, 1);
    EXPECT_FALSE(timerDuringUpdate);
    EXPECT_TRUE(rig.view.timerRunning);
    EXPECT_TRUE(rig.program->flags.bootLoaderServed);
    EXPECT_FALSE(rig.channel.linkOpen);
}

TEST(SessionLoopFirmware, OtherModuleFirmwareIsOfferedOnceAndTheTickEnds) {
    int offers = 0;
    MainWindowHooks hooks;
    hooks.offerFirmware = [&] { ++offers; };
    ProgramRig rig("standard", true, hooks);
    rig.module().setHardwareId("V2.05");
    rig.start();
    ASSERT_TRUE(rig.tickUntil([&] { return offers == 1; }));
    EXPECT_FALSE(rig.records().firmwareOfferPending);
    EXPECT_TRUE(rig.view.timerRunning);
    // Declined: the module is used as it is, and never offered again.
    ASSERT_TRUE(rig.connectEnabled());
    rig.records().identifyNeeded = true;
    rig.tick(40);
    EXPECT_EQ(offers, 1);
    EXPECT_EQ(rig.view.text(ControlId::HardwareIdValue), "V2.05");
}

TEST(SessionLoopSession, ConnectAsksBeforeAnUnsavedRecordingIsLeft) {
    bool recordingOpen = true;
    int closed = 0;
    MainWindowHooks hooks;
    hooks.tempRecordingOpen = [&] { return recordingOpen; };
    hooks.closeTempRecording = [&] {
        ++closed;
        recordingOpen = false;
    };
    ProgramRig rig("standard", true, hooks);
    rig.start();
    ASSERT_TRUE(rig.linked());
    ASSERT_TRUE(rig.connectEnabled());

    rig.view.answers.push_back(PromptAnswer::No);
    rig.program->window.onConnect();
    ASSERT_EQ(rig.view.questions.size(), 1u);
    EXPECT_EQ(rig.view.questions[0].text,
              "Last session was not saved!\n\rWould you like to continue?");
    EXPECT_FALSE(rig.records().sessionActive);
    EXPECT_EQ(closed, 0);
    EXPECT_TRUE(rig.view.isEnabled(ControlId::Connect));

    rig.program->window.onConnect();
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(rig.records().sessionActive);
    EXPECT_FALSE(rig.view.isEnabled(ControlId::SaveAs));
}

TEST(SessionLoopSecondCopy, ShowsOfflineModeAndNeverOpensTheModule) {
    ProgramRig rig;
    rig.lock.otherCopyRunning = true;
    rig.start();
    EXPECT_TRUE(rig.program->flags.secondInstance);
    EXPECT_EQ(rig.lock.names, (std::vector<std::string>{"Veltrane Orvintel"}));
    rig.tick(100);
    EXPECT_TRUE(rig.bus.openedPaths().empty());
    EXPECT_EQ(rig.view.text(ControlId::HardwareIdValue), "Offline mode");
    EXPECT_EQ(rig.view.text(ControlId::SerialValue), "Offline mode");
    EXPECT_FALSE(rig.view.isEnabled(ControlId::Connect));
    EXPECT_TRUE(rig.module().receivedCommands().empty());
}

TEST(SessionLoopTicks, TheCommandLineFileIsOpenedOnThe20thTick) {
    std::vector<std::string> opened;
    MainWindowHooks hooks;
    hooks.openRecording = [&](const std::string& path) { opened.push_back(path); };
    ProgramRig rig("standard", false, hooks);
    rig.program->flags.commandLineFile = "ride.QDX";
    rig.start();
    rig.tick(19);
    EXPECT_TRUE(opened.empty());
    rig.tick();
    EXPECT_EQ(opened, (std::vector<std::string>{"ride.QDX"}));
    rig.tick(30);
    EXPECT_EQ(opened.size(), 1u);
}

TEST(SessionLoopTicks, TheUpdateCheckRunsOnceWithTheTimerStopped) {
    int checks = 0;
    bool timerDuringCheck = true;
    MainWindowHooks hooks;
    ProgramRig* rigPointer = nullptr;
    hooks.updateCheck = [&] {
        ++checks;
        timerDuringCheck = rigPointer->view.timerRunning;
    };
    ProgramRig rig("standard", false, hooks);
    rigPointer = &rig;
    rig.start();
    rig.tick(10);
    EXPECT_EQ(checks, 1);
    EXPECT_FALSE(timerDuringCheck);
    EXPECT_TRUE(rig.view.timerRunning);
}

}  // namespace
}  // namespace corsel
