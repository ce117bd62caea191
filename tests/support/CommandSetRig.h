#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "link/EcuExchange.h"
#include "link/LinkChannel.h"
#include "link/ModuleLink.h"
#include "link/PollCycle.h"
#include "link/SessionRecords.h"
#include "platform/Clock.h"
#include "sim/EcmScenario.h"
#include "sim/SimulatedEcm.h"
#include "sim/SimulatedHidBackend.h"
#include "support/FakeExchangeView.h"
#include "support/ModuleCommands.h"
#include "support/RecordingPrompter.h"

namespace corsel::testing {

// The command set over a real transport to a simulated module with a
// simulated ECM behind it. Time runs ten times faster than real time, so the
// session start's pauses and the transport's limits take a tenth, while a
// loaded machine still has a few hundred milliseconds for each reply.
class CommandSetRig {
public:
    static constexpr double kSpeedup = 10.0;

    explicit CommandSetRig(std::string_view scenario = "standard",
                           SimulatedModule::Options options = {})
        : clock_(kSpeedup) {
        slot = bus.addModule(options);
        ecm = std::make_shared<SimulatedEcm>(clock_, *findEcmScenario(scenario), 7);
        module().attachEcm(ecm);
        hooks_.RecordSample = [this](ModuleReport& frame) { recorded.push_back(frame); };
        hooks_.faultName = [](int code) { return "FAULT " + std::to_string(code) + " (detail)"; };
        hooks_.offerFirmware = [this] { ++firmwareOffers; };
        exchange = std::make_unique<EcuExchange>(channel, records, view, clock_, hooks_);
        cycle = std::make_unique<PollCycle>(*exchange, records, channel);
    }

    ~CommandSetRig() { channel.joinThreads(); }

    SimulatedModule& module() { return bus.module(slot); }
    Clock& clock() { return clock_; }

    // What the session loop does when it finds the module.
    bool connect() {
        link.CloseModule();
        channel.linkOpen = link.OpenModule(kModuleVendorId, kModuleProductId);
        if (channel.linkOpen) {
            channel.startThreads();
        }
        return channel.linkOpen;
    }

    // Identification, the power watch and Connect, a tick apart as the
    // session loop runs them.
    bool startSession() {
        if (!connect() || !exchange->ReadModuleIdentity()) {
            return false;
        }
        for (int tick = 0; tick < 40 && !records.identity.powerStable; ++tick) {
            betweenTicks();
            if (!exchange->PollPower()) {
                return false;
            }
        }
        betweenTicks();
        return records.identity.powerStable && exchange->StartEcuSession();
    }

    // The session loop's timer period: a reply still on its way when an
    // exchange ended is in by the next tick.
    void betweenTicks() { clock_.sleepFor(std::chrono::milliseconds(10)); }

    // Commands the module got from `from` on; count() of one of them.
    std::vector<std::string> commandsSince(std::size_t from) {
        return testing::commandsSince(module(), from);
    }
    std::size_t commandCount() { return module().receivedCommands().size(); }
    long count(std::string_view command, std::size_t from = 0) {
        const auto commands = commandsSince(from);
        return std::count(commands.begin(), commands.end(), command);
    }

private:
    ScaledClock clock_;
    ExchangeHooks hooks_;

public:
    SimulatedHidBackend bus{clock_};
    RecordingPrompter prompter;
    ModuleLink link{bus, prompter};
    LinkChannel channel{link, clock_};
    SessionRecords records;
    FakeExchangeView view;
    std::size_t slot = 0;
    std::shared_ptr<SimulatedEcm> ecm;
    std::vector<ModuleReport> recorded;
    int firmwareOffers = 0;
    std::unique_ptr<EcuExchange> exchange;
    std::unique_ptr<PollCycle> cycle;
};

}  // namespace corsel::testing
