#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "link/LinkChannel.h"
#include "platform/Clock.h"
#include "sim/SimulatedHidBackend.h"
#include "support/RecordingPrompter.h"
#include "support/WaitFor.h"

namespace corsel {
namespace {

using namespace std::chrono_literals;
using testing::waitFor;

// A module on a small bus, the link and the transport over it. The clock runs
// `speedup` times faster than real time, for the tests that have to reach the
// transport's tick limits.
class Transport {
public:
    explicit Transport(double speedup = 1.0) : clock_(speedup) {
        bus.addPlainDevice({0x046D, 0xC31C}, 2);
        slot = bus.addModule();
        channel.setResetSession([this] { ++resets; });
    }

    ~Transport() { channel.joinThreads(); }

    SimulatedModule& module() { return bus.module(slot); }

    bool connect() {
        channel.linkOpen = link.OpenModule(kModuleVendorId, kModuleProductId);
        if (channel.linkOpen) {
            channel.startThreads();
        }
        return channel.linkOpen;
    }

    bool send(const char* command) {
        putText(channel.sendReport, 1, command);
        return channel.SendReport();
    }

    bool threadsEnded() const { return !channel.readerRunning() && !channel.watchdogRunning(); }

private:
    ScaledClock clock_;

public:
    SimulatedHidBackend bus{clock_};
    testing::RecordingPrompter prompter;
    ModuleLink link{bus, prompter};
    LinkChannel channel{link, clock_};
    std::size_t slot = 0;
    std::atomic<int> resets{0};
};

TEST(LinkChannelDown, SendAndWaitFailAtOnceAndTouchNothing) {
    Transport t;
    EXPECT_FALSE(t.send("Get_ID"));
    EXPECT_FALSE(t.channel.WaitReply());
    EXPECT_EQ(t.resets, 0);
    EXPECT_TRUE(t.module().receivedCommands().empty());
    EXPECT_FALSE(t.channel.linkOpen);
}

TEST(LinkChannelExchange, RequestAndReply) {
    Transport t;
    ASSERT_TRUE(t.connect());
    ASSERT_TRUE(t.send("Get_ID"));
    ASSERT_TRUE(t.channel.WaitReply());
    EXPECT_EQ(textAt(t.channel.receiveReport, 1, 7), "IDV2.07");
    EXPECT_EQ(t.channel.receiveReport[0], 0);
    EXPECT_TRUE(t.channel.lastReadOk);
    EXPECT_EQ(t.resets, 0);
}

TEST(LinkChannelExchange, ReplyArrivingBeforeTheWaitBeginsIsNotLost) {
    Transport t;
    ASSERT_TRUE(t.connect());
    ASSERT_TRUE(t.send("Get_SN"));
    ASSERT_TRUE(waitFor([&] { return t.channel.arrivals() == 1; }));
    ASSERT_TRUE(t.channel.WaitReply());
    EXPECT_EQ(textAt(t.channel.receiveReport, 1, 8), "SNQX0417");
}

TEST(LinkChannelExchange, LeftOverReplyDoesNotAnswerTheNextRequest) {
    Transport t;
    ASSERT_TRUE(t.connect());
    ASSERT_TRUE(t.send("Disc"));  // answered, but nobody waits for it
    ASSERT_TRUE(waitFor([&] { return t.channel.arrivals() == 1; }));
    ASSERT_TRUE(t.send("Get_ID"));
    ASSERT_TRUE(t.channel.WaitReply());
    EXPECT_TRUE(hasText(t.channel.receiveReport, 1, "ID"));
}

TEST(LinkChannelExchange, ReplySentTwiceSatisfiesTheNextWait) {
    Transport t;
    ASSERT_TRUE(t.connect());
    t.module().injectFault(ModuleFault::AnswerTwice);
    ASSERT_TRUE(t.send("Power"));
    // Both copies are in before anyone waits: each wait still takes one.
    ASSERT_TRUE(waitFor([&] { return t.channel.arrivals() == 2; }));
    ASSERT_TRUE(t.channel.WaitReply());
    EXPECT_TRUE(hasText(t.channel.receiveReport, 1, "Power OK"));
    // A wait without a new request takes the second copy.
    ASSERT_TRUE(t.channel.WaitReply());
    EXPECT_TRUE(hasText(t.channel.receiveReport, 1, "Power OK"));
}

TEST(LinkChannelExchange, WaitsKeepTheLinkAliveLongPastTheTickLimit) {
    // Only a wait that never began may end the link: exchanges go on until the
    // watchdog has counted twice its limit in all, and the link stays up.
    Transport t(10.0);
    ASSERT_TRUE(t.connect());
    std::uint64_t ticks = 0;
    for (int i = 0; ticks < 2 * LinkChannel::kReplyTickLimit; ++i) {
        ASSERT_LT(i, 100000);
        ASSERT_TRUE(t.send("Power")) << "exchange " << i;
        ticks += t.channel.tickCount;  // ticks since the previous wait began
        ASSERT_TRUE(t.channel.WaitReply()) << "exchange " << i;
    }
    EXPECT_EQ(t.resets, 0);
    EXPECT_TRUE(t.link.isOpen());
}

TEST(LinkChannelFailure, SilentModuleFailsTheWaitAtTheLimitAndResets) {
    Transport t(40.0);
    ASSERT_TRUE(t.connect());
    t.module().injectFault(ModuleFault::Silent, SimulatedModule::kForever);
    ASSERT_TRUE(t.send("Get_ID"));
    EXPECT_FALSE(t.channel.WaitReply());
    EXPECT_GT(t.channel.tickCount, LinkChannel::kReplyTickLimit);
    EXPECT_EQ(t.resets, 1);
    EXPECT_FALSE(t.channel.linkOpen);
    EXPECT_TRUE(t.channel.stopThreads);
    EXPECT_FALSE(t.channel.lastReadOk);
    ASSERT_TRUE(waitFor([&] { return t.threadsEnded(); }));
    EXPECT_FALSE(t.link.isOpen());  // the watchdog closed it
}

TEST(LinkChannelFailure, ReplyPastTheLimitIsTooLate) {
    Transport t(40.0);
    ASSERT_TRUE(t.connect());
    t.module().injectFault(ModuleFault::AnswerLate);
    ASSERT_TRUE(t.send("Get_SN"));
    EXPECT_FALSE(t.channel.WaitReply());
    EXPECT_EQ(t.resets, 1);
}

TEST(LinkChannelFailure, UnplugDuringAnExchangeEndsTheWaitThroughTheReader) {
    Transport t;
    ASSERT_TRUE(t.connect());
    t.module().injectFault(ModuleFault::Unplug);  // takes the request, then leaves
    ASSERT_TRUE(t.send("Get_ID"));
    EXPECT_FALSE(t.channel.WaitReply());
    // Read errors ended it, long before the watchdog's limit.
    EXPECT_LT(t.channel.tickCount, LinkChannel::kReplyTickLimit);
    EXPECT_EQ(t.resets, 1);
    EXPECT_FALSE(t.channel.linkOpen);
    ASSERT_TRUE(waitFor([&] { return t.threadsEnded(); }));
    t.link.CloseModule();
    EXPECT_EQ(t.bus.openHandleCount(), 0u);
}

TEST(LinkChannelFailure, WriteToAnUnpluggedModuleClosesAndResets) {
    Transport t;
    ASSERT_TRUE(t.connect());
    t.bus.unplug(t.slot);
    EXPECT_FALSE(t.send("Power"));
    EXPECT_EQ(t.resets, 1);
    EXPECT_FALSE(t.channel.linkOpen);
    EXPECT_FALSE(t.link.isOpen());
    EXPECT_FALSE(t.bus.hidLibraryLoaded());
    ASSERT_TRUE(waitFor([&] { return t.threadsEnded(); }));
}

TEST(LinkChannelFailure, WatchdogClosesAnIdleLinkAndBothThreadsEnd) {
    Transport t(40.0);
    ASSERT_TRUE(t.connect());
    ASSERT_TRUE(waitFor([&] { return t.threadsEnded(); }));
    EXPECT_FALSE(t.channel.linkOpen);
    EXPECT_TRUE(t.channel.stopThreads);
    EXPECT_FALSE(t.link.isOpen());
    EXPECT_EQ(t.bus.openHandleCount(), 0u);
    EXPECT_FALSE(t.channel.WaitReply());
}

TEST(LinkChannelLifecycle, ReconnectAfterALostLinkStartsFreshThreads) {
    Transport t;
    ASSERT_TRUE(t.connect());
    t.bus.unplug(t.slot);
    EXPECT_FALSE(t.send("Power"));
    t.bus.replug(t.slot);
    ASSERT_TRUE(t.connect());
    EXPECT_TRUE(t.channel.readerRunning());
    EXPECT_TRUE(t.channel.watchdogRunning());
    ASSERT_TRUE(t.send("Get_ID"));
    ASSERT_TRUE(t.channel.WaitReply());
    EXPECT_TRUE(hasText(t.channel.receiveReport, 1, "ID"));
}

TEST(LinkChannelLifecycle, WakingTheWaiterWithoutAReportFailsTheWait) {
    Transport t;
    ASSERT_TRUE(t.connect());
    t.module().injectFault(ModuleFault::Silent);
    ASSERT_TRUE(t.send("Get_ID"));
    std::thread waker([&] {
        waitFor([&] { return t.channel.tickCount > 5; });
        t.channel.stopThreads = true;
        t.channel.wakeWaiter();
    });
    EXPECT_FALSE(t.channel.WaitReply());
    waker.join();
    EXPECT_EQ(t.resets, 1);
}

}  // namespace
}  // namespace corsel
