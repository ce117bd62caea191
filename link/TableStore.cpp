#include "link/TableStore.h"

#include "link/EcuFrame.h"

namespace corsel {

std::optional<TableBlock> TableStore::blockFor(std::uint8_t table) {
    switch (table & 0xF0) {
        case 0x10:
            return TableBlock::Block1x;
        case 0x20:
            return TableBlock::Block2x;
        case 0x60:
            return TableBlock::Block6x;
        case 0x70:
            return TableBlock::Block7x;
        default:
            break;
    }
    switch (table) {
        case 0xD0:
            return TableBlock::BlockD0;
        case 0xD1:
            return TableBlock::BlockD1;
        case 0xD3:
            return TableBlock::BlockD3;
        default:
            return std::nullopt;
    }
}

bool TableStore::file(const ModuleReport& frame) {
    const auto block = blockFor(frame[kTableByte]);
    if (!block) {
        return false;
    }
    Block& entries = (*this)[*block];
    for (std::size_t i = 0; i < kEntries; ++i) {
        entries[i] = frame[1 + i];
    }
    return true;
}

bool TableStore::present(TableBlock block) const {
    const auto type = (*this)[block][0];
    return type == 1 || type == 2;
}

void TableStore::clear() {
    for (Block& block : blocks_) {
        block.fill(0);
    }
}

}  // namespace corsel
