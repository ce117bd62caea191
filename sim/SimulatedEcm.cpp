#include "sim/SimulatedEcm.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <optional>
#include <utility>

#include "sim/EcmFrames.h"
#include "sim/EcmTables.h"

namespace corsel {

enum class SimulatedEcm::Request {
    CheckFi,
    Init,
    Sensors1x,
    Sensors2x,
    TableD0,
    TableD1,
    TableD3,
    Frozen1x,
    Frozen2x,
    StatusFault,
    CurrentCodes,
    PastCodes,
    Clear
};

namespace {

using Request = SimulatedEcm::Request;

constexpr std::array<std::pair<std::string_view, Request>, 13> kRequests{{
    {"CheckFI", Request::CheckFi},
    {"GetFID0", Request::TableD0},
    {"GetFID1", Request::TableD1},
    {"GetFID3", Request::TableD3},
    {"GetFIE1", Request::Frozen1x},
    {"GetFIE2", Request::Frozen2x},
    {"GetFI1", Request::Sensors1x},
    {"GetFI2", Request::Sensors2x},
    {"ErrorC", Request::Clear},
    {"GetTH", Request::StatusFault},
    {"GetAH", Request::CurrentCodes},
    {"GetRH", Request::PastCodes},
    {"Init", Request::Init},
}};

constexpr std::uint8_t kTableService = 0x72;
constexpr std::uint8_t kClearService = 0x63;
constexpr std::uint8_t kPastService = 's';
constexpr std::uint8_t kCurrentService = 't';
constexpr std::uint8_t kSensors2xTable = 0x21;
constexpr std::uint8_t kFrozen2xTable = 0x71;
constexpr std::size_t kPageByte = 6;
constexpr int kPageCount = 11;
constexpr std::size_t kCodesPerPage = 3;
constexpr int kClearSteps = 3;

constexpr std::size_t kMarineFlagByte = 21;
constexpr std::size_t kReadyMarkByte = 23;
constexpr std::size_t kIdentificationByte = 26;

// Commands are matched at byte 1; longer names first, as leftovers of an
// earlier command may follow a shorter one.
std::optional<std::pair<std::string_view, Request>> recognise(const ModuleReport& command) {
    for (const auto& entry : kRequests) {
        if (hasText(command, 1, entry.first)) {
            return entry;
        }
    }
    return std::nullopt;
}

bool needsLink(Request request) {
    return request != Request::CheckFi && request != Request::Init;
}

// Uses up one of a counted number of misbehaviours.
bool takeOne(int& remaining) {
    if (remaining <= 0) {
        return false;
    }
    --remaining;
    return true;
}

}  // namespace

SimulatedEcm::SimulatedEcm(Clock& clock, EcmScenario scenario, std::uint32_t seed)
    : clock_(clock),
      start_(clock.now()),
      scenario_(std::move(scenario)),
      engine_(seed),
      current_(scenario_.currentCodes),
      past_(scenario_.pastCodes),
      freezeFrame_(scenario_.hasFreezeFrame) {}

std::vector<ModuleReport> SimulatedEcm::answer(const ModuleReport& command) {
    const auto recognised = recognise(command);
    if (!recognised) {
        return {};
    }
    const auto [name, request] = *recognised;

    std::lock_guard lock(mutex_);
    ++requests_[std::string(name)];
    if (takenAway_) {
        return {disconnectedNotice()};
    }
    if (const auto found = replacements_.find(name); found != replacements_.end()) {
        const ModuleReport reply = found->second.front();
        found->second.pop_front();
        if (found->second.empty()) {
            replacements_.erase(found);
        }
        return {reply};
    }
    if (needsLink(request) && !linked_) {
        return {disconnectedNotice()};
    }
    if (const auto found = noData_.find(name); found != noData_.end() && takeOne(found->second)) {
        return {noDataReply()};
    }
    return respond(request, command);
}

std::vector<ModuleReport> SimulatedEcm::respond(Request request, const ModuleReport& command) {
    switch (request) {
        case Request::CheckFi: {
            if (takeOne(checkFiFailures_)) {
                return {textReply("CErr")};
            }
            ModuleReport identity = textReply("OK");
            identity[kMarineFlagByte] = scenario_.family == EcmFamily::Marine ? 0 : 2;
            identity[kReadyMarkByte] = 'r';
            std::copy(scenario_.identification.begin(), scenario_.identification.end(),
                      identity.begin() + kIdentificationByte);
            return {textReply("Busy"), identity};
        }
        case Request::Init:
            if (takeOne(initFailures_)) {
                return {textReply("Connect Err")};
            }
            linked_ = true;
            return {textReply("Connected")};
        case Request::Sensors1x:
            return {frame(kTableService, scenario_.table1x,
                          encodeEcmTable(EcmTable::Sensors1x, scenario_, engineNow()))};
        case Request::Sensors2x:
            return {frame(kTableService, kSensors2xTable,
                          encodeEcmTable(EcmTable::Sensors2x, scenario_, engineNow()))};
        case Request::TableD0:
            return {frame(kTableService, 0xD0,
                          encodeEcmTable(EcmTable::TableD0, scenario_, engineNow()))};
        case Request::TableD1:
            return {frame(kTableService, 0xD1,
                          encodeEcmTable(EcmTable::TableD1, scenario_, engineNow()))};
        case Request::TableD3:
            return {frame(kTableService, 0xD3,
                          encodeEcmTable(EcmTable::TableD3, scenario_, engineNow()))};
        case Request::Frozen1x:
        case Request::Frozen2x:
        case Request::StatusFault:
            break;
        case Request::CurrentCodes:
            return {faultPage(kCurrentService, current_, command[kPageByte])};
        case Request::PastCodes:
            return {faultPage(kPastService, past_, command[kPageByte])};
        case Request::Clear:
            return {clearStep()};
    }

    // What the ECM kept of the moment of its fault.
    if (!freezeFrame_) {
        return {noDataReply()};
    }
    if (request == Request::StatusFault) {
        return {frame(kPastService, 0, {scenario_.statusFault.main, scenario_.statusFault.sub})};
    }
    if (request == Request::Frozen1x) {
        const auto table = static_cast<std::uint8_t>(0x60 | (scenario_.table1x & 0x0F));
        return {frame(kTableService, table,
                      encodeEcmTable(EcmTable::Sensors1x, scenario_, frozenEngine()))};
    }
    return {frame(kTableService, kFrozen2xTable,
                  encodeEcmTable(EcmTable::Sensors2x, scenario_, frozenEngine()))};
}

ModuleReport SimulatedEcm::frame(std::uint8_t service, std::uint8_t table,
                                 std::vector<std::uint8_t> data) {
    ModuleReport reply = makeEcuFrame(frameTypeOf(scenario_.family), service, table, data);
    if (takeOne(corruptFrames_)) {
        ++reply[reply[2]];
    }
    return reply;
}

ModuleReport SimulatedEcm::faultPage(std::uint8_t service, const std::vector<FaultCode>& codes,
                                     int page) {
    if (page < 1 || page > kPageCount) {
        return noDataReply();
    }
    const std::size_t first = kCodesPerPage * static_cast<std::size_t>(page - 1);
    const std::size_t last = std::min(codes.size(), first + kCodesPerPage);
    std::vector<std::uint8_t> data(1 + 2 * kCodesPerPage, 0);
    for (std::size_t i = first; i < last; ++i) {
        data[0]++;
        data[1 + 2 * (i - first)] = codes[i].main;
        data[2 + 2 * (i - first)] = codes[i].sub;
    }
    return frame(service, static_cast<std::uint8_t>(page), std::move(data));
}

// One request of a clear: the ECM counts down, and forgets its codes when
// it gets to 0.
ModuleReport SimulatedEcm::clearStep() {
    if (clearCountdown_ < 0) {
        clearCountdown_ = kClearSteps;
    }
    const auto shown = static_cast<std::uint8_t>(clearCountdown_);
    if (clearCountdown_ == 0) {
        current_.clear();
        freezeFrame_ = false;
        clearCountdown_ = -1;
    } else if (!(clearNeverFinishes_ && clearCountdown_ == 1)) {
        --clearCountdown_;
    }
    return frame(kClearService, shown, {});
}

EngineState SimulatedEcm::engineNow() const {
    const std::chrono::duration<double> elapsed = clock_.now() - start_;
    EngineState state = engine_.stateAt(elapsed.count());
    state.faultLamp = !current_.empty();
    return state;
}

EngineState SimulatedEcm::frozenEngine() const {
    EngineState state = engine_.stateAt(kFreezeFrameMoment);
    state.faultLamp = true;
    return state;
}

void SimulatedEcm::disconnect() {
    std::lock_guard lock(mutex_);
    linked_ = false;
    clearCountdown_ = -1;
}

void SimulatedEcm::failCheckFi(int times) {
    std::lock_guard lock(mutex_);
    checkFiFailures_ = std::max(times, 0);
}

void SimulatedEcm::failInit(int times) {
    std::lock_guard lock(mutex_);
    initFailures_ = std::max(times, 0);
}

void SimulatedEcm::takeAway() {
    std::lock_guard lock(mutex_);
    takenAway_ = true;
}

void SimulatedEcm::bringBack() {
    std::lock_guard lock(mutex_);
    takenAway_ = false;
}

void SimulatedEcm::replyNoData(std::string command, int times) {
    std::lock_guard lock(mutex_);
    noData_[std::move(command)] = std::max(times, 0);
}

void SimulatedEcm::corruptChecksum(int times) {
    std::lock_guard lock(mutex_);
    corruptFrames_ = std::max(times, 0);
}

void SimulatedEcm::replaceNext(std::string command, ModuleReport reply) {
    std::lock_guard lock(mutex_);
    replacements_[std::move(command)].push_back(reply);
}

void SimulatedEcm::setClearNeverFinishes(bool never) {
    std::lock_guard lock(mutex_);
    clearNeverFinishes_ = never;
}

void SimulatedEcm::setCurrentCodes(std::vector<FaultCode> codes) {
    std::lock_guard lock(mutex_);
    current_ = std::move(codes);
}

void SimulatedEcm::setPastCodes(std::vector<FaultCode> codes) {
    std::lock_guard lock(mutex_);
    past_ = std::move(codes);
}

std::vector<FaultCode> SimulatedEcm::currentCodes() const {
    std::lock_guard lock(mutex_);
    return current_;
}

std::vector<FaultCode> SimulatedEcm::pastCodes() const {
    std::lock_guard lock(mutex_);
    return past_;
}

bool SimulatedEcm::hasFreezeFrame() const {
    std::lock_guard lock(mutex_);
    return freezeFrame_;
}

bool SimulatedEcm::linked() const {
    std::lock_guard lock(mutex_);
    return linked_;
}

int SimulatedEcm::requestCount(std::string_view command) const {
    std::lock_guard lock(mutex_);
    const auto found = requests_.find(command);
    return found == requests_.end() ? 0 : found->second;
}

}  // namespace corsel
