// What one refresh of the engine-data page costs in decoding: up to 54
// channels looked up, decoded, formatted and handed to their rows, ten times
// a second on the user-interface thread. The bytes change on every pass, so
// every row gets a new text.
#include <benchmark/benchmark.h>

#include "ecu/ChannelDecoder.h"
#include "ecu/Identification.h"
#include "text/Localisation.h"

namespace corsel {
namespace {

class CountingRows final : public ValueRows {
public:
    void showValue(std::size_t, const std::string& text, ValueColour) override {
        characters += text.size();
    }
    std::size_t characters = 0;
};

void BM_IdentificationPass(benchmark::State& state) {
    SessionRecords records;
    records.identity.EcmId = "0102E5";
    records.identity.MarineMode = state.range(0) != 0;
    LiveValues live;
    SettingsRecord settings = SettingsRecord::defaults();
    Localisation localisation;
    localisation.LoadLanguage(settings, false);
    CountingRows rows;
    ChannelDecoder decoder(live, records, settings, localisation.tables, rows);
    for (const TableBlock block : {TableBlock::Block1x, TableBlock::Block2x, TableBlock::BlockD0,
                                   TableBlock::BlockD1, TableBlock::BlockD3}) {
        records.tableStore[block][0] = 2;
    }
    records.tableStore[TableBlock::Block1x][3] = 0x11;
    std::uint16_t step = 0;
    for (auto _ : state) {
        ++step;
        for (std::size_t entry = 4; entry < TableStore::kEntries; ++entry) {
            for (const TableBlock block : {TableBlock::Block1x, TableBlock::Block2x,
                                           TableBlock::BlockD0, TableBlock::BlockD1,
                                           TableBlock::BlockD3}) {
                records.tableStore[block][entry] = static_cast<std::uint16_t>((entry + step) & 0xFF);
            }
        }
        benchmark::DoNotOptimize(ApplyIdentification(decoder, records));
    }
    benchmark::DoNotOptimize(rows.characters);
}
BENCHMARK(BM_IdentificationPass)->ArgName("marine")->Arg(0)->Arg(1);

}  // namespace
}  // namespace corsel
