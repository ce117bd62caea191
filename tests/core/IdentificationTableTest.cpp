#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "ecu/IdentificationTable.h"

namespace corsel {
namespace {

using identification::entries;

TEST(IdentificationTable, Holds440EntriesWith438KeysTwoOfThemRepeatedWithTheirProfile) {
    EXPECT_EQ(entries().size(), 440u);
    std::map<std::string_view, int> seen;
    for (const IdentificationEntry& e : entries()) {
        ++seen[e.EcmId];
    }
    EXPECT_EQ(seen.size(), 438u);
    std::set<std::string_view> repeated;
    for (const auto& [key, count] : seen) {
        if (count > 1) {
            repeated.insert(key);
        }
    }
    EXPECT_EQ(repeated, (std::set<std::string_view>{"010256", "010289"}));
    // The first entry decides: it is the one a lookup returns.
    for (const std::string_view key : repeated) {
        const auto first = std::find_if(entries().begin(), entries().end(),
                                        [&](const IdentificationEntry& e) { return e.EcmId == key; });
        EXPECT_EQ(LookupModelProfile(key)->profile, first->profile);
    }
}

TEST(IdentificationTable, KeysAreMatchedExactlyWithTheirLetterCase) {
    EXPECT_TRUE(LookupModelProfile("0102E5"));
    EXPECT_FALSE(LookupModelProfile("0102e5"));
    EXPECT_FALSE(LookupModelProfile("0102E"));
    EXPECT_FALSE(LookupModelProfile("0102E50"));
    EXPECT_FALSE(LookupModelProfile(""));
    EXPECT_FALSE(LookupModelProfile("0E0123"));
}

TEST(IdentificationTable, OneKeyOfEachFirstGroupHasItsProfile) {
    const std::map<std::string_view, ModelProfile> samples{
        {"010001", {0, 1, 3}},   {"010005", {1, 1, 31}},  {"0101A5", {2, 1, 5}},
        {"01000D", {3, 1, 32}},  {"010068", {4, 2, 4}},   {"010019", {5, 1, 32}},
        {"0100AA", {6, 5, 51}},  {"010318", {7, 1, 30}},  {"0401C3", {8, 1, 26}},
        {"0801F6", {9, 2, 57}},  {"05008E", {10, 0, 42}}, {"0B02FB", {11, 2, 57}},
        {"010065", {12, 5, 46}}, {"010424", {13, 1, 20}}, {"010079", {14, 6, 32}},
        {"010274", {15, 2, 57}}, {"0800E5", {11, 2, 0}},  {"0100E5", {11, 2, 58}},
    };
    for (const auto& [key, profile] : samples) {
        const auto match = LookupModelProfile(key);
        ASSERT_TRUE(match) << key;
        EXPECT_EQ(match->profile, profile) << key;
        EXPECT_FALSE(match->fixedList) << key;
    }
    const auto fixed = LookupModelProfile("010017");
    ASSERT_TRUE(fixed);
    EXPECT_TRUE(fixed->fixedList);
}

TEST(IdentificationTable, ChannelRowsFollowTheGroupAndTheTableDigit) {
    using Row1x = std::array<std::uint8_t, 15>;
    EXPECT_EQ(identification::variants1x(0, 0xB), (Row1x{1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(identification::variants1x(2, 6), (Row1x{1, 0, 0, 2, 2, 0, 3, 3, 3, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(identification::variants1x(7, 6), (Row1x{1, 2, 2, 2, 2, 0, 3, 3, 3, 0, 0, 0, 0, 2, 0}));
    EXPECT_EQ(identification::variants1x(12, 5), (Row1x{1, 0, 1, 1, 1, 1, 1, 1, 1, 2, 3, 0, 0, 0, 0}));
    EXPECT_EQ(identification::variants1x(14, 2), (Row1x{1, 0, 1, 1, 1, 1, 1, 1, 1, 2, 0, 2, 1, 0, 0}));
    for (std::uint8_t digit = 8; digit < 16; ++digit) {
        EXPECT_FALSE(identification::variants1x(2, digit));
        EXPECT_FALSE(identification::variants1x(15, digit));
    }
    EXPECT_FALSE(identification::variants1x(16, 0));

    EXPECT_FALSE(identification::variantsD0(0));
    EXPECT_EQ(identification::variantsD0(6),
              (std::array<std::uint8_t, 11>{1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1}));
    EXPECT_FALSE(identification::variantsD0(7));

    const auto row3 = identification::variantsD1(3);
    ASSERT_TRUE(row3);
    EXPECT_EQ(std::count(row3->begin(), row3->end(), 1), 6);
    EXPECT_EQ((*identification::variantsD1(2))[20], 2);  // the gear, variant 2
    EXPECT_EQ((*identification::variantsD1(47))[22], 1);
    for (std::uint8_t group = 58; group <= 61; ++group) {
        EXPECT_FALSE(identification::variantsD1(group));
    }
}

}  // namespace
}  // namespace corsel
