#include <gtest/gtest.h>

#include <vector>

#include "link/EcuFrame.h"
#include "sim/EcmFrames.h"
#include "support/CommandSetRig.h"
#include "support/EcuFrames.h"
#include "support/WaitFor.h"

namespace corsel {
namespace {

using testing::CommandSetRig;

using testing::faultPageFrame;

// A valid motorcycle frame.
ModuleReport validFrame(std::uint8_t service, std::uint8_t table, std::vector<std::uint8_t> data) {
    return testing::ecuFrame(2, service, table, data);
}

std::vector<int> codesOf(const std::vector<FaultCode>& codes) {
    std::vector<int> values;
    for (const FaultCode& code : codes) {
        values.push_back(code.value());
    }
    return values;
}

// --- Identification

TEST(ReadModuleIdentity, FillsAndShowsTheHardwareIdAndSerial) {
    CommandSetRig rig;
    ASSERT_TRUE(rig.connect());
    ASSERT_TRUE(rig.exchange->ReadModuleIdentity());
    EXPECT_EQ(rig.records.identity.HardwareId, "V2.07");
    EXPECT_EQ(rig.records.identity.HardwareSerial, "QX0417");
    EXPECT_EQ(rig.view.hardwareId, "V2.07");
    EXPECT_EQ(rig.view.hardwareSerial, "QX0417");
    // "Disc" is not waited for: its reply may still come after "Get_ID" went
    // out, and is then passed over by asking again.
    const auto commands = rig.commandsSince(0);
    ASSERT_GE(commands.size(), 3u);
    EXPECT_EQ(commands.front(), "Disc");
    EXPECT_EQ(commands[1], "Get_ID");
    EXPECT_EQ(commands.back(), "Get_SN");
    EXPECT_LE(commands.size(), 5u);
    EXPECT_EQ(rig.firmwareOffers, 0);
}

TEST(ReadModuleIdentity, OtherFirmwareIsOfferedOncePerRunInsteadOfTheSerial) {
    SimulatedModule::Options older;
    older.hardwareId = "V2.05";
    CommandSetRig rig("standard", older);
    ASSERT_TRUE(rig.connect());
    ASSERT_TRUE(rig.exchange->ReadModuleIdentity());
    EXPECT_EQ(rig.records.identity.HardwareId, "V2.05");
    EXPECT_EQ(rig.firmwareOffers, 1);
    EXPECT_EQ(rig.count("Get_SN"), 0);
    EXPECT_TRUE(rig.records.identity.HardwareSerial.empty());

    // Declined: the next identification reads the serial and offers nothing.
    ASSERT_TRUE(rig.exchange->ReadModuleIdentity());
    EXPECT_EQ(rig.firmwareOffers, 1);
    EXPECT_EQ(rig.records.identity.HardwareSerial, "QX0417");
}

TEST(ReadModuleIdentity, RepliesOtherThanTheIdentityAreAskedAgainWithinABound) {
    CommandSetRig rig;
    ASSERT_TRUE(rig.connect());
    // Two stray replies, then the module answers properly.
    rig.module().injectFault(ModuleFault::Garbage, 2);
    ASSERT_TRUE(rig.exchange->ReadModuleIdentity());
    EXPECT_EQ(rig.records.identity.HardwareId, "V2.07");

    // A module that never says "ID" ends the exchange and the link.
    rig.module().injectFault(ModuleFault::Garbage, SimulatedModule::kForever);
    const std::size_t mark = rig.commandCount();
    EXPECT_FALSE(rig.exchange->ReadModuleIdentity());
    EXPECT_EQ(rig.count("Get_ID", mark), EcuExchange::kRepeatLimit);
    EXPECT_FALSE(rig.channel.linkOpen);
    EXPECT_EQ(rig.view.resets, 1);
    EXPECT_TRUE(rig.records.identifyNeeded);
    EXPECT_TRUE(testing::waitFor([&] { return !rig.channel.readerRunning(); }));
}

TEST(ReadModuleIdentity, ASilentModuleResetsTheSession) {
    CommandSetRig rig;
    ASSERT_TRUE(rig.connect());
    rig.module().injectFault(ModuleFault::Silent, SimulatedModule::kForever);
    EXPECT_FALSE(rig.exchange->ReadModuleIdentity());
    EXPECT_FALSE(rig.channel.linkOpen);
    EXPECT_EQ(rig.view.resets, 1);
}

// --- Power

TEST(PollPower, ThirtyPowerOkInARowMakeThePowerStable) {
    CommandSetRig rig;
    ASSERT_TRUE(rig.connect());
    rig.module().scriptPower(std::vector<bool>(29, true));
    for (int i = 0; i < 29; ++i) {
        ASSERT_TRUE(rig.exchange->PollPower());
    }
    EXPECT_FALSE(rig.records.identity.powerStable);
    ASSERT_TRUE(rig.exchange->PollPower());
    EXPECT_TRUE(rig.records.identity.powerStable);
}

TEST(PollPower, NoPowerInBetweenStartsTheCountAgain) {
    CommandSetRig rig;
    ASSERT_TRUE(rig.connect());
    std::vector<bool> script(20, true);
    script.push_back(false);
    script.insert(script.end(), 29, true);
    rig.module().scriptPower(script);
    for (std::size_t i = 0; i < script.size(); ++i) {
        ASSERT_TRUE(rig.exchange->PollPower());
    }
    EXPECT_FALSE(rig.records.identity.powerStable);
    EXPECT_EQ(rig.records.identity.powerOkCount, 29);
    ASSERT_TRUE(rig.exchange->PollPower());
    EXPECT_TRUE(rig.records.identity.powerStable);

    // Once stable, only "No Power" takes it back; a stray reply changes nothing.
    rig.module().injectFault(ModuleFault::Garbage);
    ASSERT_TRUE(rig.exchange->PollPower());
    EXPECT_TRUE(rig.records.identity.powerStable);
    rig.module().scriptPower({false});
    ASSERT_TRUE(rig.exchange->PollPower());
    EXPECT_FALSE(rig.records.identity.powerStable);
    EXPECT_EQ(rig.records.identity.powerOkCount, 0);
}

// --- Session start

TEST(StartEcuSession, MotorcycleWithoutCodes) {
    CommandSetRig rig("standard");
    ASSERT_TRUE(rig.startSession());
    const auto& identity = rig.records.identity;
    EXPECT_EQ(identity.EcmId, "0102E5");
    ASSERT_EQ(identity.ecmPartNumber.size(), 15u);
    EXPECT_EQ(identity.ecmPartNumber.substr(0, 9), "01 02 E5 ");
    EXPECT_EQ(rig.view.partNumber, identity.ecmPartNumber);
    EXPECT_FALSE(identity.MarineMode);
    EXPECT_TRUE(rig.records.sessionActive);
    EXPECT_EQ(rig.count("GetAH"), 11);
    EXPECT_EQ(rig.count("GetRH"), 11);
    EXPECT_EQ(rig.records.faultPage, 1);
    EXPECT_EQ(rig.records.faultLists.CurrentDtcCount, 0);
    EXPECT_EQ(rig.view.faultTabSelected, 0);
    EXPECT_EQ(rig.view.thirdTabRemoved, 0);
    EXPECT_EQ(rig.view.printEnabled, 1);
    // The identification reply is the recording's first frame.
    ASSERT_FALSE(rig.recorded.empty());
    EXPECT_EQ(rig.recorded.front()[23], 'r');
}

TEST(StartEcuSession, MotorcycleWithCodesOpensTheFaultList) {
    CommandSetRig rig("faults");
    ASSERT_TRUE(rig.startSession());
    const FaultLists& lists = rig.records.faultLists;
    const auto current = codesOf(rig.ecm->currentCodes());
    const auto past = codesOf(rig.ecm->pastCodes());
    ASSERT_FALSE(current.empty());
    ASSERT_FALSE(past.empty());
    EXPECT_EQ(lists.CurrentDtcCount, current.size() + past.size());
    // Current codes come first (page 1 "t" before page 1 "s"), all in one count.
    std::vector<int> expected;
    std::size_t c = 0;
    std::size_t p = 0;
    for (int page = 0; page < 11; ++page) {
        for (int i = 0; i < 3 && c < current.size(); ++i) {
            expected.push_back(current[c++]);
        }
        for (int i = 0; i < 3 && p < past.size(); ++i) {
            expected.push_back(-past[p++]);
        }
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] > 0) {
            EXPECT_EQ(lists.current[i], expected[i]) << i;
            EXPECT_EQ(lists.past[i], 0) << i;
        } else {
            EXPECT_EQ(lists.past[i], -expected[i]) << i;
            EXPECT_EQ(lists.current[i], 0) << i;
        }
    }
    EXPECT_EQ(rig.records.CurrentPage, 1);
    EXPECT_EQ(rig.view.faultTabSelected, 1);
}

TEST(StartEcuSession, CountsAWholePassWhereverAnEarlierSessionLeftThePages) {
    CommandSetRig rig("faults");
    ASSERT_TRUE(rig.connect());
    // An earlier session ended part way through a pass.
    rig.records.faultPage = 5;
    rig.records.faultLists.collectingCount = 4;
    ASSERT_TRUE(rig.exchange->StartEcuSession());
    const std::size_t total = rig.ecm->currentCodes().size() + rig.ecm->pastCodes().size();
    EXPECT_EQ(rig.records.faultLists.CurrentDtcCount, total);
    EXPECT_EQ(rig.records.faultPage, 1);
    EXPECT_EQ(rig.view.faultTabSelected, 1);
}

TEST(StartEcuSession, MarineEngine) {
    CommandSetRig rig("marine");
    ASSERT_TRUE(rig.startSession());
    EXPECT_TRUE(rig.records.identity.MarineMode);
    EXPECT_EQ(rig.view.thirdTabRemoved, 1);
    EXPECT_GE(rig.view.languageApplied, 1);
    EXPECT_EQ(rig.records.identity.EcmId.size(), 6u);
    EXPECT_EQ(rig.records.identity.ecmPartNumber.size(), 15u);
    EXPECT_EQ(rig.records.identity.ecmPartNumber.substr(0, 6),
              rig.records.identity.EcmId.substr(0, 2) + " " +
                  rig.records.identity.EcmId.substr(2, 2) + " ");
    EXPECT_EQ(rig.count("GetAH"), 11);
    EXPECT_TRUE(rig.records.sessionActive);

    // Ending the session clears the marine mode and resets.
    rig.exchange->EndEcuSession();
    EXPECT_FALSE(rig.records.identity.MarineMode);
    EXPECT_FALSE(rig.records.sessionActive);
    EXPECT_FALSE(rig.channel.linkOpen);
    EXPECT_TRUE(rig.records.identity.EcmId.empty());
}

TEST(StartEcuSession, AnUnansweredCheckIsTriedOnceMoreThenGivenUp) {
    CommandSetRig rig;
    ASSERT_TRUE(rig.startSession());
    rig.exchange->EndEcuSession();
    ASSERT_TRUE(rig.connect());

    // Once: the second try succeeds.
    rig.ecm->failCheckFi(1);
    std::size_t mark = rig.commandCount();
    EXPECT_TRUE(rig.exchange->StartEcuSession());
    EXPECT_EQ(rig.count("CheckFI", mark), 2);

    // Twice: no session, no message, the link stays.
    rig.exchange->EndEcuSession();
    ASSERT_TRUE(rig.connect());
    rig.ecm->failCheckFi(2);
    mark = rig.commandCount();
    const int resets = rig.view.resets;
    const auto before = rig.clock().now();
    EXPECT_FALSE(rig.exchange->StartEcuSession());
    EXPECT_GE(rig.clock().now() - before, EcuExchange::kCheckRetryPause);
    EXPECT_EQ(rig.count("CheckFI", mark), 2);
    EXPECT_EQ(rig.count("Init", mark), 0);
    EXPECT_FALSE(rig.records.sessionActive);
    EXPECT_TRUE(rig.channel.linkOpen);
    EXPECT_EQ(rig.view.resets, resets);
    EXPECT_TRUE(rig.view.questions.empty());
}

TEST(StartEcuSession, AMarkLeftInTheBufferDoesNotPassForTheEcmsAnswer) {
    CommandSetRig rig;
    ASSERT_TRUE(rig.connect());
    // An earlier report left the identification mark where the test reads it.
    rig.channel.receiveReport[23] = 'r';
    rig.ecm->failCheckFi(2);
    EXPECT_FALSE(rig.exchange->StartEcuSession());
    EXPECT_FALSE(rig.records.sessionActive);
}

TEST(StartEcuSession, ARefusedInitGivesNoSession) {
    CommandSetRig rig;
    ASSERT_TRUE(rig.connect());
    rig.ecm->failInit(1);
    EXPECT_FALSE(rig.exchange->StartEcuSession());
    EXPECT_FALSE(rig.records.sessionActive);
    EXPECT_EQ(rig.count("GetAH"), 0);
    EXPECT_EQ(rig.view.printEnabled, 0);
}

// --- Tables and the checksum

TEST(PollTable, EachRequestFilesIntoItsBlock) {
    CommandSetRig rig("faults");
    ASSERT_TRUE(rig.startSession());
    const std::pair<const char*, TableBlock> requests[] = {
        {"GetFI1", TableBlock::Block1x},  {"GetFI2", TableBlock::Block2x},
        {"GetFID0", TableBlock::BlockD0}, {"GetFID1", TableBlock::BlockD1},
        {"GetFID3", TableBlock::BlockD3}, {"GetFIE1", TableBlock::Block6x},
        {"GetFIE2", TableBlock::Block7x}};
    for (const auto& [command, block] : requests) {
        EXPECT_FALSE(rig.records.tableStore.present(block)) << command;
        const std::size_t recorded = rig.recorded.size();
        ASSERT_TRUE(rig.exchange->PollTable(command));
        EXPECT_TRUE(rig.records.tableStore.present(block)) << command;
        EXPECT_EQ(TableStore::blockFor(static_cast<std::uint8_t>(rig.records.tableStore[block][3])),
                  block);
        EXPECT_EQ(rig.recorded.size(), recorded + 1) << command;
    }
    // The status fault comes with the freeze frame, cut before its "(".
    ASSERT_TRUE(rig.exchange->PollTable("GetTH"));
    EXPECT_EQ(rig.records.statusFaultText,
              "FAULT " + std::to_string(rig.ecm->scenario().statusFault.value()) + " ");
}

TEST(PollTable, BadChecksumsCountPerStepAndTableD2OnlyClearsTheCount) {
    CommandSetRig rig;
    ASSERT_TRUE(rig.startSession());
    rig.records.PollStep = 5;
    rig.ecm->corruptChecksum(4);
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(rig.exchange->PollTable("GetFID3"));
    }
    EXPECT_EQ(rig.records.pollFailures[5], 4);
    EXPECT_FALSE(rig.records.tableStore.present(TableBlock::BlockD3));

    rig.ecm->replaceNext("GetFID3", validFrame(0x72, 0xD2, {1, 2, 3}));
    ASSERT_TRUE(rig.exchange->PollTable("GetFID3"));
    EXPECT_EQ(rig.records.pollFailures[5], 0);
    EXPECT_FALSE(rig.records.tableStore.present(TableBlock::BlockD3));
}

TEST(PollTable, FramesOfLengthZeroPassAndLongerThanTheReportFail) {
    CommandSetRig rig;
    ASSERT_TRUE(rig.startSession());
    rig.records.PollStep = 1;
    ModuleReport empty{};
    empty[1] = 2;  // type 2, length 0: an empty sum is 0
    rig.ecm->replaceNext("GetFI1", empty);
    ASSERT_TRUE(rig.exchange->PollTable("GetFI1"));
    EXPECT_EQ(rig.records.pollFailures[1], 0);

    ModuleReport tooLong = validFrame(0x72, 0x11, {1, 2, 3});
    tooLong[2] = 65;
    rig.ecm->replaceNext("GetFI1", tooLong);
    ASSERT_TRUE(rig.exchange->PollTable("GetFI1"));
    EXPECT_EQ(rig.records.pollFailures[1], 1);
    EXPECT_FALSE(rig.records.tableStore.present(TableBlock::Block1x));
}

// Replies take a while here, so that the copy of an echoed reply comes after
// the next request went out and before that request's own answer.
constexpr auto kSlowReplies = std::chrono::milliseconds(30);

TEST(PollTable, AnEchoedFrameIsNotTakenForTheNextRequestsAnswer) {
    CommandSetRig rig("faults");
    ASSERT_TRUE(rig.startSession());
    rig.module().setLatency(kSlowReplies);
    rig.records.PollStep = 1;
    rig.module().injectFault(ModuleFault::Echo);
    ASSERT_TRUE(rig.exchange->PollTable("GetFI1"));
    rig.records.PollStep = 2;
    rig.records.pollFailures[2] = 3;
    const std::size_t recorded = rig.recorded.size();
    ASSERT_TRUE(rig.exchange->PollTable("GetFI2"));
    ASSERT_EQ(rig.recorded.size(), recorded + 1);
    EXPECT_EQ(rig.recorded.back()[4], 0x21);
    EXPECT_TRUE(rig.records.tableStore.present(TableBlock::Block2x));
    EXPECT_EQ(rig.records.pollFailures[2], 0);
}

TEST(PollTable, ALateFaultPageIsNeitherFiledNorRecorded) {
    CommandSetRig rig("faults");
    ASSERT_TRUE(rig.startSession());
    rig.module().setLatency(kSlowReplies);
    rig.module().injectFault(ModuleFault::Echo, 2);  // both halves of the page
    ASSERT_TRUE(rig.exchange->ReadFaultPage());
    const std::size_t recorded = rig.recorded.size();
    ASSERT_TRUE(rig.exchange->PollTable("GetFI1"));
    ASSERT_EQ(rig.recorded.size(), recorded + 1);
    EXPECT_EQ(rig.recorded.back()[4], 0x11);
}

// --- Fault pages

TEST(ReadFaultPage, EmptyPairsAreSkippedAndLaterOnesRead) {
    CommandSetRig rig;
    ASSERT_TRUE(rig.startSession());
    rig.ecm->replaceNext("GetAH", faultPageFrame('t', 1, {0, 9, 7, 1, 0, 0}));
    rig.ecm->replaceNext("GetRH", faultPageFrame('s', 1, {0, 0, 0, 4, 12, 1}));
    ASSERT_TRUE(rig.exchange->ReadFaultPage());
    const FaultLists& lists = rig.records.faultLists;
    EXPECT_EQ(lists.collectingCount, 2);
    EXPECT_EQ(lists.current[0], 71);
    EXPECT_EQ(lists.past[1], 121);
}

TEST(ReadFaultPage, OnlyAFrameOfThePageAndHalfAskedForIsFiled) {
    CommandSetRig rig("faults");
    ASSERT_TRUE(rig.startSession());
    ASSERT_EQ(rig.records.faultPage, 1);
    // Another page's frame, then twice the other half's: each is asked again.
    rig.ecm->replaceNext("GetAH", faultPageFrame('t', 5, {99, 9}));
    rig.ecm->replaceNext("GetRH", faultPageFrame('t', 1, {98, 8}));
    rig.ecm->replaceNext("GetRH", faultPageFrame('t', 1, {97, 7}));
    const std::size_t mark = rig.commandCount();
    ASSERT_TRUE(rig.exchange->ReadFaultPage());
    EXPECT_EQ(rig.count("GetAH", mark), 2);
    EXPECT_EQ(rig.count("GetRH", mark), 3);
    const FaultLists& lists = rig.records.faultLists;
    const auto current = codesOf(rig.ecm->currentCodes());
    const auto past = codesOf(rig.ecm->pastCodes());
    EXPECT_EQ(lists.current[0], current[0]);
    EXPECT_EQ(lists.past[3], past[0]);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_LT(lists.current[i], 970) << i;
        EXPECT_LT(lists.past[i], 970) << i;
    }
}

TEST(ReadFaultPage, NoDataForThePastHalfLeavesThePage) {
    CommandSetRig rig("faults");
    ASSERT_TRUE(rig.startSession());
    const int total = rig.records.faultLists.CurrentDtcCount;
    rig.ecm->replyNoData("GetRH", 1);
    ASSERT_TRUE(rig.exchange->ReadFaultPage());
    EXPECT_EQ(rig.records.faultPage, 1);
    // Read again, the page's current codes count once, and the pass begins once.
    ASSERT_TRUE(rig.exchange->ReadFaultPage());
    EXPECT_EQ(rig.records.faultPage, 2);
    EXPECT_EQ(rig.records.faultLists.collectingCount, 6);
    EXPECT_EQ(rig.records.faultLists.CurrentDtcCount, total);

    // No data for the current half goes on with the past half.
    rig.ecm->replyNoData("GetAH", 1);
    const std::size_t mark = rig.commandCount();
    ASSERT_TRUE(rig.exchange->ReadFaultPage());
    EXPECT_EQ(rig.count("GetRH", mark), 1);
    EXPECT_EQ(rig.records.faultPage, 3);
}

TEST(ReadFaultPage, ACountThatChangesEmptiesTheListsAtTheNextPass) {
    CommandSetRig rig("faults");
    ASSERT_TRUE(rig.startSession());
    const FaultLists& lists = rig.records.faultLists;
    const int total = lists.CurrentDtcCount;
    const std::int32_t first = lists.current[0];

    // A pass with the same codes: in place, never emptied on the way.
    for (int page = 0; page < 11; ++page) {
        ASSERT_TRUE(rig.exchange->ReadFaultPage());
        EXPECT_EQ(lists.current[0], first);
    }
    EXPECT_EQ(lists.collectingCount, total);

    // One current code fewer: this pass still fills in place; the next
    // begins with empty lists and counts one less.
    auto current = rig.ecm->currentCodes();
    current.erase(current.begin());
    rig.ecm->setCurrentCodes(current);
    for (int page = 0; page < 11; ++page) {
        ASSERT_TRUE(rig.exchange->ReadFaultPage());
    }
    EXPECT_EQ(lists.CurrentDtcCount, total);
    ASSERT_TRUE(rig.exchange->ReadFaultPage());  // page 1 of the next pass
    EXPECT_EQ(lists.CurrentDtcCount, total - 1);
    EXPECT_EQ(lists.current[0], current.front().value());
    EXPECT_EQ(lists.past[total - 1], 0);  // nothing left of the longer pass
}

TEST(ReadFaultPage, ABrokenPageIsAskedAgainWithinABound) {
    CommandSetRig rig("faults");
    ASSERT_TRUE(rig.startSession());
    rig.ecm->corruptChecksum(2);
    std::size_t mark = rig.commandCount();
    ASSERT_TRUE(rig.exchange->ReadFaultPage());
    EXPECT_EQ(rig.count("GetAH", mark), 3);
    EXPECT_EQ(rig.records.faultLists.current[0], rig.ecm->currentCodes().front().value());

    rig.ecm->corruptChecksum(1000);
    mark = rig.commandCount();
    EXPECT_FALSE(rig.exchange->ReadFaultPage());
    EXPECT_EQ(rig.count("GetAH", mark), EcuExchange::kRepeatLimit);
    EXPECT_FALSE(rig.channel.linkOpen);
    EXPECT_FALSE(rig.records.sessionActive);
}

TEST(ReadFaultPage, EchoedRepliesFileEachCodeOnce) {
    CommandSetRig rig("faults");
    ASSERT_TRUE(rig.startSession());
    const int total = rig.records.faultLists.CurrentDtcCount;
    // Every reply of a whole pass comes twice, the copy a little later.
    rig.module().setLatency(kSlowReplies);
    rig.module().injectFault(ModuleFault::Echo, 22);
    const std::size_t mark = rig.commandCount();
    for (int page = 0; page < 11; ++page) {
        ASSERT_TRUE(rig.exchange->ReadFaultPage());
    }
    // Each copy is passed over, not answered by asking again.
    EXPECT_EQ(rig.count("GetAH", mark), 11);
    EXPECT_EQ(rig.count("GetRH", mark), 11);
    EXPECT_EQ(rig.records.faultLists.collectingCount, total);
    ASSERT_TRUE(rig.exchange->ReadFaultPage());
    EXPECT_EQ(rig.records.faultLists.CurrentDtcCount, total);
}

TEST(ReadFaultPage, DisconnectedEndsThePage) {
    CommandSetRig rig("faults");
    ASSERT_TRUE(rig.startSession());
    rig.ecm->takeAway();
    EXPECT_FALSE(rig.exchange->ReadFaultPage());
    EXPECT_TRUE(isDisconnectNotice(rig.channel.receiveReport));
    EXPECT_EQ(rig.records.faultPage, 1);
}

// --- Clearing

TEST(ClearFaultCodes, RepeatsUntilDoneThenReadsOnePage) {
    CommandSetRig rig("faults");
    ASSERT_TRUE(rig.startSession());
    const std::size_t mark = rig.commandCount();
    ASSERT_TRUE(rig.exchange->ClearFaultCodes());
    ASSERT_EQ(rig.view.questions.size(), 1u);
    EXPECT_EQ(rig.view.questions[0].text, "Fault codes will be cleared. Continue?");
    EXPECT_EQ(rig.view.questions[0].caption, "Attention");
    EXPECT_EQ(rig.view.questions[0].buttons, PromptButtons::YesNo);
    const auto commands = rig.commandsSince(mark);
    ASSERT_GE(commands.size(), 4u);
    EXPECT_EQ(rig.count("ErrorC", mark), 4);  // the ECM counts 3, 2, 1, then 0
    EXPECT_EQ(commands[commands.size() - 2], "GetAH");
    EXPECT_EQ(commands.back(), "GetRH");
    EXPECT_TRUE(rig.ecm->currentCodes().empty());
}

TEST(ClearFaultCodes, DeclinedSendsNothing) {
    CommandSetRig rig("faults");
    ASSERT_TRUE(rig.startSession());
    rig.view.answer = PromptAnswer::No;
    const std::size_t mark = rig.commandCount();
    EXPECT_TRUE(rig.exchange->ClearFaultCodes());
    EXPECT_TRUE(rig.commandsSince(mark).empty());
    EXPECT_FALSE(rig.ecm->currentCodes().empty());
}

TEST(ClearFaultCodes, EndsWhenTheEcmIsGone) {
    CommandSetRig rig("faults");
    ASSERT_TRUE(rig.startSession());
    rig.ecm->takeAway();
    const std::size_t mark = rig.commandCount();
    EXPECT_FALSE(rig.exchange->ClearFaultCodes());
    EXPECT_EQ(rig.count("ErrorC", mark), 1);
    EXPECT_TRUE(isDisconnectNotice(rig.channel.receiveReport));
}

TEST(ClearFaultCodes, AClearThatNeverEndsIsGivenUp) {
    CommandSetRig rig("faults");
    ASSERT_TRUE(rig.startSession());
    rig.ecm->setClearNeverFinishes(true);
    const std::size_t mark = rig.commandCount();
    EXPECT_FALSE(rig.exchange->ClearFaultCodes());
    EXPECT_EQ(rig.count("ErrorC", mark), EcuExchange::kRepeatLimit);
    EXPECT_FALSE(rig.channel.linkOpen);
    EXPECT_FALSE(rig.records.sessionActive);
}

// --- The poll cycle

TEST(PollCycle, SixTicksMakeACycleAndTheThirdTabAddsTheFreezeFrame) {
    CommandSetRig rig("faults");
    ASSERT_TRUE(rig.startSession());
    std::size_t mark = rig.commandCount();
    for (int tick = 0; tick < 7; ++tick) {  // the first only moves to step 1
        rig.betweenTicks();
        ASSERT_TRUE(rig.cycle->step(0));
    }
    EXPECT_EQ(rig.commandsSince(mark),
              (std::vector<std::string>{"GetFI1", "GetFI2", "GetFID0", "GetFID1", "GetFID3",
                                        "GetAH", "GetRH"}));
    EXPECT_EQ(rig.records.RecordStamp, timeStampOf(rig.channel.receiveReport));

    mark = rig.commandCount();
    for (int tick = 0; tick < 6; ++tick) {
        rig.betweenTicks();
        ASSERT_TRUE(rig.cycle->step(PollCycle::kThirdTab));
    }
    EXPECT_EQ(rig.commandsSince(mark),
              (std::vector<std::string>{"GetFI1", "GetFI2", "GetFIE1", "GetFID0", "GetFIE2",
                                        "GetFID1", "GetFID3", "GetAH", "GetRH", "GetTH"}));
}

TEST(PollCycle, AStepThatKeepsFailingIsSkipped) {
    CommandSetRig rig;
    ASSERT_TRUE(rig.startSession());
    rig.records.pollFailures[2] = 4;
    const std::size_t mark = rig.commandCount();
    for (int tick = 0; tick < 6; ++tick) {
        rig.betweenTicks();
        ASSERT_TRUE(rig.cycle->step(0));
    }
    EXPECT_EQ(rig.count("GetFI2", mark), 0);
    EXPECT_EQ(rig.count("GetFID0", mark), 1);
}

}  // namespace
}  // namespace corsel
