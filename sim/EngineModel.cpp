#include "sim/EngineModel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace corsel {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// Riding: the speeds at which the rider changes up, and rpm per km/h in
// each gear, so that every change comes at about 6000 rpm.
constexpr std::array<double, 5> kShiftSpeeds{25, 45, 65, 85, 105};
constexpr std::array<double, 6> kRpmPerKmh{240, 133, 92, 71, 57, 48};
constexpr double kTopSpeed = 120;

constexpr double kHalfHour = 1800;  // s

std::uint64_t splitMix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

double clamp01(double x) {
    return std::clamp(x, 0.0, 1.0);
}

// Rises smoothly from 0 to 1 over the interval [0, 1].
double smoothStep(double x) {
    x = clamp01(x);
    return x * x * (3 - 2 * x);
}

// Whole half hours, in hours.
double halfHours(double count) {
    return std::floor(count) / 2;
}

}  // namespace

EngineModel::EngineModel(std::uint32_t seed) : seed_(splitMix(seed)) {}

double EngineModel::unitRandom(std::uint64_t key) const {
    return static_cast<double>(splitMix(seed_ ^ splitMix(key)) >> 11) * 0x1.0p-53;
}

// Smooth noise in [-1, 1]: two sines with phases from the seed.
double EngineModel::wobble(double seconds, double rate, std::uint64_t channel) const {
    const double phase1 = kTwoPi * unitRandom(channel * 2);
    const double phase2 = kTwoPi * unitRandom(channel * 2 + 1);
    return 0.6 * std::sin(kTwoPi * rate * seconds + phase1) +
           0.4 * std::sin(kTwoPi * rate * 2.7 * seconds + phase2);
}

EngineState EngineModel::stateAt(double seconds) const {
    const double t = std::max(seconds, 0.0);
    EngineState s;
    s.ignitionOn = true;
    s.runSwitchOn = true;
    s.fuelPump = true;
    s.mainRelay = true;
    s.barometricPressure = 101 + 0.4 * wobble(t, 0.01, 1);

    // Warming up: the thermostat holds the coolant near 90 °C; once it is warm
    // it swings a little, enough for the fan to cut in above 95.
    const double settled = smoothStep((t - 180) / 60);
    s.coolant =
        20 + 73 * (1 - std::exp(-t / 90)) + 5 * settled * std::sin(kTwoPi * (t - 240) / 240);
    s.engineOil = 20 + 80 * (1 - std::exp(-t / 200));
    s.intakeAir = 25 + 3 * (1 - std::exp(-t / 300)) + 0.5 * wobble(t, 0.02, 2);
    s.fan = s.coolant > 95;
    const double coldness = clamp01((60 - s.coolant) / 40);

    const bool running = t >= kRunningFrom;
    s.starter = t >= kCrankingFrom && !running;
    s.chargeWarning = !running;
    s.oilPressureLow = !running;

    const double idle = 1250 + 150 * coldness + 15 * wobble(t, 0.3, 3);
    const double cyclePosition = std::fmod(t, kRideCycle) - kRideStart;
    const bool riding = cyclePosition >= 0 && cyclePosition < kRideLength;
    if (!running) {
        s.engineSpeed = s.starter ? 250 + 30 * wobble(t, 3, 4) : 0;
        s.manifoldPressure = s.starter ? 90 : s.barometricPressure;
    } else if (riding) {
        const double r = cyclePosition;
        s.vehicleSpeed = kTopSpeed * std::sin(std::numbers::pi * r / kRideLength);
        const auto upshifts = std::count_if(kShiftSpeeds.begin(), kShiftSpeeds.end(),
                                            [&](double v) { return s.vehicleSpeed >= v; });
        s.gear = static_cast<int>(upshifts) + 1;
        s.engineSpeed =
            std::max(idle, s.vehicleSpeed * kRpmPerKmh[static_cast<std::size_t>(upshifts)]);
        // Opening hard to pull away, easing off at speed, shut when slowing down.
        s.throttle =
            std::clamp(15 + 65 * std::cos(std::numbers::pi * r / kRideLength), 0.0, 100.0) *
            clamp01(r / 1.5);
    } else {
        // A blip of the throttle in the second half of each period, with a
        // height of its own between 6000 and 8000 rpm.
        const double blipIndex = std::floor(t / kBlipPeriod);
        const double intoBlip = (std::fmod(t, kBlipPeriod) - kBlipPeriod / 2) / 2.5;
        const double shape =
            intoBlip >= 0 && intoBlip < 1 ? std::pow(std::sin(std::numbers::pi * intoBlip), 2) : 0;
        const double peak = 6000 + 2000 * unitRandom(static_cast<std::uint64_t>(blipIndex) + 100);
        s.engineSpeed = idle + (peak - idle) * shape;
        s.throttle = 95 * shape;
    }
    s.neutral = s.gear == 0;

    if (running) {
        const double load = s.throttle / 100;
        const double revs = clamp01((s.engineSpeed - 1300) / 5000);
        s.manifoldPressure = 30 + 70 * load + 1.5 * wobble(t, 0.7, 5);
        s.battery = 13.5 + 0.7 * clamp01((s.engineSpeed - 1200) / 3000) + 0.05 * wobble(t, 0.2, 6);
        s.injector = 2.3 + 0.9 * coldness + 6 * load * (0.5 + s.engineSpeed / 16000) +
                     0.03 * wobble(t, 0.4, 15);
        s.advance = 10 + 28 * revs - 4 * load;
        s.idleAirPulses = 40 + 80 * coldness;
        s.idleAirCommand = 0.5 + 0.6 * coldness + 0.02 * wobble(t, 0.1, 7);
        s.intakeAirValve = s.engineSpeed > 5000;
        s.secondaryAirValve = s.coolant > 60 && s.engineSpeed < 3000;
        s.valveTimingSwitch = s.engineSpeed > 6800;
        s.oilPressureHigh = s.engineSpeed > 3000;
        s.oxygenHeater1 = true;
        s.oxygenHeater2 = true;
        s.oxygenHeaterCurrent = 0.8 + 0.05 * wobble(t, 0.05, 8);
        s.alternatorSignal = 1.5 + 1.5 * clamp01(s.engineSpeed / 6000);
        s.engineNoise = 0.8 + 2.2 * clamp01(s.engineSpeed / 8000) + 0.1 * wobble(t, 1.1, 9);
        s.knockRetard = 2 * std::max(0.0, (s.engineSpeed - 5500) / 1000);
    } else {
        s.battery = (s.starter ? 10.8 : 12.6) + 0.03 * wobble(t, 0.2, 6);
    }
    s.idleAirNeutral = 20 + 15 * coldness;
    s.idleAirTrolling = 10 + 2 * wobble(t, 0.05, 10);
    s.bankAngleVoltage = 1.0 + 0.02 * wobble(t, 0.5, 11);

    // Cold sensors give nothing; warm ones swing rich and lean about once a second.
    if (running && t >= kOxygenSensorsReadyAt) {
        s.oxygen1 = 0.5 + 0.4 * std::tanh(3 * std::sin(kTwoPi * 0.8 * t));
        s.oxygen2 = 0.5 + 0.4 * std::tanh(3 * std::sin(kTwoPi * 0.7 * t + 1));
        s.fuelTrim1 = 1 + 0.04 * wobble(t, 0.15, 12);
        s.fuelTrim2 = 1 + 0.04 * wobble(t, 0.15, 13);
    }

    // The counters come with the engine's history; this run adds its running time.
    const double pastHalfHours = 600 + std::floor(400 * unitRandom(14));
    const double thisRun = running ? (t - kRunningFrom) / kHalfHour : 0;
    s.totalHours = halfHours(pastHalfHours + thisRun);
    s.idleHours = halfHours(pastHalfHours * 0.3);
    s.trollingHours = halfHours(pastHalfHours * 0.15);
    s.fullThrottleHours = halfHours(pastHalfHours * 0.05);
    s.partialHours = halfHours(pastHalfHours * 0.5);
    s.bypassHours = halfHours(pastHalfHours * 0.2);
    s.startCount = std::floor(pastHalfHours / 2) + (running ? 1 : 0);
    s.oilPressureAlerts = 2;
    s.overrunCount = 3;
    s.valveTimingOperations = 100 * std::floor(pastHalfHours / 4);
    return s;
}

}  // namespace corsel
