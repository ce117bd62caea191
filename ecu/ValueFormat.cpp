#include "ecu/ValueFormat.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace corsel {

namespace {

constexpr std::size_t kFiveLength = 5;
constexpr int kSignificantDigits = 4;
constexpr const char* kNoFiveText = "0.000";

}  // namespace

double convertUnit(double value, Quantity quantity, const SettingsRecord& settings) {
    switch (quantity) {
        case Quantity::None:
            return value;
        case Quantity::Speed:
            return settings[SettingsRecord::SpeedUnit] == 1 ? value * 0.62137 : value;
        case Quantity::Temperature:
            return settings[SettingsRecord::TemperatureUnit] == 1 ? value * 1.8 + 32 : value;
        case Quantity::Pressure:
            switch (settings[SettingsRecord::PressureUnit]) {
                case 1:
                    return value * 7.5;
                case 2:
                    return value * 0.295;
                case 3:
                    return value * 0.145;
                default:
                    return value;
            }
        case Quantity::AirFlow:
            return settings[SettingsRecord::AirFlowUnit] == 1 ? value * 0.132277357 : value;
        case Quantity::FlowRate:
            switch (settings[SettingsRecord::FlowRateUnit]) {
                case 1:
                    return value / 60;
                case 2:
                    return value * 0.26417;
                case 3:
                    return value * 0.0044029;
                default:
                    return value;
            }
    }
    return value;
}

std::string formatInteger(double value) {
    // Every channel's value fits; the bound only keeps the conversion defined.
    constexpr double kLimit = 1e15;
    if (!(std::fabs(value) < kLimit)) {
        return "0";
    }
    return std::to_string(static_cast<long long>(std::trunc(value)));
}

FiveCharacterText FormatFive(double value) {
    const double truncated = std::trunc(value * 1000) / 1000 + 0.0;  // no "-0"
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, truncated,
                                            std::chars_format::general, kSignificantDigits);
    std::string text = error == std::errc() ? std::string(buffer, end) : std::string("e");
    if (text.find_first_of("en") != std::string::npos) {  // exponent, inf or nan
        return {kNoFiveText, true};
    }
    // Trailing zeros are gone, the point stays: "100." before the padding.
    if (text.find('.') == std::string::npos) {
        text += '.';
    }
    if (text.size() != kFiveLength) {
        text += '0';
        while (text.size() < kFiveLength) {
            text += '0';
        }
    }
    return {text, false};
}

}  // namespace corsel
