#pragma once

#include <cstddef>
#include <optional>

namespace corsel {

// The grid of the engine-data page: 54 rows of name, value and unit, in
// three columns of 18 rows, in dialog units.
namespace page_layout {

inline constexpr std::size_t kRowCount = 54;
inline constexpr int kPageWidth = 661;
inline constexpr int kPageHeight = 280;
inline constexpr int kRowsPerColumn = 18;
inline constexpr int kRowPitch = 15;
inline constexpr int kFirstRowY = 5;
inline constexpr int kColumnX[3] = {20, 234, 460};
inline constexpr int kNameWidth = 120;
inline constexpr int kValueWidth = 25;
inline constexpr int kUnitWidth = 25;
inline constexpr int kControlHeight = 11;
inline constexpr int kValueOffset = 120;  // from the name
inline constexpr int kUnitOffset = 150;   // from the name

int nameControlId(std::size_t row);
int valueControlId(std::size_t row);
int unitControlId(std::size_t row);
// The row whose name control has this id.
std::optional<std::size_t> rowOfNameControl(int controlId);

// Top-left corner of a row's name control.
struct Position {
    int x;
    int y;
};
Position namePosition(std::size_t row);

// The page texts entry that names a row, and the one of its unit, in the
// motorcycle or the marine layout; nothing for a row left without one.
std::optional<std::size_t> nameEntry(std::size_t row, bool marine);
std::optional<std::size_t> unitEntry(std::size_t row, bool marine);

}  // namespace page_layout

}  // namespace corsel
