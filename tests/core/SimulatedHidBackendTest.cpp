#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <set>
#include <stdexcept>
#include <string_view>
#include <thread>

#include "sim/SimulatedHidBackend.h"
#include "sim/StandardLayout.h"

namespace corsel {
namespace {

using namespace std::chrono_literals;

// Fast enough that 4000 ticks pass in a fraction of a second, slow enough
// that a tick is still a real sleep.
constexpr double kSpeedup = 40;

ModuleReport command(std::string_view letters) {
    ModuleReport report{};
    putText(report, 1, letters);
    return report;
}

// Polls for `condition` for at most `limit` of real time.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 10s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// Answers each command with a count of the commands so far in byte 1.
class CountingEcm final : public EcmResponder {
public:
    std::vector<ModuleReport> answer(const ModuleReport& /*command*/) override {
        ModuleReport reply{};
        reply[1] = ++count_;
        return {reply};
    }

private:
    std::uint8_t count_ = 0;
};

class SimulatedHidBackendTest : public ::testing::Test {
protected:
    std::unique_ptr<HidHandle> openModule(HidAccess access = HidAccess::ReadWrite) {
        return bus.open(bus.pathOf(moduleSlot), access);
    }

    ScaledClock clock{kSpeedup};
    SimulatedHidBackend bus{clock};
    const std::size_t moduleSlot = addStandardLayout(bus, 0ms);
};

// --- Listing and plugging

TEST_F(SimulatedHidBackendTest, ListsDevicesInOrderOncePerUsage) {
    ASSERT_EQ(moduleSlot, 3u);
    const std::vector<std::string> expected{bus.pathOf(0), bus.pathOf(0), bus.pathOf(1),
                                            bus.pathOf(2), bus.pathOf(3)};
    EXPECT_EQ(bus.listInterfaces(), expected);
    EXPECT_EQ(std::set<std::string>(expected.begin(), expected.end()).size(), 4u);

    EXPECT_EQ(bus.identityOf(2).vendorId, kModuleVendorId);
    EXPECT_EQ(bus.identityOf(2).productId, 0x000A);
    EXPECT_EQ(bus.identityOf(moduleSlot).productId, kModuleProductId);
    EXPECT_TRUE(bus.hasModule(moduleSlot));
    EXPECT_FALSE(bus.hasModule(2));
    EXPECT_THROW(bus.module(2), std::logic_error);
    EXPECT_EQ(bus.open("sim:nothing", HidAccess::Query), nullptr);
}

TEST_F(SimulatedHidBackendTest, UnpluggedDeviceIsAbsentUntilReplugged) {
    const std::string keyboard = bus.pathOf(0);
    bus.unplug(0);
    EXPECT_FALSE(bus.isPlugged(0));
    EXPECT_EQ(bus.listInterfaces(),
              (std::vector<std::string>{bus.pathOf(1), bus.pathOf(2), bus.pathOf(3)}));
    EXPECT_EQ(bus.open(keyboard, HidAccess::Query), nullptr);

    bus.replug(0);
    EXPECT_EQ(bus.listInterfaces()->front(), keyboard);
    EXPECT_NE(bus.open(keyboard, HidAccess::Query), nullptr);
}

// --- Handles

TEST_F(SimulatedHidBackendTest, HandlesReadAndWriteOnlyWithTheirAccess) {
    struct Case {
        HidAccess access;
        bool writes;
        bool reads;
    };
    const Case cases[] = {{HidAccess::Query, false, false},
                          {HidAccess::Write, true, false},
                          {HidAccess::Read, false, true},
                          {HidAccess::ReadWrite, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.access));
        auto handle = openModule(c.access);
        auto writer = openModule(HidAccess::Write);
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(handle->attributes()->productId, kModuleProductId);
        EXPECT_EQ(handle->write(command("Get_SN")), c.writes);
        ASSERT_TRUE(writer->write(command("Get_SN")));
        ModuleReport report{};
        EXPECT_EQ(handle->read(report, 1s), c.reads ? ReadOutcome::Report : ReadOutcome::Failed);
    }
}

TEST_F(SimulatedHidBackendTest, EachReadingHandleGetsItsOwnCopyAtOnce) {
    auto first = openModule(HidAccess::Read);
    auto second = openModule(HidAccess::Read);
    auto writer = openModule(HidAccess::Write);
    writer->write(command("Get_SN"));
    auto late = openModule(HidAccess::Read);
    EXPECT_EQ(bus.openHandleCount(), 4u);

    // No latency: the reply is queued before the write returns.
    for (auto* handle : {first.get(), second.get()}) {
        ModuleReport report;
        report.fill(0xFF);
        ASSERT_EQ(handle->read(report, 0ms), ReadOutcome::Report);
        EXPECT_EQ(report[0], 0);
        EXPECT_EQ(textAt(report, 1, 8), "SNQX0417");
    }
    ModuleReport report{};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(late->read(report, 30ms), ReadOutcome::TimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 30ms);  // real time, whatever the clock

    late.reset();
    EXPECT_EQ(bus.openHandleCount(), 3u);
}

TEST_F(SimulatedHidBackendTest, FullQueueDropsNewReports) {
    bus.module(moduleSlot).attachEcm(std::make_shared<CountingEcm>());
    auto handle = openModule();
    for (int i = 0; i < 70; ++i) {
        ASSERT_TRUE(handle->write(command("GetAH")));
    }
    ModuleReport report{};
    for (int i = 1; i <= 64; ++i) {
        ASSERT_EQ(handle->read(report, 0ms), ReadOutcome::Report);
        ASSERT_EQ(report[1], i);
    }
    EXPECT_EQ(handle->read(report, 0ms), ReadOutcome::TimedOut);
}

// Only the bus's thread sleeps on this clock, so its time is exactly the
// ticks the bus has counted.
class TickCountingClock final : public Clock {
public:
    void sleepFor(Duration duration) override {
        now_ += duration.count();
        std::this_thread::sleep_for(10us);
    }
    Duration now() const override { return Duration(now_.load()); }

private:
    std::atomic<Duration::rep> now_{0};
};

// A blocked read is released by a delayed reply after exactly its delay in
// ticks, a late one included.
TEST(SimulatedHidBackendTickTest, DelayIsThatManyTicks) {
    TickCountingClock clock;
    SimulatedHidBackend bus(clock);
    const std::size_t slot = bus.addModule({.latency = 300ms});
    bus.module(slot).injectFault(ModuleFault::AnswerLate);
    auto handle = bus.open(bus.pathOf(slot), HidAccess::ReadWrite);
    for (const auto delay : {SimulatedModule::kLateReplyDelay, 300ms}) {
        const auto start = clock.now();
        ASSERT_TRUE(handle->write(command("Get_SN")));
        ModuleReport report{};
        ASSERT_EQ(handle->read(report, 20s), ReadOutcome::Report);
        EXPECT_EQ(textAt(report, 1, 8), "SNQX0417");
        const auto ticks = clock.now() - start;
        EXPECT_GE(ticks, delay);
        EXPECT_LE(ticks, delay + 1ms);
    }
}

TEST_F(SimulatedHidBackendTest, UnplugWakesBlockedReaderAndKillsHandles) {
    auto handle = openModule();
    std::atomic<bool> reading{false};
    ReadOutcome outcome = ReadOutcome::Report;
    auto elapsed = std::chrono::steady_clock::duration::max();
    std::thread reader([&] {
        ModuleReport report{};
        const auto start = std::chrono::steady_clock::now();
        reading = true;
        outcome = handle->read(report, 20s);
        elapsed = std::chrono::steady_clock::now() - start;
    });
    EXPECT_TRUE(waitUntil([&] { return reading.load(); }));
    bus.unplug(moduleSlot);
    reader.join();
    EXPECT_EQ(outcome, ReadOutcome::Failed);
    EXPECT_LT(elapsed, 10s);

    EXPECT_FALSE(handle->write(command("Get_SN")));
    EXPECT_EQ(handle->attributes(), std::nullopt);
    bus.replug(moduleSlot);
    EXPECT_FALSE(handle->write(command("Get_SN")));  // a handle from before stays dead
    EXPECT_TRUE(openModule()->write(command("Get_SN")));
}

TEST_F(SimulatedHidBackendTest, UnplugFaultTakesModuleOffTheBus) {
    auto handle = openModule();
    bus.module(moduleSlot).injectFault(ModuleFault::Unplug);
    EXPECT_TRUE(handle->write(command("Get_SN")));
    EXPECT_FALSE(bus.isPlugged(moduleSlot));
    EXPECT_EQ(bus.listInterfaces()->size(), 4u);
    ModuleReport report{};
    EXPECT_EQ(handle->read(report, 0ms), ReadOutcome::Failed);
}

// Replies still on their way when the device leaves are lost with it.
TEST_F(SimulatedHidBackendTest, DelayedReplyDoesNotReachHandlesOpenedAfterReplug) {
    bus.module(moduleSlot).setLatency(200ms);
    openModule()->write(command("Get_SN"));
    bus.unplug(moduleSlot);
    bus.replug(moduleSlot);
    auto handle = openModule();
    ModuleReport report{};
    EXPECT_EQ(handle->read(report, 200ms), ReadOutcome::TimedOut);
}

// --- Restarts

TEST_F(SimulatedHidBackendTest, UpgradeBringsBootLoaderBackInTheSameSlot) {
    const std::string modulePath = bus.pathOf(moduleSlot);
    auto handle = openModule();
    const auto start = clock.now();
    ASSERT_TRUE(handle->write(command("Upgrade")));

    EXPECT_EQ(bus.listInterfaces()->size(), 4u);
    ModuleReport report{};
    EXPECT_EQ(handle->read(report, 0ms), ReadOutcome::Failed);

    ASSERT_TRUE(waitUntil([&] { return bus.isPlugged(moduleSlot); }));
    EXPECT_GE(clock.now() - start, 1500ms);
    EXPECT_EQ(bus.identityOf(moduleSlot).productId, kBootLoaderProductId);
    const std::string bootLoaderPath = bus.pathOf(moduleSlot);
    EXPECT_NE(bootLoaderPath, modulePath);
    EXPECT_EQ(bus.listInterfaces()->back(), bootLoaderPath);
    EXPECT_FALSE(bus.hasModule(moduleSlot));
    EXPECT_THROW(bus.module(moduleSlot), std::logic_error);

    EXPECT_EQ(bus.open(modulePath, HidAccess::ReadWrite), nullptr);
    auto bootLoader = bus.open(bootLoaderPath, HidAccess::ReadWrite);
    ASSERT_TRUE(bootLoader->write(command("Get_ID")));
    EXPECT_EQ(bootLoader->read(report, 20ms), ReadOutcome::TimedOut);
}

// --- Lifetimes and threads

TEST(SimulatedHidBackendLifetimeTest, HandleOutlivesTheBus) {
    ScaledClock clock(kSpeedup);
    auto bus = std::make_unique<SimulatedHidBackend>(clock);
    const std::size_t slot = bus->addModule({.latency = 100ms});
    auto handle = bus->open(bus->pathOf(slot), HidAccess::ReadWrite);
    auto restarting = bus->open(bus->pathOf(bus->addModule()), HidAccess::Write);
    ASSERT_TRUE(handle->write(command("Get_SN")));
    ASSERT_TRUE(restarting->write(command("Upgrade")));
    bus.reset();  // with a reply and a restart pending

    ModuleReport report{};
    EXPECT_EQ(handle->read(report, 200ms), ReadOutcome::TimedOut);
    EXPECT_TRUE(handle->write(command("Get_SN")));  // the device itself lives on
}

// The program's shape: one thread writes and waits, the reader thread reads,
// a third scripts the module and looks at the bus. Meant for ThreadSanitizer.
TEST_F(SimulatedHidBackendTest, WriterReaderAndScriptingThreadsShareTheBus) {
    constexpr int kExchanges = 300;
    auto writeHandle = openModule(HidAccess::Write);
    auto readHandle = openModule(HidAccess::Read);
    std::atomic<int> received{0};
    std::atomic<bool> stop{false};

    std::thread reader([&] {
        ModuleReport report{};
        while (!stop) {
            if (readHandle->read(report, 2ms) == ReadOutcome::Report) {
                ++received;
            }
        }
    });
    std::thread scripter([&] {
        while (!stop) {
            bus.module(moduleSlot).setPowerOk(received % 3 != 0);
            bus.listInterfaces();
            std::this_thread::yield();
        }
    });
    for (int i = 1; i <= kExchanges; ++i) {
        writeHandle->write(command(i % 2 ? "Get_ID" : "Power"));
        if (!waitUntil([&] { return received >= i; }, 5s)) {
            ADD_FAILURE() << "no reply to exchange " << i;
            break;
        }
    }
    stop = true;
    reader.join();
    scripter.join();
    EXPECT_EQ(received, kExchanges);
}

}  // namespace
}  // namespace corsel
