#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "sim/EcmResponder.h"
#include "sim/EcmScenario.h"
#include "sim/EngineModel.h"

namespace corsel {

// The ECM behind the simulated module. Its engine starts when the object is
// made and runs on the clock (see EngineModel).
//
// What it answers (bytes 1-64; the module adds byte 0 and the time stamp):
//   "CheckFI"  two reports: "Busy", then "OK" with byte 21 = 0 for a marine
//              ECM or 2 for a motorcycle, byte 23 = 'r' and bytes 26-30 the
//              identification (the first three are the ECM ID).
//   "Init"     "Connected"; from then on the ECM is linked.
//   Until "Init" succeeds, and again after the module's "Disc" or "Stop",
//   the requests below get "Disconnected".
//   Table requests get one ECU frame of service 0x72, type 2 (motorcycle) or
//   1 (marine), whose data start at entry 4:
//   "GetFI1"   the 1x table (the scenario's number), 28 data entries: engine
//              speed, temperatures, pressures, battery, injector, advance and
//              the idle air valve where the scenario's layout puts them;
//   "GetFI2"   0x21, 8 entries: oxygen sensors, short-term trims and heaters
//              of both banks (entries 5-10), or the marine sensor (5-8);
//   "GetFID0"  0xD0, 20 entries: warning lamp (entry 5 bit 7) and bank angle
//              sensor (18), or the marine knock and idle air values (5, 11-13);
//   "GetFID1"  0xD1, 12 entries: switch bits in entries 5, 6, 9, 10 and the
//              gear in entry 7 (bit 0, 1, 2, 3, 4, 7 for gears 1-6, none in
//              neutral), or the marine switch bits in 5, 7, 8, 13, 14;
//   "GetFID3"  0xD3, 28 entries: the marine running-time and event counters
//              (16-bit, entries 5-27); zeros from a motorcycle;
//   "GetFIE1"  0x6n (n the low digit of the 1x table): the 1x layout frozen
//              at the fault;
//   "GetFIE2"  0x71: the 2x layout frozen at the fault;
//   "GetTH"    an 's' frame of table 0 with the status fault's main and sub
//              code in bytes 5 and 6.
//   Without a freeze frame the last three answer "UU".
//   "GetAH" / "GetRH" with byte 6 = page 1-11: a frame of service 't' /
//              's', byte 4 the page, byte 5 the number of codes on it, bytes
//              6-11 three (main, sub) pairs (0 0 unused), checksum in byte 12.
//              Page p holds codes 3(p-1) to 3(p-1)+2 of the current / past
//              list. Any other page: "UU".
//   "ErrorC"   frames of service 0x63 whose byte 4 counts 3, 2, 1 over
//              consecutive requests and then 0; with the 0 the current codes
//              and the freeze frame are gone. Past codes stay.
//   Anything else: no answer.
// Every frame's bytes 1 to L add up to 1 for type 1 and to 0 for type 2.
//
// Every method is safe from any thread: the module's writer calls answer()
// while a test scripts the ECM.
class SimulatedEcm final : public EcmResponder {
public:
    // The requests that the ECM knows; named in the source.
    enum class Request;

    SimulatedEcm(Clock& clock, EcmScenario scenario, std::uint32_t seed = 1);

    std::vector<ModuleReport> answer(const ModuleReport& command) override;
    void disconnect() override;

    // --- Misbehaviour on request.
    // The next `times` "CheckFI" get one "CErr" reply (a 'C', no 'r').
    void failCheckFi(int times);
    // The next `times` "Init" get "Connect Err" (byte 9 'E') and do not link.
    void failInit(int times);
    // While taken away, every command gets "Disconnected".
    void takeAway();
    void bringBack();
    // The next `times` requests of `command` get "UU".
    void replyNoData(std::string command, int times);
    // The next `times` ECU frames carry a wrong checksum.
    void corruptChecksum(int times);
    // The next request of `command` gets exactly `reply`.
    void replaceNext(std::string command, ModuleReport reply);
    // "ErrorC" keeps counting and never reaches 0.
    void setClearNeverFinishes(bool never);

    // --- What the ECM holds.
    void setCurrentCodes(std::vector<FaultCode> codes);
    void setPastCodes(std::vector<FaultCode> codes);
    std::vector<FaultCode> currentCodes() const;
    std::vector<FaultCode> pastCodes() const;
    bool hasFreezeFrame() const;
    bool linked() const;
    // How often `command` came, whatever it was answered.
    int requestCount(std::string_view command) const;
    const EcmScenario& scenario() const { return scenario_; }

    // The moment of the engine's run at which the freeze frame was taken.
    static constexpr double kFreezeFrameMoment = 191.0;  // s, in a ride

private:
    std::vector<ModuleReport> respond(Request request, const ModuleReport& command);
    ModuleReport frame(std::uint8_t service, std::uint8_t table, std::vector<std::uint8_t> data);
    ModuleReport faultPage(std::uint8_t service, const std::vector<FaultCode>& codes, int page);
    ModuleReport clearStep();
    EngineState engineNow() const;
    EngineState frozenEngine() const;

    Clock& clock_;
    const Clock::Duration start_;
    const EcmScenario scenario_;
    const EngineModel engine_;

    mutable std::mutex mutex_;
    std::vector<FaultCode> current_;  // under mutex_, as are all below
    std::vector<FaultCode> past_;
    bool freezeFrame_ = false;
    bool linked_ = false;
    bool takenAway_ = false;
    int checkFiFailures_ = 0;
    int initFailures_ = 0;
    int corruptFrames_ = 0;
    bool clearNeverFinishes_ = false;
    int clearCountdown_ = -1;  // -1: no clear under way
    std::map<std::string, int, std::less<>> noData_;
    std::map<std::string, std::deque<ModuleReport>, std::less<>> replacements_;
    std::map<std::string, int, std::less<>> requests_;
};

}  // namespace corsel
