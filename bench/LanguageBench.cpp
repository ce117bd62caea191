// What a language load costs on the user-interface thread: it runs at start,
// after the settings dialog, and at the start and end of every session (the
// marine set and back), between two 10 ms ticks.
#include <benchmark/benchmark.h>

#include "app/SettingsRecord.h"
#include "text/Localisation.h"

namespace corsel {
namespace {

void BM_LoadLanguage(benchmark::State& state) {
    Localisation localisation;
    SettingsRecord settings = SettingsRecord::defaults();
    localisation.LanguageIndex = static_cast<std::int16_t>(state.range(0));
    const bool marine = state.range(1) != 0;
    localisation.LoadLanguage(settings, false);  // the files are read once, before
    for (auto _ : state) {
        localisation.LoadLanguage(settings, marine);
        benchmark::DoNotOptimize(localisation.tables.MainTexts[0]);
    }
}
BENCHMARK(BM_LoadLanguage)
    ->ArgNames({"language", "marine"})
    ->Args({1, 0})
    ->Args({8, 0})
    ->Args({1, 1});

}  // namespace
}  // namespace corsel
