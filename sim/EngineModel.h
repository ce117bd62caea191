#pragma once

#include <cstdint>

namespace corsel {

// What the simulated ECM measures and drives at one moment, in the units that
// the live-data page shows. The ECM encodes these into its tables.
struct EngineState {
    double engineSpeed = 0;         // rpm
    double vehicleSpeed = 0;        // km/h
    int gear = 0;                   // 0 neutral, 1 to 6
    double throttle = 0;            // % open
    double manifoldPressure = 0;    // kPa
    double barometricPressure = 0;  // kPa
    double coolant = 0;             // °C
    double intakeAir = 0;           // °C
    double engineOil = 0;           // °C
    double battery = 0;             // V
    double injector = 0;            // ms
    double advance = 0;             // degrees before top dead centre
    double idleAirPulses = 0;       // idle air valve steps
    double idleAirCommand = 0;      // g/s
    double bankAngleVoltage = 0;    // V, about 1 V upright

    double oxygen1 = 0;    // V, bank 1; 0 until the sensors are warm
    double oxygen2 = 0;    // V, bank 2
    double fuelTrim1 = 1;  // short-term trim, 1 = none
    double fuelTrim2 = 1;
    bool oxygenHeater1 = false;
    bool oxygenHeater2 = false;
    double oxygenHeaterCurrent = 0;  // A

    bool ignitionOn = false;
    bool runSwitchOn = false;
    bool starter = false;
    bool fuelPump = false;
    bool intakeAirValve = false;
    bool secondaryAirValve = false;
    bool fan = false;
    bool valveTimingSwitch = false;  // the high-speed valve timing is engaged
    bool mainRelay = false;
    bool neutral = false;
    bool serviceCheckShorted = false;
    bool bankAngleTripped = false;
    bool emergencyStop = false;
    bool oilPressureLow = false;
    bool oilPressureHigh = false;
    bool waterInFuel = false;
    bool chargeWarning = false;

    // Outboard engines.
    double alternatorSignal = 0;  // V
    double idleAirNeutral = 0;    // %
    double idleAirTrolling = 0;   // %
    double engineNoise = 0;       // V from the knock sensor
    double knockRetard = 0;       // degrees
    // Running-time counters: hours in the ECM's steps of half an hour.
    double totalHours = 0;
    double idleHours = 0;
    double trollingHours = 0;
    double fullThrottleHours = 0;
    double partialHours = 0;
    double bypassHours = 0;
    double startCount = 0;
    double oilPressureAlerts = 0;
    double overrunCount = 0;
    double valveTimingOperations = 0;

    // Not the engine's: the ECM lights its warning lamp while it holds codes.
    bool faultLamp = false;

    bool operator==(const EngineState&) const = default;
};

// A deterministic engine that starts when the ECM comes to life: cranking
// for a second, then idle with a rev blip every 20 s, and in every two
// minutes a ride of 40 s up through the gears and back. It warms up over a
// few minutes. A seed changes the blips' heights, the noise and the counters,
// nothing else, so every run with the same seed shows the same values.
class EngineModel {
public:
    static constexpr double kCrankingFrom = 1.0;  // s
    static constexpr double kRunningFrom = 2.0;   // s
    static constexpr double kOxygenSensorsReadyAt = 20.0;
    static constexpr double kBlipPeriod = 20.0;
    static constexpr double kRideCycle = 120.0;
    static constexpr double kRideStart = 60.0;  // into each cycle
    static constexpr double kRideLength = 40.0;

    explicit EngineModel(std::uint32_t seed);

    EngineState stateAt(double seconds) const;

private:
    double wobble(double seconds, double rate, std::uint64_t channel) const;
    double unitRandom(std::uint64_t key) const;

    std::uint64_t seed_;
};

}  // namespace corsel
