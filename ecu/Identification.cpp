#include "ecu/Identification.h"

#include "ecu/IdentificationTable.h"

namespace corsel {

namespace {

constexpr std::uint16_t kMarineFrame = 1;
constexpr std::uint16_t kMotorcycleFrame = 2;
constexpr std::size_t kTableNumberEntry = 3;
constexpr int kFirstChannelD1 = 30;

void showProfile(ChannelDecoder& decoder, SessionRecords& records, const ModelProfile& profile) {
    const TableStore& tables = records.tableStore;
    const std::uint16_t family = tables[TableBlock::Block1x][0];
    if (family == kMarineFrame) {
        // An outboard ECM: its layout is the whole display. The motorcycle
        // channels of the other blocks would decode its tables wrongly.
        records.identity.MarineMode = true;
        decoder.ApplyMarineLayout();
        return;
    }
    if (family == kMotorcycleFrame) {
        const auto digit =
            static_cast<std::uint8_t>(tables[TableBlock::Block1x][kTableNumberEntry] & 0x0F);
        if (const auto variants = identification::variants1x(profile.group1x, digit)) {
            for (std::size_t channel = 0; channel < variants->size(); ++channel) {
                decoder.ShowChannel(static_cast<int>(channel), (*variants)[channel]);
            }
        }
    }
    if (tables.present(TableBlock::Block2x)) {
        decoder.ShowChannel(15, 1);
        decoder.ShowChannel(18, 1);
    }
    if (tables.present(TableBlock::BlockD0)) {
        if (const auto variants = identification::variantsD0(profile.groupD0)) {
            for (std::size_t column = 0; column < variants->size(); ++column) {
                const int variant = (*variants)[column];
                if (column == identification::kIacCommandFromD0Column) {
                    decoder.ShowIacCommandFromD0(variant);
                } else {
                    decoder.ShowChannel(identification::kChannelsOfD0[column], variant);
                }
            }
        }
    }
    if (tables.present(TableBlock::BlockD1)) {
        if (const auto variants = identification::variantsD1(profile.groupD1)) {
            for (std::size_t i = 0; i < variants->size(); ++i) {
                decoder.ShowChannel(kFirstChannelD1 + static_cast<int>(i), (*variants)[i]);
            }
        }
    }
}

}  // namespace

bool ApplyIdentification(ChannelDecoder& decoder, SessionRecords& records) {
    if (records.identity.MarineMode) {
        decoder.ApplyMarineLayout();
        return true;
    }
    const std::optional<IdentificationMatch> match = LookupModelProfile(records.identity.EcmId);
    if (!match) {
        return false;
    }
    if (match->fixedList) {
        for (const std::uint8_t channel : identification::kFixedListChannels) {
            decoder.ShowChannel(channel, identification::kFixedListVariant);
        }
        return true;
    }
    showProfile(decoder, records, match->profile);
    return true;
}

}  // namespace corsel
