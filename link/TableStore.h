#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "link/ModuleReport.h"

namespace corsel {

enum class TableBlock { Block1x, Block2x, BlockD0, BlockD1, BlockD3, Block6x, Block7x };

// The latest valid frame of each group of ECM tables. Entry i of a block holds
// reply byte 1 + i: entry 0 the frame type, entry 3 the table number, data
// from entry 4. Blocks 6x and 7x are the freeze frame, laid out as 1x and 2x.
class TableStore {
public:
    static constexpr std::size_t kBlockCount = 7;
    static constexpr std::size_t kEntries = 64;
    using Block = std::array<std::uint16_t, kEntries>;

    // The block that a table number is filed in, if any.
    static std::optional<TableBlock> blockFor(std::uint8_t table);

    // Files the frame whole into the block of its table number (byte 4);
    // false when that number has no block.
    bool file(const ModuleReport& frame);

    Block& operator[](TableBlock block) { return blocks_[static_cast<std::size_t>(block)]; }
    const Block& operator[](TableBlock block) const {
        return blocks_[static_cast<std::size_t>(block)];
    }

    // A block counts as read once its frame type is 1 (marine) or 2 (motorcycle).
    bool present(TableBlock block) const;

    void clear();

private:
    std::array<Block, kBlockCount> blocks_{};
};

}  // namespace corsel
