#include "sim/EcmTables.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <span>

namespace corsel {

namespace {

using Quantity = double EngineState::*;
using Flag = bool EngineState::*;

// One value in a table, read as byte × firstScale + offset, or, over two
// entries, as first × firstScale + second × secondScale + offset.
struct Field {
    std::uint8_t entry;
    double firstScale;
    double secondScale;  // 0: one byte
    double offset;
    Quantity quantity;
};

constexpr Field byteAt(std::uint8_t entry, double scale, double offset, Quantity quantity) {
    return {entry, scale, 0, offset, quantity};
}
constexpr Field temperatureAt(std::uint8_t entry, Quantity quantity, double bias = 0) {
    return byteAt(entry, 1, -40 - bias, quantity);  // byte - 40; a bias reads that much warmer
}
constexpr Field pairAt(std::uint8_t entry, double firstScale, double secondScale,
                       Quantity quantity) {
    return {entry, firstScale, secondScale, 0, quantity};
}
constexpr Field wordAt(std::uint8_t entry, double scale, Quantity quantity) {
    return pairAt(entry, 256 * scale, scale, quantity);
}

// A switch: one bit, set when the flag is `setWhen`.
struct Bit {
    std::uint8_t entry;
    std::uint8_t mask;
    Flag flag;
    bool setWhen = true;
};

struct ChannelSource {
    std::uint8_t channel;
    std::uint8_t variant;
    Field field;
};

constexpr double kFiveVoltScale = 5.0 / 255;  // a 0-5 V input
constexpr double kTrimScale = 2.0 / 255;

// Where each 1x layout variant of the motorcycle channels sits. Channels 12
// to 14 measure nothing that the simulated engine has.
constexpr std::array kMotorcycle1x{
    ChannelSource{0, 1, wordAt(5, 1, &EngineState::engineSpeed)},
    ChannelSource{0, 10, wordAt(4, 1, &EngineState::engineSpeed)},
    ChannelSource{1, 1, byteAt(18, 1, 0, &EngineState::vehicleSpeed)},
    ChannelSource{1, 2, byteAt(25, 1, 0, &EngineState::vehicleSpeed)},
    ChannelSource{2, 1, temperatureAt(10, &EngineState::coolant)},
    ChannelSource{2, 2, temperatureAt(17, &EngineState::coolant)},
    ChannelSource{2, 3, temperatureAt(14, &EngineState::coolant)},
    ChannelSource{2, 10, temperatureAt(9, &EngineState::coolant)},
    ChannelSource{3, 1, temperatureAt(12, &EngineState::intakeAir)},
    ChannelSource{3, 2, temperatureAt(19, &EngineState::intakeAir)},
    ChannelSource{3, 10, temperatureAt(11, &EngineState::intakeAir)},
    ChannelSource{4, 1, byteAt(14, 1, 0, &EngineState::manifoldPressure)},
    ChannelSource{4, 2, byteAt(21, 1, 0, &EngineState::manifoldPressure)},
    ChannelSource{4, 10, byteAt(13, 1, 0, &EngineState::manifoldPressure)},
    ChannelSource{5, 1, byteAt(8, 0.5, 0, &EngineState::throttle)},
    ChannelSource{5, 2, byteAt(9, 0.5, 0, &EngineState::throttle)},
    ChannelSource{5, 10, byteAt(7, 0.5, 0, &EngineState::throttle)},
    ChannelSource{6, 1, byteAt(17, 0.1, 0, &EngineState::battery)},
    ChannelSource{6, 2, byteAt(15, 0.1, 0, &EngineState::battery)},
    ChannelSource{6, 3, byteAt(24, 0.1, 0, &EngineState::battery)},
    ChannelSource{6, 10, byteAt(16, 0.1, 0, &EngineState::battery)},
    ChannelSource{7, 1, pairAt(19, 1.024, 0.004, &EngineState::injector)},
    ChannelSource{7, 2, pairAt(16, 1.024, 0.004, &EngineState::injector)},
    ChannelSource{7, 3, pairAt(26, 1.024, 0.004, &EngineState::injector)},
    ChannelSource{7, 10, pairAt(18, 1.024, 0.004, &EngineState::injector)},
    // Advance is (byte >> 1) - 64: an even byte of (value + 64) × 2.
    ChannelSource{8, 1, byteAt(21, 0.5, -64, &EngineState::advance)},
    ChannelSource{8, 2, byteAt(18, 0.5, -64, &EngineState::advance)},
    ChannelSource{8, 3, byteAt(28, 0.5, -64, &EngineState::advance)},
    ChannelSource{8, 10, byteAt(20, 0.5, -64, &EngineState::advance)},
    ChannelSource{9, 1, byteAt(22, 2, 0, &EngineState::idleAirPulses)},
    ChannelSource{9, 2, byteAt(22, 1, 0, &EngineState::idleAirPulses)},
    ChannelSource{9, 10, byteAt(21, 1, 0, &EngineState::idleAirPulses)},
    ChannelSource{10, 1, pairAt(23, 0.0512, 0.0002, &EngineState::idleAirCommand)},
    ChannelSource{10, 2, pairAt(23, 1 / 130.21, 1 / 33333.3, &EngineState::idleAirCommand)},
    ChannelSource{10, 3, pairAt(23, 1 / 42.67, 1 / 10944.0, &EngineState::idleAirCommand)},
    ChannelSource{10, 10, pairAt(22, 1 / 42.67, 1 / 10944.0, &EngineState::idleAirCommand)},
    ChannelSource{11, 1, temperatureAt(10, &EngineState::engineOil)},
    ChannelSource{11, 2, temperatureAt(24, &EngineState::engineOil)},
};

// Outboard ECMs have one layout. Their extra coolant sensors sit in other
// places of the block and read a little off the main one.
constexpr std::array kMarine1x{
    wordAt(5, 0.25, &EngineState::engineSpeed),
    byteAt(19, 0.02, 0, &EngineState::alternatorSignal),
    temperatureAt(10, &EngineState::coolant),
    temperatureAt(12, &EngineState::intakeAir),
    byteAt(14, 1, 0, &EngineState::manifoldPressure),
    byteAt(8, 0.5, 0, &EngineState::throttle),
    byteAt(18, 0.1, 0, &EngineState::battery),
    pairAt(20, 1.024, 0.004, &EngineState::injector),
    byteAt(17, 0.5, -64, &EngineState::advance),
    temperatureAt(25, &EngineState::coolant, 3),
    temperatureAt(27, &EngineState::coolant, -2),
    byteAt(23, 1, 0, &EngineState::idleAirPulses),
    byteAt(22, 0.39, 0, &EngineState::idleAirNeutral),
    byteAt(16, 1, -40, &EngineState::barometricPressure),
    temperatureAt(31, &EngineState::coolant, 5),
};

constexpr std::array kMotorcycle2x{
    byteAt(5, kFiveVoltScale, 0, &EngineState::oxygen1),
    byteAt(6, kTrimScale, 0, &EngineState::fuelTrim1),
    byteAt(8, kFiveVoltScale, 0, &EngineState::oxygen2),
    byteAt(9, kTrimScale, 0, &EngineState::fuelTrim2),
};
constexpr std::array kMotorcycle2xBits{
    Bit{7, 0x01, &EngineState::oxygenHeater1},
    Bit{10, 0x01, &EngineState::oxygenHeater2},
};

constexpr std::array kMarine2x{
    byteAt(5, kFiveVoltScale, 0, &EngineState::oxygen1),
    byteAt(6, kTrimScale, 0, &EngineState::fuelTrim1),
    byteAt(7, 0.01, 0, &EngineState::oxygenHeaterCurrent),
};
constexpr std::array kMarine2xBits{Bit{8, 0x01, &EngineState::oxygenHeater1}};

constexpr std::array kMotorcycleD0{byteAt(18, kFiveVoltScale, 0, &EngineState::bankAngleVoltage)};
constexpr std::array kMotorcycleD0Bits{Bit{5, 0x80, &EngineState::faultLamp}};

constexpr std::array kMarineD0{
    byteAt(5, kFiveVoltScale, 0, &EngineState::engineNoise),
    byteAt(11, 50.0 / 255, 0, &EngineState::idleAirNeutral),
    byteAt(12, 50.0 / 255, 0, &EngineState::idleAirTrolling),
    byteAt(13, 0.234, 0, &EngineState::knockRetard),
};

constexpr std::array kMotorcycleD1Bits{
    Bit{5, 0x01, &EngineState::ignitionOn},
    Bit{5, 0x02, &EngineState::runSwitchOn, false},  // set means the switch is off
    Bit{5, 0x04, &EngineState::serviceCheckShorted},
    Bit{5, 0x10, &EngineState::bankAngleTripped},
    Bit{5, 0x20, &EngineState::starter},
    Bit{6, 0x02, &EngineState::emergencyStop},
    Bit{9, 0x01, &EngineState::fuelPump},
    Bit{9, 0x02, &EngineState::intakeAirValve},
    Bit{9, 0x04, &EngineState::secondaryAirValve},
    Bit{9, 0x10, &EngineState::starter},
    Bit{9, 0x40, &EngineState::starter},
    Bit{10, 0x01, &EngineState::fan},
    Bit{10, 0x08, &EngineState::valveTimingSwitch},
    Bit{10, 0x80, &EngineState::mainRelay},
};
constexpr std::uint8_t kGearEntry = 7;
constexpr std::array<std::uint8_t, 6> kGearBits{0x01, 0x02, 0x04, 0x08, 0x10, 0x80};

constexpr std::array kMarineD1Bits{
    Bit{5, 0x01, &EngineState::starter},
    Bit{5, 0x02, &EngineState::neutral},
    Bit{5, 0x04, &EngineState::serviceCheckShorted},
    Bit{5, 0x08, &EngineState::emergencyStop, false},  // set means not pulled
    Bit{7, 0x01, &EngineState::oilPressureLow},
    Bit{7, 0x02, &EngineState::oilPressureHigh},
    Bit{7, 0x04, &EngineState::waterInFuel},
    Bit{8, 0x40, &EngineState::chargeWarning},
    Bit{13, 0x01, &EngineState::fuelPump},
    Bit{14, 0x04, &EngineState::intakeAirValve},
    Bit{14, 0x08, &EngineState::valveTimingSwitch},
};

// Running times count half hours: the decoding halves them into hours.
constexpr std::array kMarineD3{
    wordAt(5, 0.5, &EngineState::totalHours),
    wordAt(7, 0.5, &EngineState::idleHours),
    wordAt(9, 0.5, &EngineState::trollingHours),
    wordAt(11, 0.5, &EngineState::fullThrottleHours),
    wordAt(13, 0.5, &EngineState::partialHours),
    wordAt(15, 0.5, &EngineState::bypassHours),
    wordAt(17, 1, &EngineState::startCount),
    wordAt(19, 1, &EngineState::oilPressureAlerts),
    wordAt(23, 100, &EngineState::valveTimingOperations),
    wordAt(26, 1, &EngineState::overrunCount),
};

constexpr std::size_t kFirstDataEntry = 4;

// How many data entries each table carries.
constexpr std::size_t dataLength(EcmTable table) {
    switch (table) {
        case EcmTable::Sensors1x:
        case EcmTable::TableD3:
            return 28;
        case EcmTable::Sensors2x:
            return 8;
        case EcmTable::TableD0:
            return 20;
        case EcmTable::TableD1:
            return 12;
    }
    return 0;
}

using Entries = std::array<std::uint8_t, 64>;

std::uint8_t toByte(double raw) {
    return static_cast<std::uint8_t>(std::clamp(raw, 0.0, 255.0));
}

void put(Entries& entries, const Field& field, const EngineState& state) {
    const double value = state.*field.quantity - field.offset;
    if (field.secondScale == 0) {
        entries[field.entry] = toByte(std::round(value / field.firstScale));
        return;
    }
    const std::uint8_t first = toByte(std::floor(value / field.firstScale));
    entries[field.entry] = first;
    entries[field.entry + 1u] =
        toByte(std::round((value - first * field.firstScale) / field.secondScale));
}

void put(Entries& entries, std::span<const Field> fields, const EngineState& state) {
    for (const Field& field : fields) {
        put(entries, field, state);
    }
}

void put(Entries& entries, std::span<const Bit> bits, const EngineState& state) {
    for (const Bit& bit : bits) {
        if (state.*bit.flag == bit.setWhen) {
            entries[bit.entry] |= bit.mask;
        }
    }
}

// Where a layout reads one entry for two channels, the later channel's value stays.
void putMotorcycle1x(Entries& entries, const EcmScenario& scenario, const EngineState& state) {
    for (const ChannelSource& source : kMotorcycle1x) {
        if (scenario.variants1x[source.channel] == source.variant) {
            put(entries, source.field, state);
        }
    }
}

void putGear(Entries& entries, int gear) {
    if (gear >= 1 && gear <= static_cast<int>(kGearBits.size())) {
        entries[kGearEntry] |= kGearBits[static_cast<std::size_t>(gear - 1)];
    }
}

}  // namespace

std::vector<std::uint8_t> encodeEcmTable(EcmTable table, const EcmScenario& scenario,
                                         const EngineState& state) {
    Entries entries{};
    const bool marine = scenario.family == EcmFamily::Marine;
    switch (table) {
        case EcmTable::Sensors1x:
            if (marine) {
                put(entries, kMarine1x, state);
            } else {
                putMotorcycle1x(entries, scenario, state);
            }
            break;
        case EcmTable::Sensors2x:
            if (marine) {
                put(entries, kMarine2x, state);
                put(entries, kMarine2xBits, state);
            } else {
                put(entries, kMotorcycle2x, state);
                put(entries, kMotorcycle2xBits, state);
            }
            break;
        case EcmTable::TableD0:
            if (marine) {
                put(entries, kMarineD0, state);
            } else {
                put(entries, kMotorcycleD0, state);
                put(entries, kMotorcycleD0Bits, state);
            }
            break;
        case EcmTable::TableD1:
            if (marine) {
                put(entries, kMarineD1Bits, state);
            } else {
                put(entries, kMotorcycleD1Bits, state);
                putGear(entries, state.gear);
            }
            break;
        case EcmTable::TableD3:
            // Motorcycle ECMs keep no counters worth showing.
            if (marine) {
                put(entries, kMarineD3, state);
            }
            break;
    }
    const auto begin = entries.begin() + kFirstDataEntry;
    return {begin, begin + static_cast<std::ptrdiff_t>(dataLength(table))};
}

}  // namespace corsel
