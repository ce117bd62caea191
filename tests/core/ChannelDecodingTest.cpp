#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>

#include "ecu/ChannelDecoder.h"
#include "ecu/Identification.h"
#include "text/Localisation.h"

namespace corsel {
namespace {

// The value controls as the decoder fills them.
class RowLog final : public ValueRows {
public:
    void showValue(std::size_t row, const std::string& text, ValueColour colour) override {
        rows[row] = {text, colour};
        order.push_back(row);
    }
    std::set<std::size_t> shownRows() const {
        std::set<std::size_t> shown;
        for (const auto& [row, value] : rows) {
            shown.insert(row);
        }
        return shown;
    }
    std::map<std::size_t, std::pair<std::string, ValueColour>> rows;
    std::vector<std::size_t> order;
};

class Decoding : public ::testing::Test {
protected:
    Decoding() { localisation.LoadLanguage(settings, false); }

    void set(TableBlock block, std::size_t entry, std::uint16_t value) {
        records.tableStore[block][entry] = value;
    }
    std::string text(std::size_t row) { return rows.rows[row].first; }
    ValueColour colour(std::size_t row) { return rows.rows[row].second; }
    std::string show(int channel, int variant = 1) {
        decoder.ShowChannel(channel, variant);
        return text(static_cast<std::size_t>(channel));
    }

    SessionRecords records;
    LiveValues live;
    SettingsRecord settings = SettingsRecord::defaults();
    Localisation localisation;
    RowLog rows;
    ChannelDecoder decoder{live, records, settings, localisation.tables, rows};
};

TEST_F(Decoding, MotorcycleChannelsReadTheirBytesByVariant) {
    set(TableBlock::Block1x, 5, 0x05);
    set(TableBlock::Block1x, 6, 0xDC);
    EXPECT_EQ(show(0), "1500");
    EXPECT_EQ(live.ChannelValue[0], 1500.0);
    EXPECT_EQ(show(0, 10), "5");  // one byte earlier: 0x00, 0x05

    set(TableBlock::Block1x, 10, 0);
    EXPECT_EQ(show(2), "-40");
    settings[SettingsRecord::TemperatureUnit] = 1;
    EXPECT_EQ(show(2), "-40");
    set(TableBlock::Block1x, 10, 140);
    EXPECT_EQ(show(2), "212");

    set(TableBlock::Block1x, 17, 135);
    EXPECT_EQ(show(6), "13.50");
    set(TableBlock::Block1x, 17, 5);
    EXPECT_EQ(show(6), "0.500");
    set(TableBlock::Block1x, 19, 1);
    EXPECT_EQ(show(7), "1.024");
    set(TableBlock::Block1x, 21, 129);
    EXPECT_EQ(show(8), "0");
    set(TableBlock::Block1x, 21, 255);
    EXPECT_EQ(show(8), "63");
    set(TableBlock::Block1x, 22, 30);
    EXPECT_EQ(show(9, 1), "60");
    EXPECT_EQ(show(9, 2), "30");
    set(TableBlock::Block1x, 8, 201);
    EXPECT_EQ(show(5), "100");  // 100.5 truncated
}

TEST_F(Decoding, AVariantTheChannelDoesNotHaveLeavesItsRowAlone) {
    set(TableBlock::Block1x, 12, 100);
    decoder.ShowChannel(13, 2);  // no source of its own
    decoder.ShowChannel(1, 10);
    decoder.ShowChannel(12, 2);
    decoder.ShowChannel(4, 0);
    EXPECT_TRUE(rows.rows.empty());
    EXPECT_EQ(show(13, 1), "60");
}

TEST_F(Decoding, IacCommandHasASecondSourceInBlockD0) {
    set(TableBlock::BlockD0, 20, 10);
    set(TableBlock::BlockD0, 21, 100);
    decoder.ShowIacCommandFromD0(1);
    EXPECT_EQ(text(10), "0.718");  // 0.6912 + 0.027
}

TEST_F(Decoding, GearIsTheFirstSetBitOfItsByte) {
    const std::pair<std::uint16_t, const char*> cases[] = {
        {0x80, "6"}, {0x03, "1"}, {0x20, "0"}, {0x10, "5"}, {0x00, "0"}};
    for (const auto& [byte, gear] : cases) {
        set(TableBlock::BlockD1, 7, byte);
        EXPECT_EQ(show(50), gear) << byte;
    }
}

TEST_F(Decoding, SwitchesShowTheirWordAndStoreOneForOnOrOpen) {
    set(TableBlock::BlockD1, 5, 0x01);  // ignition set, run switch clear, SCS clear
    EXPECT_EQ(show(30), "On");
    EXPECT_EQ(show(31), "On");  // clear means on
    EXPECT_EQ(show(32), "Open");
    EXPECT_EQ(live.ChannelValue[32], 1.0);
    set(TableBlock::BlockD1, 5, 0x06);
    EXPECT_EQ(show(31), "Off");
    EXPECT_EQ(show(32), "Short");
    EXPECT_EQ(live.ChannelValue[32], 0.0);
    set(TableBlock::BlockD1, 4, 0x00);
    EXPECT_EQ(show(32, 10), "Open");  // variant 10 reads the byte before

    set(TableBlock::BlockD0, 5, 0x7F);
    EXPECT_EQ(show(53), "Off");
    set(TableBlock::BlockD0, 5, 0x80);
    EXPECT_EQ(show(53), "On");
}

TEST_F(Decoding, AnOxygenBankAppearsOnceItsVoltageWasNotZero) {
    set(TableBlock::Block2x, 7, 0x10);  // heater: low bits clear
    decoder.ShowChannel(15, 1);
    EXPECT_TRUE(rows.rows.empty());
    set(TableBlock::Block2x, 5, 51);
    decoder.ShowChannel(15, 1);
    EXPECT_EQ(rows.order, (std::vector<std::size_t>{15, 17, 16}));
    EXPECT_EQ(text(15), "1.000");
    EXPECT_EQ(text(16), "Off");
    set(TableBlock::Block2x, 5, 0);
    decoder.ShowChannel(15, 1);
    EXPECT_EQ(text(15), "0.000");
    // The other bank keeps its own mark.
    decoder.ShowChannel(18, 1);
    EXPECT_EQ(rows.shownRows(), (std::set<std::size_t>{15, 16, 17}));
}

TEST_F(Decoding, AChangedValueStaysRedForThePeriodAndNeverOnTheFaultPage) {
    settings[SettingsRecord::HighlightPeriod] = 5;
    set(TableBlock::Block1x, 18, 50);
    show(1);
    EXPECT_EQ(colour(1), kHighlightColour);
    for (int refresh = 2; refresh <= 90; ++refresh) {
        show(1);
        ASSERT_EQ(colour(1), kHighlightColour) << refresh;
    }
    show(1);
    EXPECT_EQ(colour(1), kNormalColour);

    records.CurrentPage = 3;
    set(TableBlock::Block1x, 18, 60);
    show(1);
    EXPECT_EQ(colour(1), kNormalColour);
    EXPECT_EQ(live.FaultValueTexts[1], "60");
    EXPECT_EQ(live.LiveValueTexts[1], "50");
}

TEST(ValueFormat, FiveCharactersWithoutAnExponent) {
    const std::pair<double, const char*> cases[] = {
        {13.5, "13.50"}, {0.5, "0.500"},   {1.024, "1.024"}, {100.0, "100.0"},
        {0.0, "0.000"},  {1500.0, "1500."}, {2.0009, "2.000"}, {9999.0, "9999."}};
    for (const auto& [value, text] : cases) {
        const FiveCharacterText five = FormatFive(value);
        EXPECT_EQ(five.text, text) << value;
        EXPECT_FALSE(five.exponent) << value;
    }
    for (const double large : {12345.0, 9999.9, 1e9}) {
        const FiveCharacterText five = FormatFive(large);
        EXPECT_EQ(five.text, "0.000") << large;
        EXPECT_TRUE(five.exponent) << large;
    }
    EXPECT_EQ(formatInteger(-40.7), "-40");
    EXPECT_EQ(formatInteger(62.137), "62");
}

TEST(ValueFormat, EveryUnitConversion) {
    SettingsRecord settings = SettingsRecord::defaults();
    const auto in = [&](SettingsRecord::Slot slot, int unit, Quantity quantity, double value) {
        settings[slot] = static_cast<std::int8_t>(unit);
        return convertUnit(value, quantity, settings);
    };
    EXPECT_DOUBLE_EQ(in(SettingsRecord::SpeedUnit, 0, Quantity::Speed, 100), 100);
    EXPECT_DOUBLE_EQ(in(SettingsRecord::SpeedUnit, 1, Quantity::Speed, 100), 62.137);
    EXPECT_DOUBLE_EQ(in(SettingsRecord::TemperatureUnit, 1, Quantity::Temperature, -40), -40);
    EXPECT_DOUBLE_EQ(in(SettingsRecord::TemperatureUnit, 1, Quantity::Temperature, 100), 212);
    EXPECT_DOUBLE_EQ(in(SettingsRecord::PressureUnit, 1, Quantity::Pressure, 100), 750);
    EXPECT_DOUBLE_EQ(in(SettingsRecord::PressureUnit, 2, Quantity::Pressure, 100), 29.5);
    EXPECT_DOUBLE_EQ(in(SettingsRecord::PressureUnit, 3, Quantity::Pressure, 100), 14.5);
    EXPECT_DOUBLE_EQ(in(SettingsRecord::AirFlowUnit, 1, Quantity::AirFlow, 10), 1.32277357);
    EXPECT_DOUBLE_EQ(in(SettingsRecord::FlowRateUnit, 1, Quantity::FlowRate, 60), 1);
    EXPECT_DOUBLE_EQ(in(SettingsRecord::FlowRateUnit, 2, Quantity::FlowRate, 100), 26.417);
    EXPECT_DOUBLE_EQ(in(SettingsRecord::FlowRateUnit, 3, Quantity::FlowRate, 1000), 4.4029);
    // A conversion follows its own slot only.
    EXPECT_DOUBLE_EQ(in(SettingsRecord::FlowRateUnit, 3, Quantity::None, 1000), 1000);
}

TEST_F(Decoding, MarineLayoutHasItsOwnFormulasAndShiftedRows) {
    set(TableBlock::Block1x, 5, 0x17);
    set(TableBlock::Block1x, 6, 0x70);
    set(TableBlock::Block1x, 31, 120);
    set(TableBlock::Block1x, 29, 100);
    set(TableBlock::BlockD3, 5, 0x01);
    set(TableBlock::BlockD3, 6, 0x01);  // 257 half hours
    set(TableBlock::BlockD1, 5, 0x08);  // emergency switch: set means off
    decoder.ApplyMarineLayout();
    EXPECT_EQ(text(0), "1500");
    EXPECT_EQ(text(34), "128");  // channel 33 one row lower
    EXPECT_EQ(text(26), "Off");  // channel 25
    EXPECT_EQ(text(50), "80");
    EXPECT_EQ(live.ChannelValue[33], 128.5);
    const std::set<std::size_t> shown = rows.shownRows();
    EXPECT_EQ(shown.size(), 44u);
    EXPECT_FALSE(shown.contains(17));
    EXPECT_FALSE(shown.contains(35));
    EXPECT_TRUE(shown.contains(44));

    records.identity.EcmId = "010060";
    decoder.ApplyMarineLayout();
    EXPECT_EQ(text(50), "60");
}

class Identifying : public Decoding {
protected:
    void present(TableBlock block) { set(block, 0, 2); }
    bool identify(const std::string& ecmId) {
        records.identity.EcmId = ecmId;
        return ApplyIdentification(decoder, records);
    }
};

TEST_F(Identifying, AProfileShowsTheChannelsItsRowsName) {
    for (const TableBlock block : {TableBlock::Block1x, TableBlock::Block2x, TableBlock::BlockD0,
                                   TableBlock::BlockD1}) {
        present(block);
    }
    set(TableBlock::Block1x, 3, 0x10);
    ASSERT_TRUE(identify("010001"));
    EXPECT_EQ(rows.shownRows(), (std::set<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 53, 30, 31, 32,
                                                       33, 34, 35}));
    // Blocks not read leave their channels alone.
    rows.rows.clear();
    set(TableBlock::BlockD1, 0, 0);
    set(TableBlock::Block1x, 3, 0x1A);  // group 0 shows its row for every table digit
    ASSERT_TRUE(identify("010001"));
    EXPECT_EQ(rows.shownRows(), (std::set<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 53}));
}

TEST_F(Identifying, TheTableDigitChoosesTheRowAndHighDigitsShowNothing) {
    present(TableBlock::Block1x);
    set(TableBlock::Block1x, 3, 0x16);
    ASSERT_TRUE(identify("010004"));  // group 1: the same row for any digit
    EXPECT_EQ(rows.shownRows().size(), 11u);
    rows.rows.clear();
    set(TableBlock::Block1x, 3, 0x18);
    ASSERT_TRUE(identify("0101A5"));  // group 2, digit 8
    EXPECT_TRUE(rows.shownRows().empty());
    set(TableBlock::Block1x, 3, 0x16);
    ASSERT_TRUE(identify("0101A5"));
    EXPECT_EQ(rows.shownRows(), (std::set<std::size_t>{0, 3, 4, 6, 7, 8}));
}

TEST_F(Identifying, TheFixedListKeyShowsItsChannelsFromUnreadBlocks) {
    set(TableBlock::Block2x, 4, 51);
    ASSERT_TRUE(identify("010017"));
    EXPECT_EQ(rows.shownRows(), (std::set<std::size_t>{0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 16, 17,
                                                       32, 33, 53}));
    EXPECT_EQ(text(2), "-40");
    EXPECT_EQ(text(53), "Off");
}

TEST_F(Identifying, AnOutboardFrameSwitchesToTheMarineLayout) {
    present(TableBlock::BlockD1);
    set(TableBlock::Block1x, 0, 1);
    ASSERT_TRUE(identify("0102E5"));
    EXPECT_TRUE(records.identity.MarineMode);
    EXPECT_EQ(rows.shownRows().size(), 44u);
    EXPECT_FALSE(rows.shownRows().contains(53));

    rows.rows.clear();
    set(TableBlock::Block1x, 0, 0);
    ASSERT_TRUE(identify("unknown"));  // marine mode needs no key
    EXPECT_EQ(rows.shownRows().size(), 44u);
}

TEST_F(Identifying, AnUnknownEcmShowsNothing) {
    present(TableBlock::Block1x);
    EXPECT_FALSE(identify("0102e5"));
    EXPECT_TRUE(rows.rows.empty());
}

}  // namespace
}  // namespace corsel
