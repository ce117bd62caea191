#include "ecu/ChannelDecoder.h"

#include <array>

namespace corsel {

namespace {

using Reading = ChannelDecoder::Reading;
using Format = Reading::Format;

constexpr int kNoEntry = -1;

// Status words of the page texts.
constexpr std::size_t kOpen = 102;
constexpr std::size_t kShort = 103;
constexpr std::size_t kOn = 106;
constexpr std::size_t kOff = 107;

// The entry a channel reads for variants 1, 2, 3 and 10; kNoEntry where the
// channel has no such variant.
struct Sources {
    int variant1;
    int variant2;
    int variant3;
    int variant10;

    std::optional<std::size_t> forVariant(int variant) const {
        int source = kNoEntry;
        switch (variant) {
            case 1:
                source = variant1;
                break;
            case 2:
                source = variant2;
                break;
            case 3:
                source = variant3;
                break;
            case ChannelDecoder::kEarlierByte:
                source = variant10;
                break;
            default:
                break;
        }
        if (source == kNoEntry) {
            return std::nullopt;
        }
        return static_cast<std::size_t>(source);
    }
};

// Where channels 0-14 read block 1x.
constexpr std::array<Sources, 15> kSources1x{{
    {5, kNoEntry, kNoEntry, 4},          // 0 engine speed (two bytes)
    {18, 25, kNoEntry, kNoEntry},        // 1 vehicle speed
    {10, 17, 14, 9},                     // 2 ECT
    {12, 19, kNoEntry, 11},              // 3 IAT
    {14, 21, kNoEntry, 13},              // 4 MAP
    {8, 9, kNoEntry, 7},                 // 5 TP
    {17, 15, 24, 16},                    // 6 battery
    {19, 16, 26, 18},                    // 7 injector (two bytes)
    {21, 18, 28, 20},                    // 8 advance
    {22, 22, kNoEntry, 21},              // 9 IACV pulses
    {23, 23, 23, 22},                    // 10 IAC command (two bytes)
    {10, 24, kNoEntry, kNoEntry},        // 11 EOT
    {26, kNoEntry, kNoEntry, kNoEntry},  // 12 TCP
    {12, kNoEntry, kNoEntry, kNoEntry},  // 13 AP
    {22, kNoEntry, kNoEntry, kNoEntry},  // 14 RAC valve (two bytes)
}};

// A switch of block D1: one bit, and the state it means when set.
struct SwitchBit {
    std::uint8_t entry;
    std::uint8_t bit;
    bool setMeansOn;
    std::int8_t entryForVariant10 = kNoEntry;
};

// Channels 30-52 (50, the gear, is read on its own).
constexpr std::array<SwitchBit, 23> kSwitchesD1{{
    {5, 0, true},       // 30 ignition cut-off
    {5, 1, false},      // 31 engine run switch: set means off
    {5, 2, false, 4},   // 32 SCS: set means short
    {9, 0, true, 8},    // 33 fuel pump
    {9, 1, true},       // 34
    {9, 2, true},       // 35
    {10, 0, true},      // 36
    {5, 4, true},       // 37
    {6, 1, true},       // 38
    {6, 4, true},       // 39
    {6, 5, true},       // 40
    {6, 6, true},       // 41
    {6, 7, true},       // 42
    {10, 1, true},      // 43
    {9, 3, true},       // 44
    {10, 3, true},      // 45
    {9, 5, true},       // 46
    {5, 5, true},       // 47
    {9, 4, true},       // 48
    {10, 2, true},      // 49
    {7, 0, true},       // 50: the gear, not a switch
    {9, 6, true},       // 51
    {10, 7, true},      // 52
}};
constexpr int kFirstSwitchD1 = 30;
constexpr int kServiceCheckChannel = 32;
constexpr int kGearChannel = 50;
constexpr int kGearEntry = 7;
constexpr std::array<int, 6> kGearBits{0, 1, 2, 3, 4, 7};

constexpr double kFiveVolts = 5.0 / 255;

Reading integer(double value, Quantity quantity = Quantity::None) {
    return {value, quantity, Format::Integer, 0};
}
Reading five(double value, Quantity quantity = Quantity::None) {
    return {value, quantity, Format::Five, 0};
}
// On/Off, or Open/Short for the service check; On and Open count as 1.
Reading switchState(bool onOrOpen, bool openShortWords = false) {
    const std::size_t word = openShortWords ? (onOrOpen ? kOpen : kShort) : (onOrOpen ? kOn : kOff);
    return {onOrOpen ? 1.0 : 0.0, Quantity::None, Format::Switch, word};
}

bool bitSet(std::uint16_t byte, int bit) { return (byte >> bit & 1) != 0; }

}  // namespace

ChannelDecoder::ChannelDecoder(LiveValues& live, SessionRecords& records,
                               const SettingsRecord& settings, const TextTables& texts,
                               ValueRows& rows)
    : live_(live), records_(records), settings_(settings), texts_(texts), rows_(rows) {}

std::uint16_t ChannelDecoder::entry(TableBlock block, std::size_t index) const {
    return index < TableStore::kEntries ? records_.tableStore[block][index] : 0;
}

std::size_t ChannelDecoder::marineRow(std::size_t channel) {
    if (channel <= 16 || channel == kGearChannel) {
        return channel;
    }
    if (channel <= 33) {
        return channel + 1;
    }
    return channel + 2;
}

std::optional<Reading> ChannelDecoder::readChannel(int channel, int variant) const {
    if (variant == kUntouched) {
        return std::nullopt;
    }
    const auto b1x = [this](std::size_t i) { return double(entry(TableBlock::Block1x, i)); };
    const auto b2x = [this](std::size_t i) { return double(entry(TableBlock::Block2x, i)); };
    const auto bD0 = [this](std::size_t i) { return double(entry(TableBlock::BlockD0, i)); };
    const bool earlier = variant == kEarlierByte;

    if (channel >= 0 && channel < static_cast<int>(kSources1x.size())) {
        const std::optional<std::size_t> at = kSources1x[channel].forVariant(variant);
        if (!at) {
            return std::nullopt;
        }
        const std::size_t i = *at;
        switch (channel) {
            case 0:
                return integer(256 * b1x(i) + b1x(i + 1));
            case 1:
                return integer(b1x(i), Quantity::Speed);
            case 2:
            case 3:
            case 11:
                return integer(b1x(i) - 40, Quantity::Temperature);
            case 4:
            case 12:
                return integer(b1x(i), Quantity::Pressure);
            case 5:
                return integer(b1x(i) / 2);
            case 6:
                return five(b1x(i) / 10);
            case 7:
                return five(b1x(i) * 1.024 + b1x(i + 1) * 0.004);
            case 8:
                return integer((entry(TableBlock::Block1x, i) >> 1) - 64);
            case 9:
                return integer(variant == 1 ? b1x(i) * 2 : b1x(i));
            case 10:
                if (variant == 1) {
                    return five(b1x(i) * 0.0512 + b1x(i + 1) * 0.0002, Quantity::AirFlow);
                }
                if (variant == 2) {
                    return five(b1x(i) / 130.21 + b1x(i + 1) / 33333.3, Quantity::AirFlow);
                }
                return five(b1x(i) / 42.67 + b1x(i + 1) / 10944, Quantity::AirFlow);
            case 13:
                return integer(b1x(i) - 40, Quantity::Pressure);
            case 14:
                return five(b1x(i) * 9.376 + b1x(i + 1) * 0.0364, Quantity::FlowRate);
            default:
                return std::nullopt;
        }
    }
    switch (channel) {
        case 15:
            return five(b2x(earlier ? 4 : 5) * kFiveVolts);
        case 16:
            return switchState((entry(TableBlock::Block2x, 7) & 0x0F) != 0);
        case 17:
            return five(b2x(earlier ? 5 : 6) * 2 / 255);
        case 18:
            return five(b2x(8) * kFiveVolts);
        case 19:
            return switchState((entry(TableBlock::Block2x, 10) & 0x0F) != 0);
        case 20:
            return five(b2x(9) * 2 / 255);
        case 21:
            return five(bD0(18) * kFiveVolts);
        case 22:
            return five(bD0(10) * kFiveVolts);
        case 23:
            return five(bD0(11) * kFiveVolts);
        case 24:
            return integer(bD0(12));
        case 25:
            return five(bD0(13) * 1.27 / 255);
        case 26:
            return five(bD0(14) * 1.27 / 255);
        case 27:
            return integer(bD0(15));
        case 28:
            return five(bD0(19) * 100 / 255);
        case 29:
            return integer(bD0(22) - 40);
        case 53:
            return switchState(bitSet(entry(TableBlock::BlockD0, earlier ? 4 : 5), 7));
        default:
            break;
    }
    if (channel == kGearChannel) {
        const std::uint16_t gears = entry(TableBlock::BlockD1, kGearEntry);
        int gear = 0;
        for (std::size_t g = 0; g < kGearBits.size() && gear == 0; ++g) {
            gear = bitSet(gears, kGearBits[g]) ? static_cast<int>(g) + 1 : 0;
        }
        return integer(gear);
    }
    if (channel >= kFirstSwitchD1 && channel < kFirstSwitchD1 + static_cast<int>(kSwitchesD1.size())) {
        const SwitchBit& bit = kSwitchesD1[static_cast<std::size_t>(channel - kFirstSwitchD1)];
        const int at = earlier && bit.entryForVariant10 != kNoEntry ? bit.entryForVariant10 : bit.entry;
        const bool set = bitSet(entry(TableBlock::BlockD1, static_cast<std::size_t>(at)), bit.bit);
        return switchState(set == bit.setMeansOn, channel == kServiceCheckChannel);
    }
    return std::nullopt;
}

std::optional<Reading> ChannelDecoder::readMarineChannel(int channel) const {
    const auto b1x = [this](std::size_t i) { return double(entry(TableBlock::Block1x, i)); };
    const auto b2x = [this](std::size_t i) { return double(entry(TableBlock::Block2x, i)); };
    const auto bD0 = [this](std::size_t i) { return double(entry(TableBlock::BlockD0, i)); };
    const auto d1 = [this](std::size_t i, int bit) {
        return bitSet(entry(TableBlock::BlockD1, i), bit);
    };
    const auto word = [this](std::size_t i) {
        return 256.0 * entry(TableBlock::BlockD3, i) + entry(TableBlock::BlockD3, i + 1);
    };
    switch (channel) {
        case 0:
            return integer((entry(TableBlock::Block1x, 5) * 256 + entry(TableBlock::Block1x, 6)) / 4);
        case 1:
            return five(b1x(19) * 0.02);
        case 2:
            return integer(b1x(10) - 40, Quantity::Temperature);
        case 3:
            return integer(b1x(12) - 40, Quantity::Temperature);
        case 4:
            return integer(b1x(14), Quantity::Pressure);
        case 5:
            return integer(b1x(8) / 2);
        case 6:
            return five(b1x(18) / 10);
        case 7:
            return five(b1x(20) * 1.024 + b1x(21) * 0.004);
        case 8:
            return integer((entry(TableBlock::Block1x, 17) >> 1) - 64);
        case 9:
            return integer(b1x(25) - 40, Quantity::Temperature);
        case 10:
            return integer(b1x(27) - 40, Quantity::Temperature);
        case 11:
            return five(b1x(23));
        case 12:
            return five(b1x(22) * 0.39);
        case 13:
            return integer(b1x(16) - 40, Quantity::Pressure);
        case 14:
            return switchState(!d1(5, 2), true);
        case 15:
            return five(b2x(5) * kFiveVolts);
        case 16:
            return switchState(bitSet(entry(TableBlock::Block2x, 8), 0));
        case 17:
            return five(b2x(6) * 2 / 255);
        case 18:
            return five(b2x(7) / 100);
        case 19:
            return five(bD0(11) * 50 / 255);
        case 20:
            return five(bD0(12) * 50 / 255);
        case 21:
            return five(bD0(5) * kFiveVolts);
        case 22:
            return five(bD0(13) * 0.234);
        case 23:
            return switchState(d1(5, 0));
        case 24:
            return switchState(d1(5, 1));
        case 25:
            return switchState(!d1(5, 3));
        case 26:
            return switchState(d1(7, 0));
        case 27:
            return switchState(d1(7, 1));
        case 28:
            return switchState(d1(7, 2));
        case 29:
            return switchState(d1(8, 6));
        case 30:
            return switchState(d1(13, 0));
        case 31:
            return switchState(d1(14, 2));
        case 32:
            return switchState(d1(14, 3));
        case 33:
            return integer(word(5) / 2);
        case 34:
            return integer(word(11) / 2);
        case 35:
            return integer(word(9) / 2);
        case 36:
            return integer(word(7) / 2);
        case 37:
            return integer(word(19));
        case 38:
            return integer(word(26));
        case 39:
            return integer(word(23) * 100);
        case 40:
            return integer(word(13) / 2);
        case 41:
            return integer(word(15) / 2);
        case 42:
            return integer(word(17));
        case kGearChannel:
            return integer(b1x(records_.identity.EcmId == "010060" ? 29 : 31) - 40,
                           Quantity::Temperature);
        default:
            return std::nullopt;
    }
}

void ChannelDecoder::present(std::size_t channel, std::size_t row, Reading reading) {
    double value = convertUnit(reading.value, reading.quantity, settings_);
    const bool atFault = records_.CurrentPage == SessionRecords::kFreezeFramePage;
    ValueColour colour = kNormalColour;
    if (!atFault) {
        std::int32_t& ticks = live_.HighlightTicks[channel];
        if (value != live_.ChannelValue[channel]) {
            ticks = settings_[SettingsRecord::HighlightPeriod] * LiveValues::kTicksPerSecond;
        } else if (ticks > 0) {
            --ticks;
        }
        colour = ticks > 0 ? kHighlightColour : kNormalColour;
    }
    std::string text;
    switch (reading.format) {
        case Format::Integer:
            text = formatInteger(value);
            break;
        case Format::Five: {
            FiveCharacterText five = FormatFive(value);
            if (five.exponent) {
                colour = kNormalColour;
                value = 0;
            }
            text = std::move(five.text);
            break;
        }
        case Format::Switch:
            text = TextTables::entry(texts_.PageTexts, reading.switchText);
            break;
    }
    rows_.showValue(row, text, colour);
    live_.ChannelValue[channel] = value;
    (atFault ? live_.FaultValueTexts : live_.LiveValueTexts)[channel] = std::move(text);
}

void ChannelDecoder::ShowChannel(int channel, int variant) {
    if (channel == 15) {
        showBank(15, variant, live_.O2Seen1);
        return;
    }
    if (channel == 18) {
        showBank(18, variant, live_.O2Seen2);
        return;
    }
    if (const std::optional<Reading> reading = readChannel(channel, variant)) {
        present(static_cast<std::size_t>(channel), static_cast<std::size_t>(channel), *reading);
    }
}

void ChannelDecoder::showBank(int voltageChannel, int variant, bool& seen) {
    const std::optional<Reading> voltage = readChannel(voltageChannel, variant);
    if (!voltage || (voltage->value == 0 && !seen)) {
        return;
    }
    seen = true;
    const auto channel = static_cast<std::size_t>(voltageChannel);
    present(channel, channel, *voltage);
    if (voltageChannel == 15) {
        const int rest = variant == kEarlierByte ? kEarlierByte : 1;
        ShowChannel(17, rest);
        ShowChannel(16, rest);
    } else {
        ShowChannel(19, 1);
        ShowChannel(20, 1);
    }
}

void ChannelDecoder::ShowIacCommandFromD0(int variant) {
    if (variant == kUntouched) {
        return;
    }
    const double value = entry(TableBlock::BlockD0, 20) * 0.06912 + entry(TableBlock::BlockD0, 21) * 0.00027;
    present(10, 10, five(value));
}

void ChannelDecoder::ApplyMarineLayout() {
    for (int channel = 0; channel <= 42; ++channel) {
        present(static_cast<std::size_t>(channel), marineRow(static_cast<std::size_t>(channel)),
                *readMarineChannel(channel));
    }
    present(kGearChannel, kGearChannel, *readMarineChannel(kGearChannel));
}

}  // namespace corsel
