#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/Program.h"
#include "platform/Clock.h"
#include "sim/EcmScenario.h"
#include "sim/SimulatedEcm.h"
#include "sim/SimulatedHidBackend.h"
#include "support/FakeMainWindowView.h"
#include "support/FakeServices.h"
#include "support/MemoryRegistryStore.h"
#include "support/ModuleCommands.h"
#include "support/RecordingPrompter.h"

namespace corsel::testing {

// The whole program without its windows: the main window's logic and session
// loop over the real transport, a simulated module and ECM, a settings store
// in memory and a recorded view. Time runs ten times faster than real time.
class ProgramRig {
public:
    static constexpr double kSpeedup = 10.0;
    static constexpr std::chrono::milliseconds kTick{10};

    explicit ProgramRig(std::string_view scenario = "standard", bool withModule = true,
                        MainWindowHooks hooks = {})
        : clock_(kSpeedup) {
        // A device of another maker, so that every search has something to look at.
        bus.addPlainDevice({0x046D, 0xC077});
        if (withModule) {
            slot = bus.addModule();
            ecm = std::make_shared<SimulatedEcm>(clock_, *findEcmScenario(scenario), 7);
            module().attachEcm(ecm);
        }
        const ProgramPlatform platform{link,  channel, clock_, registry, lock, shell,
                                       work.path(), temp.path()};
        program = std::make_unique<Program>(ProgramServices(platform, view), std::move(hooks));
    }

    ~ProgramRig() {
        program.reset();
        channel.joinThreads();
    }

    SimulatedModule& module() { return bus.module(slot); }
    Clock& clock() { return clock_; }
    SessionRecords& records() { return program->records; }

    void start() { program->window.initialise(96); }

    // Runs the session timer: one tick, then the timer's period.
    void tick(int ticks = 1) {
        for (int i = 0; i < ticks; ++i) {
            program->loop.OnTimer();
            clock_.sleepFor(kTick);
        }
    }
    // Ticks until `done` holds; false after `limit` ticks.
    template <typename Done>
    bool tickUntil(Done done, int limit = 400) {
        for (int i = 0; i < limit; ++i) {
            if (done()) {
                return true;
            }
            tick();
        }
        return done();
    }
    bool linked() { return tickUntil([this] { return channel.linkOpen && !records().identifyNeeded; }); }
    bool connectEnabled() {
        return tickUntil([this] { return view.isEnabled(ControlId::Connect); });
    }
    // Start-up, the module found and identified, the power watch, Connect.
    bool startSession() {
        start();
        if (!linked() || !connectEnabled()) {
            return false;
        }
        program->window.onConnect();
        return records().sessionActive;
    }

    std::vector<std::string> commandsSince(std::size_t from) {
        return testing::commandsSince(module(), from);
    }
    std::size_t commandCount() { return module().receivedCommands().size(); }

private:
    ScaledClock clock_;

public:
    ScratchFolder work;
    ScratchFolder temp;
    SimulatedHidBackend bus{clock_};
    RecordingPrompter prompter;
    ModuleLink link{bus, prompter};
    LinkChannel channel{link, clock_};
    MemoryRegistryStore registry;
    FakeInstanceLock lock;
    FakeShell shell;
    FakeMainWindowView view;
    std::size_t slot = 0;
    std::shared_ptr<SimulatedEcm> ecm;
    std::unique_ptr<Program> program;
};

}  // namespace corsel::testing
