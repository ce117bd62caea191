#include "pages/PageLayout.h"

#include <algorithm>
#include <array>

namespace corsel::page_layout {

namespace {

constexpr int nameId(std::size_t row) {
    const int k = static_cast<int>(row);
    if (k <= 26) {
        return 1073 + k;
    }
    if (k == 27) {
        return 27;
    }
    if (k <= 34) {
        return 1101 + (k - 28);
    }
    return 1143 + 2 * (k - 35);
}

constexpr int valueId(std::size_t row) {
    const int k = static_cast<int>(row);
    if (k <= 18) {
        return 1108 + k;
    }
    if (k <= 34) {
        return 1127 + (k - 19);
    }
    return 1144 + 2 * (k - 35);
}

constexpr int unitId(std::size_t row) {
    const int k = static_cast<int>(row);
    if (k <= 8) {
        return 1325 + k;
    }
    if (k <= 15) {
        return 1334 + (k - 9);
    }
    return 1371 + (k - 16);
}

// No two controls of the page share an id.
constexpr bool idsDistinct() {
    std::array<int, kRowCount * 3> ids{};
    for (std::size_t row = 0; row < kRowCount; ++row) {
        ids[row * 3] = nameId(row);
        ids[row * 3 + 1] = valueId(row);
        ids[row * 3 + 2] = unitId(row);
    }
    std::sort(ids.begin(), ids.end());
    return std::adjacent_find(ids.begin(), ids.end()) == ids.end();
}
static_assert(idsDistinct());

// Unit suffixes of the page texts.
constexpr std::size_t kRpm = 110;
constexpr std::size_t kSpeed = 111;
constexpr std::size_t kDegrees = 112;
constexpr std::size_t kVolts = 113;
constexpr std::size_t kMilliseconds = 114;
constexpr std::size_t kSteps = 115;
constexpr std::size_t kAirFlow = 116;
constexpr std::size_t kTemperature = 117;
constexpr std::size_t kPressure = 118;
constexpr std::size_t kFlowRate = 119;
constexpr std::size_t kNone = 120;
constexpr std::size_t kPercent = 121;
constexpr std::size_t kAmperes = 122;

constexpr std::array<std::size_t, 30> kMotorcycleUnits{
    kRpm,     kSpeed,  kTemperature, kTemperature, kPressure, kDegrees,
    kVolts,   kMilliseconds, kDegrees, kSteps,  kAirFlow,  kTemperature,
    kPressure, kPressure, kFlowRate, kVolts,  kNone,     kNone,
    kVolts,   kNone,   kNone,        kVolts,       kVolts,    kVolts,
    kPercent, kAmperes, kAmperes,    kPercent,     kPercent,  kTemperature};

constexpr std::array<std::size_t, 24> kMarineUnits{
    kRpm,   kVolts,   kTemperature, kTemperature, kPressure, kDegrees, kVolts,   kMilliseconds,
    kDegrees, kTemperature, kTemperature, kAmperes, kPercent, kPressure, kNone, kVolts,
    kNone,  kNone,    kNone,        kAmperes,     kPercent,  kPercent, kVolts,   kDegrees};

}  // namespace

int nameControlId(std::size_t row) { return nameId(row); }
int valueControlId(std::size_t row) { return valueId(row); }
int unitControlId(std::size_t row) { return unitId(row); }

std::optional<std::size_t> rowOfNameControl(int controlId) {
    for (std::size_t row = 0; row < kRowCount; ++row) {
        if (nameId(row) == controlId) {
            return row;
        }
    }
    return std::nullopt;
}

Position namePosition(std::size_t row) {
    const auto column = static_cast<std::size_t>(row / kRowsPerColumn);
    const int line = static_cast<int>(row % kRowsPerColumn);
    return {kColumnX[std::min<std::size_t>(column, 2)], kFirstRowY + kRowPitch * line};
}

std::optional<std::size_t> nameEntry(std::size_t row, bool marine) {
    if (row >= kRowCount) {
        return std::nullopt;
    }
    if (!marine) {
        return row;
    }
    // The marine names stand one row lower after row 16 and two after row
    // 34; rows 17 and 35 stay free.
    if (row <= 16 || row == 50) {
        return row;
    }
    if (row >= 18 && row <= 34) {
        return row - 1;
    }
    if (row >= 36 && row <= 44) {
        return row - 2;
    }
    return std::nullopt;
}

std::optional<std::size_t> unitEntry(std::size_t row, bool marine) {
    const std::size_t entry = marine ? (row < kMarineUnits.size() ? kMarineUnits[row] : kNone)
                                     : (row < kMotorcycleUnits.size() ? kMotorcycleUnits[row] : kNone);
    if (entry == kNone) {
        return std::nullopt;
    }
    return entry;
}

}  // namespace corsel::page_layout
