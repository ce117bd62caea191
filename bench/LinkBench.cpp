// How long the link's own work takes, against the simulated module with no
// latency: what remains is the transport's overhead (the reader's 1 ms pass
// and the hand-over), which must stay well inside one 10 ms session tick.
#include <benchmark/benchmark.h>

#include "link/LinkChannel.h"
#include "link/ModuleLink.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "sim/SimulatedHidBackend.h"

namespace corsel {
namespace {

class SilentPrompter final : public Prompter {
public:
    PromptAnswer ask(const PromptRequest&) override { return PromptAnswer::Ok; }
};

void BM_RequestAndReply(benchmark::State& state) {
    SystemClock clock;
    SimulatedHidBackend bus(clock);
    bus.addModule();
    SilentPrompter prompter;
    ModuleLink link(bus, prompter);
    LinkChannel channel(link, clock);
    channel.linkOpen = link.OpenModule(kModuleVendorId, kModuleProductId);
    if (!channel.linkOpen) {
        state.SkipWithError("module not found");
        return;
    }
    channel.startThreads();
    putText(channel.sendReport, 1, "Power");
    for (auto _ : state) {
        if (!channel.SendReport() || !channel.WaitReply()) {
            state.SkipWithError("exchange failed");
            break;
        }
    }
    channel.joinThreads();
}
BENCHMARK(BM_RequestAndReply)->Unit(benchmark::kMillisecond)->UseRealTime();

// A full search: the module sits behind 49 other interfaces.
void BM_OpenModuleFullSearch(benchmark::State& state) {
    SystemClock clock;
    SimulatedHidBackend bus(clock);
    for (int i = 0; i < 49; ++i) {
        bus.addPlainDevice({0x046D, 0xC31C}, 2);
    }
    bus.addModule();
    SilentPrompter prompter;
    ModuleLink link(bus, prompter);
    for (auto _ : state) {
        benchmark::DoNotOptimize(link.OpenModule(kModuleVendorId, kModuleProductId));
        link.CloseModule();
    }
}
BENCHMARK(BM_OpenModuleFullSearch)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corsel
