#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "link/EcuFrame.h"
#include "link/FaultLists.h"
#include "link/ReplyFiling.h"
#include "link/TableStore.h"
#include "support/EcuFrames.h"

namespace corsel {
namespace {

using testing::ecuFrame;
using testing::faultPageFrame;

// --- The checksum rule

TEST(FrameChecksum, MarineFramesSumToOneAndAllOthersToZero) {
    EXPECT_TRUE(VerifyChecksum(ecuFrame(1, 0x72, 0x10, {1, 2, 3})));
    EXPECT_FALSE(VerifyChecksum(ecuFrame(1, 0x72, 0x10, {1, 2, 3}, false)));
    EXPECT_TRUE(VerifyChecksum(ecuFrame(2, 0x72, 0x11, {1, 2, 3})));
    EXPECT_FALSE(VerifyChecksum(ecuFrame(2, 0x72, 0x11, {1, 2, 3}, false)));
    EXPECT_TRUE(VerifyChecksum(ecuFrame(7, 0x72, 0x11, {200, 201})));

    // A type 2 frame whose bytes add up to 1 is a marine sum on the wrong type.
    ModuleReport wrongRule = ecuFrame(2, 0x72, 0x11, {1, 2, 3});
    wrongRule[8] = static_cast<std::uint8_t>(wrongRule[8] + 1);  // the checksum byte
    EXPECT_FALSE(VerifyChecksum(wrongRule));
}

TEST(FrameChecksum, LengthZeroPassesUnlessTheTypeIsMarine) {
    ModuleReport report{};
    report[1] = 2;
    EXPECT_TRUE(VerifyChecksum(report));
    report[1] = 0x55;
    EXPECT_TRUE(VerifyChecksum(report));
    report[1] = 1;
    EXPECT_FALSE(VerifyChecksum(report));
}

TEST(FrameChecksum, LengthBeyondTheReportIsInvalidAndNeverReadPast) {
    // 64 bytes fill the payload exactly.
    ModuleReport full{};
    full[1] = 2;
    full[2] = 64;
    std::uint8_t sum = 2 + 64;
    full[64] = static_cast<std::uint8_t>(0 - sum);
    EXPECT_TRUE(VerifyChecksum(full));

    for (int length : {65, 100, 255}) {
        ModuleReport report{};
        report[1] = 2;
        report[2] = static_cast<std::uint8_t>(length);
        report[3] = static_cast<std::uint8_t>(0 - 2 - length);  // would sum to 0 in range
        EXPECT_FALSE(VerifyChecksum(report)) << length;
    }
}

TEST(FrameChecksum, NoDataAndModuleNotices) {
    ModuleReport report{};
    putText(report, 1, "UU");
    EXPECT_TRUE(IsNoData(report));
    EXPECT_FALSE(VerifyChecksum(report));  // its "length" 'U' is past the report
    putText(report, 1, "U?");
    EXPECT_FALSE(IsNoData(report));
    putText(report, 1, "Disconnected");
    EXPECT_TRUE(isDisconnectNotice(report));
    putText(report, 1, "Disconnecte!");
    EXPECT_FALSE(isDisconnectNotice(report));
}

// --- Filing by table number

TEST(TableStoreFiling, EachTableRangeGoesToItsBlockWhole) {
    const std::pair<std::uint8_t, TableBlock> cases[] = {
        {0x10, TableBlock::Block1x}, {0x1F, TableBlock::Block1x}, {0x20, TableBlock::Block2x},
        {0x2F, TableBlock::Block2x}, {0xD0, TableBlock::BlockD0}, {0xD1, TableBlock::BlockD1},
        {0xD3, TableBlock::BlockD3}, {0x60, TableBlock::Block6x}, {0x6F, TableBlock::Block6x},
        {0x70, TableBlock::Block7x}, {0x7F, TableBlock::Block7x}};
    for (const auto& [table, block] : cases) {
        TableStore store;
        ModuleReport report = ecuFrame(2, 0x72, table, {11, 12, 13});
        putTimeStamp(report, 0x01020304);
        ASSERT_TRUE(store.file(report)) << int{table};
        const TableStore::Block& entries = store[block];
        for (std::size_t i = 0; i < TableStore::kEntries; ++i) {
            ASSERT_EQ(entries[i], report[1 + i]) << int{table} << " entry " << i;
        }
        EXPECT_EQ(entries[3], table);
        EXPECT_TRUE(store.present(block));
    }
}

TEST(TableStoreFiling, OtherTableNumbersAreFiledNowhere) {
    for (int table : {0x00, 0x01, 0x0F, 0x30, 0x5F, 0x80, 0xCF, 0xD2, 0xD4, 0xFF}) {
        TableStore store;
        EXPECT_FALSE(store.file(ecuFrame(2, 0x72, static_cast<std::uint8_t>(table), {1})));
        for (int b = 0; b < 7; ++b) {
            EXPECT_FALSE(store.present(static_cast<TableBlock>(b)));
        }
    }
}

// --- Fault lists

TEST(FaultListsStore, EmptyPairsAreSkippedAndLaterPairsStillRead) {
    FaultLists lists;
    lists.StoreFaultCodes(faultPageFrame('t', 1, {0, 9, 7, 1, 12, 3}), true);
    EXPECT_EQ(lists.collectingCount, 2);
    EXPECT_EQ(lists.current[0], 71);
    EXPECT_EQ(lists.current[1], 123);
    EXPECT_EQ(lists.current[2], 0);

    // The past list fills from the shared count.
    lists.StoreFaultCodes(faultPageFrame('s', 1, {54, 3}), false);
    EXPECT_EQ(lists.collectingCount, 3);
    EXPECT_EQ(lists.past[2], 543);
    EXPECT_EQ(lists.past[0], 0);
}

TEST(FaultListsStore, NeverWritesPastThreeHundredCodes) {
    FaultLists lists;
    lists.past.fill(-1);  // a write past the current list would land here first
    for (int i = 0; i < 150; ++i) {
        lists.StoreFaultCodes(faultPageFrame('t', 1, {1, 1, 2, 2, 3, 3}), true);
    }
    EXPECT_EQ(lists.collectingCount, FaultLists::kCapacity);
    EXPECT_EQ(lists.current.back(), 33);  // the 300th code
    EXPECT_EQ(lists.past.front(), -1);
}

TEST(FaultListsStore, AnUnchangedCountOverwritesInPlaceAChangedOneEmptiesTheLists) {
    FaultLists lists;
    // Two passes of two codes: the second begins with the lists as they are.
    for (int pass = 0; pass < 2; ++pass) {
        lists.beginPass();
        lists.StoreFaultCodes(faultPageFrame('t', 1, {1, 2, 7, 1}), true);
    }
    lists.beginPass();
    EXPECT_EQ(lists.CurrentDtcCount, 2);
    EXPECT_EQ(lists.current[0], 12);  // still shown while the pass overwrites it
    lists.StoreFaultCodes(faultPageFrame('t', 1, {8, 1}), true);
    EXPECT_EQ(lists.current[0], 81);
    EXPECT_EQ(lists.current[1], 71);
    lists.StoreFaultCodes(faultPageFrame('t', 2, {9, 2}), true);

    // The same count again: nothing is emptied.
    lists.beginPass();
    EXPECT_EQ(lists.current[1], 92);
    lists.StoreFaultCodes(faultPageFrame('t', 1, {5, 5}), true);

    // One code where there were two: the lists start empty.
    lists.beginPass();
    EXPECT_EQ(lists.CurrentDtcCount, 1);
    EXPECT_EQ(lists.current[0], 0);
    EXPECT_EQ(lists.current[1], 0);
}

TEST(FaultListsStore, APageReadAgainCountsItsCodesOnce) {
    FaultLists lists;
    lists.CurrentDtcCount = 5;
    lists.collectingCount = 5;
    // Page 1's current half, then no data for its past half: read again.
    lists.startPage(1);
    lists.StoreFaultCodes(faultPageFrame('t', 1, {1, 2, 7, 1}), true);
    lists.startPage(1);
    EXPECT_EQ(lists.collectingCount, 0);
    EXPECT_EQ(lists.CurrentDtcCount, 5);  // the pass did not begin twice
    lists.StoreFaultCodes(faultPageFrame('t', 1, {1, 2, 7, 1}), true);
    lists.StoreFaultCodes(faultPageFrame('s', 1, {8, 1}), false);
    lists.finishPage();
    // Page 2 the same way.
    lists.startPage(2);
    lists.StoreFaultCodes(faultPageFrame('t', 2, {12, 1}), true);
    lists.startPage(2);
    lists.StoreFaultCodes(faultPageFrame('t', 2, {12, 1}), true);
    lists.StoreFaultCodes(faultPageFrame('s', 2, {9, 2}), false);
    lists.finishPage();
    EXPECT_EQ(lists.collectingCount, 5);
    EXPECT_EQ(lists.current[3], 121);
    EXPECT_EQ(lists.past[4], 92);
}

// --- ProcessReply

class ProcessReplyTest : public ::testing::Test {
protected:
    void process(const ModuleReport& reply) {
        ProcessReply(records, reply, [this](int code) {
            lookedUp.push_back(code);
            return names.count(code) != 0 ? names.at(code) : std::string("UNKNOWN");
        });
    }

    SessionRecords records;
    std::vector<int> lookedUp;
    std::map<int, std::string> names{{71, "IAT SENSOR (low voltage)"}, {12, "NO PAREN"}};
};

TEST_F(ProcessReplyTest, BadFramesCountAgainstTheStepAndAValidOneClearsTheCount) {
    records.PollStep = 3;
    for (int i = 0; i < 4; ++i) {
        process(ecuFrame(2, 0x72, 0xD0, {1, 2}, false));
    }
    EXPECT_EQ(records.pollFailures[3], 4);
    EXPECT_FALSE(records.tableStore.present(TableBlock::BlockD0));

    // Table D2 is valid: the step's count goes, but it is filed nowhere.
    process(ecuFrame(2, 0x72, 0xD2, {1, 2}));
    EXPECT_EQ(records.pollFailures[3], 0);
    for (int b = 0; b < 7; ++b) {
        EXPECT_FALSE(records.tableStore.present(static_cast<TableBlock>(b)));
    }
    EXPECT_EQ(records.pollFailures[2], 0);
}

TEST_F(ProcessReplyTest, AStepIndexBeyondTheCountersIsHarmless) {
    records.PollStep = 700;
    process(ecuFrame(2, 0x72, 0x10, {1}, false));
    process(ecuFrame(2, 0x72, 0x10, {1}));
    EXPECT_TRUE(records.tableStore.present(TableBlock::Block1x));
}

TEST_F(ProcessReplyTest, StatusFaultTextIsTheNameBeforeItsParenthesis) {
    process(ecuFrame(2, 's', 0, {7, 1, 0, 0}));
    EXPECT_EQ(records.statusFaultText, "IAT SENSOR ");
    EXPECT_EQ(lookedUp, std::vector<int>{71});
    process(ecuFrame(2, 's', 0, {1, 2}));
    EXPECT_EQ(records.statusFaultText, "NO PAREN");
    // An 's' frame of another page is no status, and live frames file no codes.
    process(ecuFrame(2, 's', 3, {0, 5, 4, 0, 0, 0, 0}));
    EXPECT_EQ(records.statusFaultText, "NO PAREN");
    EXPECT_EQ(records.faultLists.collectingCount, 0);
}

TEST_F(ProcessReplyTest, PlaybackRebuildsTheListsFromRecordedPages) {
    records.PlaybackMode = true;
    // A pass of two pages with three codes, then page 1 again: a new pass.
    process(faultPageFrame('t', 1, {1, 2, 7, 1}));
    process(faultPageFrame('s', 1, {8, 1}));
    process(faultPageFrame('t', 2, {12, 1}));
    // The status frame carries one code in bytes 5-6 and is not a page.
    process(ecuFrame(2, 's', 0, {9, 2, 9, 9, 0, 0}));
    EXPECT_EQ(records.faultLists.collectingCount, 4);
    process(faultPageFrame('t', 1, {1, 2}));
    EXPECT_EQ(records.faultLists.CurrentDtcCount, 4);
    EXPECT_EQ(records.faultLists.collectingCount, 1);
    // A page that fails its checksum files nothing.
    process(faultPageFrame('s', 1, {5, 5}));
    ModuleReport broken = faultPageFrame('s', 1, {6, 6});
    broken[12] = static_cast<std::uint8_t>(broken[12] + 1);
    process(broken);
    EXPECT_EQ(records.faultLists.collectingCount, 2);
}

TEST_F(ProcessReplyTest, PlaybackCountsAPageReadAgainOnce) {
    records.PlaybackMode = true;
    // Recorded live: the past half of page 1 had no data the first time.
    process(faultPageFrame('t', 1, {1, 2, 7, 1}));
    process(faultPageFrame('t', 1, {1, 2, 7, 1}));
    process(faultPageFrame('s', 1, {8, 1}));
    EXPECT_EQ(records.faultLists.collectingCount, 3);
    // A page whose current half had no data: its past half begins the read,
    // and page 1 the pass.
    process(faultPageFrame('s', 2, {9, 2}));
    process(faultPageFrame('s', 1, {8, 1}));
    EXPECT_EQ(records.faultLists.CurrentDtcCount, 4);
    EXPECT_EQ(records.faultLists.collectingCount, 1);
}

}  // namespace
}  // namespace corsel
