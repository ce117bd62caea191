#pragma once

#include <string>

#include "app/SettingsRecord.h"

namespace corsel {

// The quantities whose unit the user chooses.
enum class Quantity { None, Speed, Temperature, Pressure, AirFlow, FlowRate };

// A value from its base unit (km/h, °C, kPa, g/sec, l/min) into the unit
// that the settings choose.
double convertUnit(double value, Quantity quantity, const SettingsRecord& settings);

// The integer format: the value truncated toward zero.
std::string formatInteger(double value);

// The five-character format: the value truncated to three decimals, written
// with four significant digits, padded with zeros ("13.50", "0.500",
// "100.0"). A value that would need an exponent has no text of its own.
struct FiveCharacterText {
    std::string text;
    bool exponent = false;  // the text is then "0.000"
};
FiveCharacterText FormatFive(double value);

}  // namespace corsel
