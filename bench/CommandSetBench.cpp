// What one tick of a running ECU session costs against the simulated module
// and ECM with no line latency: the exchange work of the command set (frames
// built, checked, filed), which must stay well inside the 10 ms tick.
#include <benchmark/benchmark.h>

#include <memory>

#include "link/EcuExchange.h"
#include "link/PollCycle.h"
#include "platform/Clock.h"
#include "sim/EcmScenario.h"
#include "sim/SimulatedEcm.h"
#include "sim/SimulatedHidBackend.h"

namespace corsel {
namespace {

class QuietView final : public ExchangeView {
public:
    void showHardwareId(const std::string&) override {}
    void showHardwareSerial(const std::string&) override {}
    void showEcmPartNumber(const std::string&) override {}
    void removeThirdTab() override {}
    void applyLanguageTexts() override {}
    void selectFaultTab() override {}
    void enablePrint() override {}
    void sessionReset() override {}
    PromptAnswer ask(const PromptRequest&) override { return PromptAnswer::Yes; }
};

class QuietPrompter final : public Prompter {
public:
    PromptAnswer ask(const PromptRequest&) override { return PromptAnswer::Ok; }
};

void BM_SessionTick(benchmark::State& state) {
    SystemClock clock;
    SimulatedHidBackend bus(clock);
    const std::size_t slot = bus.addModule();
    bus.module(slot).attachEcm(std::make_shared<SimulatedEcm>(clock, *findEcmScenario("faults")));
    QuietPrompter prompter;
    ModuleLink link(bus, prompter);
    LinkChannel channel(link, clock);
    SessionRecords records;
    QuietView view;
    EcuExchange exchange(channel, records, view, clock);
    PollCycle cycle(exchange, records, channel);

    channel.linkOpen = link.OpenModule(kModuleVendorId, kModuleProductId);
    if (!channel.linkOpen) {
        state.SkipWithError("module not found");
        return;
    }
    channel.startThreads();
    if (!exchange.StartEcuSession()) {
        state.SkipWithError("no session");
        channel.joinThreads();
        return;
    }
    const int tab = static_cast<int>(state.range(0));
    for (auto _ : state) {
        if (!cycle.step(tab)) {
            state.SkipWithError("poll failed");
            break;
        }
    }
    channel.joinThreads();
}
// Tab 0: one request a tick; the third tab adds the freeze frame's requests.
BENCHMARK(BM_SessionTick)
    ->Arg(0)
    ->Arg(PollCycle::kThirdTab)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace corsel
