#include "sim/SimulatedModule.h"

#include <array>
#include <optional>
#include <string_view>
#include <utility>

namespace corsel {

namespace {

enum class Command { GetId, GetSerial, Power, Disconnect, Stop, Upgrade, Relay };

// The module's own commands and where they sit: letters from byte 1 on. Bytes
// past a name keep leftovers of earlier commands, so a name is matched exactly
// at its place and nothing after it is looked at. Longer names come first in
// case one ever begins with another.
constexpr std::array<std::pair<std::string_view, Command>, 6> kOwnCommands{{
    {"Upgrade", Command::Upgrade},
    {"Get_ID", Command::GetId},
    {"Get_SN", Command::GetSerial},
    {"Power", Command::Power},
    {"Disc", Command::Disconnect},
    {"Stop", Command::Stop},
}};

constexpr std::size_t kCommandOffset = 1;
constexpr std::size_t kHardwareIdLength = 5;
constexpr std::size_t kSerialLength = 6;

Command recognise(const ModuleReport& report) {
    for (const auto& [name, command] : kOwnCommands) {
        if (hasText(report, kCommandOffset, name)) {
            return command;
        }
    }
    return Command::Relay;
}

// The commands that the module passes on to the ECM. The module knows them
// by name only to keep its log readable.
constexpr std::array<std::string_view, 13> kRelayedCommands{
    "CheckFI", "GetFID0", "GetFID1", "GetFID3", "GetFIE1", "GetFIE2", "GetFI1",
    "GetFI2",  "ErrorC",  "GetTH",   "GetAH",   "GetRH",   "Init"};

// The command in a report as a log entry: a known name that stands at byte 1
// (longer names first: leftovers of earlier commands follow it), otherwise
// the run of letters there.
std::string commandLetters(const ModuleReport& report) {
    for (const auto& [name, command] : kOwnCommands) {
        if (hasText(report, kCommandOffset, name)) {
            return std::string(name);
        }
    }
    for (std::string_view name : kRelayedCommands) {
        if (hasText(report, kCommandOffset, name)) {
            return std::string(name);
        }
    }
    std::string letters;
    for (std::size_t i = kCommandOffset; i < report.size(); ++i) {
        const auto c = static_cast<char>(report[i]);
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        if (!letter) {
            break;
        }
        letters.push_back(c);
    }
    return letters;
}

// A reply of the module's own: a tag from byte 1, then its value; the rest zero.
ModuleReport notice(std::string_view tag, std::string_view value = {}) {
    ModuleReport reply{};
    putText(reply, kCommandOffset, tag);
    putText(reply, kCommandOffset + tag.size(), value);
    return reply;
}

}  // namespace

SimulatedModule::SimulatedModule(Clock& clock, Options options)
    : clock_(clock),
      start_(clock.now()),
      options_(std::move(options)),
      random_(options_.randomSeed) {}

FirmwareResponse SimulatedModule::handleReport(const ModuleReport& report) {
    const Command command = recognise(report);
    std::shared_ptr<EcmResponder> ecm;
    std::string hardwareId;
    std::string serial;
    {
        std::lock_guard lock(mutex_);
        received_.push_back(commandLetters(report));
        ecm = ecm_;
        hardwareId = options_.hardwareId.substr(0, kHardwareIdLength);
        serial = options_.serial.substr(0, kSerialLength);
    }

    // The ECM is called without the module's lock: it may take its time, and
    // scripting from other threads must not wait for it.
    switch (command) {
        case Command::GetId:
            // Bytes 7-9 carry the host's hour, minute and second; the module
            // has no use for them.
            return deliver({notice("ID", hardwareId)});
        case Command::GetSerial:
            return deliver({notice("SN", serial)});
        case Command::Power:
            return deliver({powerReply()});
        case Command::Disconnect:
            if (ecm) {
                ecm->disconnect();
            }
            return deliver({notice("Disc")});
        case Command::Stop:
            // Ends the link without a word back.
            if (ecm) {
                ecm->disconnect();
            }
            return {};
        case Command::Upgrade:
            return {{}, DeviceAction::RestartInBootLoader};
        case Command::Relay:
            break;
    }
    if (!ecm) {
        return deliver({notice("Disconnected")});
    }
    return deliver(ecm->answer(report));
}

ModuleReport SimulatedModule::powerReply() {
    bool ok = false;
    {
        std::lock_guard lock(mutex_);
        ok = powerOk_;
        if (!powerScript_.empty()) {
            ok = powerScript_.front();
            powerScript_.pop_front();
        }
    }
    return notice(ok ? "Power OK" : "No Power");
}

// Stamps the replies and lets the first queued fault have its way with them.
// The command itself has been carried out either way: a fault only changes
// what comes back. A command with nothing to say uses up no fault.
FirmwareResponse SimulatedModule::deliver(std::vector<ModuleReport> replies) {
    FirmwareResponse response;
    if (replies.empty()) {
        return response;
    }

    std::lock_guard lock(mutex_);
    std::optional<ModuleFault> fault;
    if (!faults_.empty()) {
        PendingFault& front = faults_.front();
        fault = front.fault;
        if (front.remaining != kForever && --front.remaining <= 0) {
            faults_.pop_front();
        }
    }

    const std::uint32_t now = moduleTime();
    for (ModuleReport& reply : replies) {
        reply[0] = 0;  // report ID
        putTimeStamp(reply, now);
    }

    std::chrono::milliseconds delay = options_.latency;
    int copies = 1;
    std::chrono::milliseconds copySpacing{0};
    if (fault) {
        switch (*fault) {
            case ModuleFault::Silent:
                return response;
            case ModuleFault::Unplug:
                response.action = DeviceAction::Unplug;
                return response;
            case ModuleFault::AnswerLate:
                delay = kLateReplyDelay;
                break;
            case ModuleFault::AnswerTwice:
                copies = 2;
                break;
            case ModuleFault::Echo:
                copies = 2;
                copySpacing = kEchoDelay;
                break;
            case ModuleFault::Garbage:
                for (ModuleReport& reply : replies) {
                    reply = {};
                    for (std::size_t i = 1; i < reply.size(); ++i) {
                        reply[i] = static_cast<std::uint8_t>(random_() & 0xFF);
                    }
                }
                break;
        }
    }
    for (const ModuleReport& reply : replies) {
        for (int i = 0; i < copies; ++i) {
            response.replies.push_back({reply, delay + i * copySpacing});
        }
    }
    return response;
}

// Hundredths of a second since the module came to life; wraps like the
// module's own 32-bit counter.
std::uint32_t SimulatedModule::moduleTime() const {
    const auto elapsed = clock_.now() - start_;
    return static_cast<std::uint32_t>(elapsed / std::chrono::milliseconds(10));
}

void SimulatedModule::setLatency(std::chrono::milliseconds latency) {
    std::lock_guard lock(mutex_);
    options_.latency = latency;
}

void SimulatedModule::setHardwareId(std::string hardwareId) {
    std::lock_guard lock(mutex_);
    options_.hardwareId = std::move(hardwareId);
}

void SimulatedModule::setPowerOk(bool ok) {
    std::lock_guard lock(mutex_);
    powerOk_ = ok;
}

void SimulatedModule::scriptPower(std::vector<bool> okReplies) {
    std::lock_guard lock(mutex_);
    powerScript_.insert(powerScript_.end(), okReplies.begin(), okReplies.end());
}

void SimulatedModule::injectFault(ModuleFault fault, int times) {
    if (times == 0 || times < kForever) {
        return;
    }
    std::lock_guard lock(mutex_);
    faults_.push_back({fault, times});
}

void SimulatedModule::clearFaults() {
    std::lock_guard lock(mutex_);
    faults_.clear();
}

void SimulatedModule::attachEcm(std::shared_ptr<EcmResponder> ecm) {
    std::lock_guard lock(mutex_);
    ecm_ = std::move(ecm);
}

std::vector<std::string> SimulatedModule::receivedCommands() const {
    std::lock_guard lock(mutex_);
    return received_;
}

SimulatedModule::Options SimulatedModule::options() const {
    std::lock_guard lock(mutex_);
    return options_;
}

}  // namespace corsel
