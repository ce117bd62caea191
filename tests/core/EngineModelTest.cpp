#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "sim/EngineModel.h"

namespace corsel {
namespace {

constexpr double kStep = 0.1;  // s

std::vector<EngineState> run(const EngineModel& model, double from, double to) {
    std::vector<EngineState> states;
    for (double t = from; t < to; t += kStep) {
        states.push_back(model.stateAt(t));
    }
    return states;
}

double seconds(std::size_t sample, double from = 0) {
    return from + static_cast<double>(sample) * kStep;
}

TEST(EcmEngineModelTest, SameSeedSameRunOtherSeedOtherBlips) {
    const EngineModel first(7);
    const EngineModel again(7);
    const EngineModel other(8);
    bool differs = false;
    for (double t = 0; t < 200; t += 0.37) {
        ASSERT_EQ(first.stateAt(t), again.stateAt(t)) << "at " << t << " s";
        differs = differs || first.stateAt(t).engineSpeed != other.stateAt(t).engineSpeed;
    }
    EXPECT_TRUE(differs);
}

TEST(EcmEngineModelTest, StartsThenIdlesWithShortRevBlips) {
    const EngineModel model(1);
    const EngineState atRest = model.stateAt(0);
    EXPECT_EQ(atRest.engineSpeed, 0);
    EXPECT_TRUE(atRest.ignitionOn);
    EXPECT_NEAR(atRest.battery, 12.6, 0.1);
    EXPECT_TRUE(model.stateAt(EngineModel::kCrankingFrom + 0.5).starter);

    // Each 20 s period: idle, then one blip of a couple of seconds.
    for (double period = 0; period < 60; period += EngineModel::kBlipPeriod) {
        const auto states = run(model, std::max(period, EngineModel::kRunningFrom), period + 20);
        double peak = 0;
        int revving = 0;
        for (const EngineState& s : states) {
            peak = std::max(peak, s.engineSpeed);
            revving += s.engineSpeed > 3000 ? 1 : 0;
            EXPECT_GE(s.engineSpeed, 1150);
            EXPECT_EQ(s.gear, 0);
            EXPECT_TRUE(s.neutral);
            EXPECT_GE(s.battery, 13.4);
            EXPECT_LE(s.battery, 14.3);
        }
        EXPECT_GE(peak, 6000) << "period from " << period << " s";
        EXPECT_LE(peak, 8000);
        EXPECT_GE(revving * kStep, 1.0);
        EXPECT_LE(revving * kStep, 3.0);
    }

    const EngineState idle = model.stateAt(5);
    EXPECT_NEAR(idle.manifoldPressure, 30, 4);
    EXPECT_NEAR(idle.advance, 10, 2);
    EXPECT_GE(idle.injector, 2);
    EXPECT_LE(idle.injector, 3.5);
    const auto blip = run(model, 10, 13);
    const auto top = std::max_element(blip.begin(), blip.end(), [](const auto& a, const auto& b) {
        return a.engineSpeed < b.engineSpeed;
    });
    EXPECT_GE(top->throttle, 80);
    EXPECT_GE(top->manifoldPressure, 80);
    EXPECT_GE(top->advance, 30);
    EXPECT_LE(top->advance, 40);
    EXPECT_GT(top->injector, idle.injector);
}

TEST(EcmEngineModelTest, RideGoesThroughAllGearsAndBack) {
    const EngineModel model(1);
    const double start = EngineModel::kRideStart;
    const auto ride = run(model, start, start + EngineModel::kRideLength);
    std::set<int> gears;
    double topSpeed = 0;
    for (const EngineState& s : ride) {
        gears.insert(s.gear);
        topSpeed = std::max(topSpeed, s.vehicleSpeed);
        EXPECT_FALSE(s.neutral);
        EXPECT_LE(s.engineSpeed, 8000);
    }
    EXPECT_EQ(gears, (std::set<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_GE(topSpeed, 100);
    EXPECT_EQ(model.stateAt(start + EngineModel::kRideLength + 1).gear, 0);
    EXPECT_EQ(model.stateAt(start + EngineModel::kRideLength + 1).vehicleSpeed, 0);
    EXPECT_EQ(model.stateAt(start - 1).vehicleSpeed, 0);
}

TEST(EcmEngineModelTest, WarmsUpOverMinutesAndTheFanCutsIn) {
    const EngineModel model(1);
    EXPECT_NEAR(model.stateAt(0).coolant, 20, 1);
    const auto warming = run(model, 0, 180);
    for (std::size_t i = 1; i < warming.size(); ++i) {
        ASSERT_GT(warming[i].coolant, warming[i - 1].coolant) << "at " << seconds(i) << " s";
    }
    EXPECT_GE(model.stateAt(240).coolant, 80);
    EXPECT_GT(model.stateAt(240).engineOil, model.stateAt(60).engineOil);

    bool fanRan = false;
    for (const EngineState& s : run(model, 0, 600)) {
        EXPECT_LE(s.coolant, 99);
        EXPECT_EQ(s.fan, s.coolant > 95);
        fanRan = fanRan || s.fan;
    }
    EXPECT_TRUE(fanRan);
    EXPECT_NEAR(model.stateAt(60).intakeAir, 25, 3);
    EXPECT_NEAR(model.stateAt(60).barometricPressure, 101, 1);
}

TEST(EcmEngineModelTest, OxygenSensorsSwitchOnceWarm) {
    const EngineModel model(1);
    for (const EngineState& s : run(model, 0, EngineModel::kOxygenSensorsReadyAt - kStep)) {
        EXPECT_EQ(s.oxygen1, 0);
        EXPECT_EQ(s.oxygen2, 0);
    }
    double low = 1;
    double high = 0;
    for (const EngineState& s : run(model, EngineModel::kOxygenSensorsReadyAt + 1, 40)) {
        low = std::min({low, s.oxygen1, s.oxygen2});
        high = std::max({high, s.oxygen1, s.oxygen2});
        EXPECT_NEAR(s.fuelTrim1, 1, 0.05);
        EXPECT_NEAR(s.fuelTrim2, 1, 0.05);
        EXPECT_TRUE(s.oxygenHeater1 && s.oxygenHeater2);
    }
    EXPECT_NEAR(low, 0.1, 0.05);
    EXPECT_NEAR(high, 0.9, 0.05);
}

TEST(EcmEngineModelTest, RunningTimeCountsInHalfHours) {
    const EngineModel model(3);
    const EngineState start = model.stateAt(10);
    const EngineState later = model.stateAt(10 + 1800);
    EXPECT_GT(start.totalHours, 0);
    EXPECT_EQ(later.totalHours - start.totalHours, 0.5);
    for (double hours : {start.totalHours, start.idleHours, start.trollingHours}) {
        EXPECT_EQ(hours * 2, static_cast<int>(hours * 2));
    }
    EXPECT_GE(start.totalHours, start.idleHours + start.trollingHours);
    EXPECT_EQ(model.stateAt(10).startCount, model.stateAt(0).startCount + 1);
}

}  // namespace
}  // namespace corsel
