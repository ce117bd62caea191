#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "sim/DeviceFirmware.h"
#include "sim/EcmResponder.h"

namespace corsel {

// Misbehaviour that the simulated module can be asked for. Each applies to the
// next reply-producing commands (a number of times, or until cleared).
enum class ModuleFault {
    Silent,       // no reply at all
    AnswerTwice,  // the reply comes twice
    Echo,         // the reply comes, and a copy of it kEchoDelay later
    AnswerLate,   // the reply comes after kLateReplyDelay, past the host's wait limit
    Garbage,      // random bytes instead of the reply
    Unplug        // the module accepts the command, then leaves the bus
};

// The firmware of the interface module in normal mode. It answers its own
// commands ("Get_ID", "Get_SN", "Power", "Disc", "Stop", "Upgrade") and
// relays every other command to the ECM behind it.
class SimulatedModule final : public DeviceFirmware {
public:
    static constexpr std::chrono::milliseconds kLateReplyDelay{4000};
    static constexpr std::chrono::milliseconds kEchoDelay{10};
    static constexpr int kForever = -1;

    struct Options {
        std::string hardwareId = "V2.07";  // 5 characters
        std::string serial = "QX0417";     // 6 characters
        std::chrono::milliseconds latency{0};
        std::uint32_t randomSeed = 1;
    };

    SimulatedModule(Clock& clock, Options options);

    FirmwareResponse handleReport(const ModuleReport& report) override;

    // Scripting, safe from any thread.
    void setLatency(std::chrono::milliseconds latency);
    void setHardwareId(std::string hardwareId);
    void setPowerOk(bool ok);  // the answer once the script is used up
    void scriptPower(std::vector<bool> okReplies);
    void injectFault(ModuleFault fault, int times = 1);  // kForever: until clearFaults()
    void clearFaults();
    void attachEcm(std::shared_ptr<EcmResponder> ecm);

    // What the module has been sent, for tests: the name of each command.
    std::vector<std::string> receivedCommands() const;

    // The options as they stand now (latency and hardware ID follow the
    // scripting), so that a restart keeps them.
    Options options() const;

private:
    struct PendingFault {
        ModuleFault fault;
        int remaining;  // kForever: until cleared
    };

    ModuleReport powerReply();
    FirmwareResponse deliver(std::vector<ModuleReport> replies);
    std::uint32_t moduleTime() const;

    Clock& clock_;
    const Clock::Duration start_;

    mutable std::mutex mutex_;
    Options options_;                    // under mutex_
    bool powerOk_ = true;                // under mutex_
    std::deque<bool> powerScript_;       // under mutex_
    std::deque<PendingFault> faults_;    // under mutex_
    std::shared_ptr<EcmResponder> ecm_;  // under mutex_
    std::vector<std::string> received_;  // under mutex_
    std::mt19937 random_;                // under mutex_
};

}  // namespace corsel
