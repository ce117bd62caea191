#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "app/SettingsRecord.h"
#include "ecu/LiveValues.h"
#include "ecu/ValueFormat.h"
#include "link/SessionRecords.h"
#include "text/TextTables.h"

namespace corsel {

// Where decoded values go: the value control of a page row.
class ValueRows {
public:
    virtual ~ValueRows() = default;
    virtual void showValue(std::size_t row, const std::string& text, ValueColour colour) = 0;
};

// Turns the ECM's table bytes into the live channels' values, texts and
// colours, one channel at a time (ShowChannel) or the whole marine layout.
class ChannelDecoder {
public:
    static constexpr int kUntouched = 0;
    static constexpr int kEarlierByte = 10;  // the variant one byte before variant 1

    ChannelDecoder(LiveValues& live, SessionRecords& records, const SettingsRecord& settings,
                   const TextTables& texts, ValueRows& rows);

    // Decodes and shows one channel. Variant 0, and a variant the channel
    // does not have, leave its row as it is.
    void ShowChannel(int channel, int variant);
    // Channel 10 from its second source, block D0.
    void ShowIacCommandFromD0(int variant);
    // Every channel of the outboard ECMs' fixed layout.
    void ApplyMarineLayout();

    // The page row that a channel is drawn in by the marine layout.
    static std::size_t marineRow(std::size_t channel);

    // A decoded channel before it is shown.
    struct Reading {
        double value = 0;
        Quantity quantity = Quantity::None;
        enum class Format { Integer, Five, Switch } format = Format::Integer;
        std::size_t switchText = 0;  // the status word of a switch
    };
    std::optional<Reading> readChannel(int channel, int variant) const;
    std::optional<Reading> readMarineChannel(int channel) const;

private:
    std::uint16_t entry(TableBlock block, std::size_t index) const;
    // Unit, highlighting, format, row and records of one decoded channel.
    void present(std::size_t channel, std::size_t row, Reading reading);
    // The oxygen sensor rows of a bank: shown once the voltage was not 0.
    void showBank(int voltageChannel, int variant, bool& seen);

    LiveValues& live_;
    SessionRecords& records_;
    const SettingsRecord& settings_;
    const TextTables& texts_;
    ValueRows& rows_;
};

}  // namespace corsel
