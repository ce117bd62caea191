#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "link/EcuFrame.h"
#include "sim/EcmScenario.h"
#include "sim/SimulatedEcm.h"
#include "sim/SimulatedModule.h"
#include "support/ManualClock.h"

namespace corsel {
namespace {

using namespace std::chrono_literals;

using testing::ManualClock;

ModuleReport command(std::string_view letters, std::uint8_t page = 0) {
    ModuleReport report{};
    putText(report, 1, letters);
    if (page != 0) {
        report[6] = page;
    }
    return report;
}

// The host's rule: bytes 1 to L add up to 1 in a type 1 frame, 0 otherwise.
bool checksumHolds(const ModuleReport& frame) {
    // A whole frame, ending before the module's time stamp.
    const std::size_t length = frame[2];
    return length >= 5 && length < kTimeStampOffset && VerifyChecksum(frame);
}

// Entry k of a block is report byte k + 1.
int entry(const ModuleReport& frame, int k) {
    return frame[static_cast<std::size_t>(k) + 1];
}
int word(const ModuleReport& frame, int k) {
    return 256 * entry(frame, k) + entry(frame, k + 1);
}
bool bit(const ModuleReport& frame, int k, int number) {
    return (entry(frame, k) >> number & 1) != 0;
}

bool isText(const ModuleReport& reply, std::string_view text) {
    return hasText(reply, 1, text);
}

class SimulatedEcmTest : public ::testing::Test {
protected:
    void start(std::string_view scenario, bool link = true) {
        ecm = std::make_unique<SimulatedEcm>(clock, *findEcmScenario(scenario), 1);
        if (link) {
            ASSERT_TRUE(isText(only("Init"), "Connected"));
        }
    }
    // The one report that answers the command.
    ModuleReport only(std::string_view letters, std::uint8_t page = 0) {
        const auto replies = ecm->answer(command(letters, page));
        EXPECT_EQ(replies.size(), 1u) << letters;
        return replies.empty() ? ModuleReport{} : replies.front();
    }
    // A valid ECU frame that answers the command.
    ModuleReport frameFor(std::string_view letters, std::uint8_t page = 0) {
        const ModuleReport frame = only(letters, page);
        EXPECT_TRUE(checksumHolds(frame)) << letters;
        return frame;
    }
    void at(double seconds) {
        const auto target =
            std::chrono::duration_cast<Clock::Duration>(std::chrono::duration<double>(seconds));
        clock.advance(target - clock.now());
    }
    std::vector<FaultCode> codesOnPages(std::string_view letters) {
        std::vector<FaultCode> codes;
        for (std::uint8_t page = 1; page <= 11; ++page) {
            const ModuleReport frame = frameFor(letters, page);
            EXPECT_EQ(frame[4], page);
            for (int pair = 0; pair < frame[5]; ++pair) {
                codes.push_back({frame[6 + 2 * static_cast<std::size_t>(pair)],
                                 frame[7 + 2 * static_cast<std::size_t>(pair)]});
            }
        }
        return codes;
    }

    ManualClock clock;
    std::unique_ptr<SimulatedEcm> ecm;
};

// --- Identification and link

TEST_F(SimulatedEcmTest, ScenariosAreFoundByName) {
    const auto names = ecmScenarioNames();
    for (const char* name : {"standard", "faults", "basic", "marine", "unsupported"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
        ASSERT_TRUE(findEcmScenario(name).has_value()) << name;
        EXPECT_EQ(findEcmScenario(name)->name, name);
    }
    EXPECT_FALSE(findEcmScenario("Standard").has_value());
}

TEST_F(SimulatedEcmTest, CheckFiReportsProgressThenIdentity) {
    struct Case {
        const char* scenario;
        std::array<std::uint8_t, 3> ecmId;
        std::uint8_t familyByte;
    };
    for (const Case& c :
         {Case{"standard", {0x01, 0x02, 0xE5}, 2}, Case{"basic", {0x01, 0x00, 0x01}, 2},
          Case{"unsupported", {0x0E, 0x01, 0x23}, 2}, Case{"marine", {0x02, 0x00, 0x1C}, 0}}) {
        SCOPED_TRACE(c.scenario);
        start(c.scenario, false);
        const auto replies = ecm->answer(command("CheckFI"));
        ASSERT_EQ(replies.size(), 2u);
        EXPECT_NE(replies[0][1], 'C');
        EXPECT_NE(replies[0][23], 'r');
        const ModuleReport& identity = replies[1];
        EXPECT_TRUE(isText(identity, "OK"));
        EXPECT_EQ(identity[21], c.familyByte);
        EXPECT_EQ(identity[23], 'r');
        EXPECT_TRUE(std::equal(c.ecmId.begin(), c.ecmId.end(), identity.begin() + 26));
        const auto& identification = ecm->scenario().identification;
        EXPECT_TRUE(
            std::equal(identification.begin(), identification.end(), identity.begin() + 26));
        EXPECT_EQ(identity[0], 0);
        EXPECT_EQ(timeStampOf(identity), 0u);  // the module stamps it
    }
    EXPECT_EQ(findEcmScenario("marine")->family, EcmFamily::Marine);
}

TEST_F(SimulatedEcmTest, LinksOnlyThroughInit) {
    start("standard", false);
    EXPECT_FALSE(ecm->linked());
    for (const char* request : {"GetFI1", "GetFID1", "GetTH", "ErrorC"}) {
        EXPECT_TRUE(isText(only(request), "Disconnected")) << request;
    }
    EXPECT_TRUE(isText(only("GetAH", 1), "Disconnected"));
    EXPECT_EQ(ecm->answer(command("CheckFI")).size(), 2u);

    EXPECT_TRUE(isText(only("Init"), "Connected"));
    EXPECT_TRUE(ecm->linked());
    EXPECT_TRUE(checksumHolds(only("GetFI1")));

    ecm->disconnect();
    EXPECT_FALSE(ecm->linked());
    EXPECT_TRUE(isText(only("GetFI1"), "Disconnected"));
    EXPECT_TRUE(ecm->answer(command("Hello")).empty());
    EXPECT_EQ(ecm->requestCount("GetFI1"), 3);
}

TEST_F(SimulatedEcmTest, FailsCheckFiAndInitWhenAsked) {
    start("standard", false);
    ecm->failCheckFi(1);
    const auto failed = ecm->answer(command("CheckFI"));
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0][1], 'C');
    EXPECT_NE(failed[0][23], 'r');
    EXPECT_EQ(ecm->answer(command("CheckFI")).size(), 2u);

    ecm->failInit(2);
    for (int i = 0; i < 2; ++i) {
        const ModuleReport refused = only("Init");
        EXPECT_EQ(refused[1], 'C');
        EXPECT_EQ(refused[9], 'E');
        EXPECT_FALSE(ecm->linked());
    }
    const ModuleReport accepted = only("Init");
    EXPECT_EQ(accepted[1], 'C');
    EXPECT_NE(accepted[9], 'E');
    EXPECT_TRUE(ecm->linked());
}

TEST_F(SimulatedEcmTest, TakenAwayAnswersEverythingDisconnected) {
    start("faults");
    ecm->takeAway();
    for (const char* request : {"CheckFI", "Init", "GetFI2", "GetFIE1", "ErrorC"}) {
        EXPECT_TRUE(isText(only(request), "Disconnected")) << request;
    }
    EXPECT_EQ(ecm->currentCodes().size(), 4u);  // the clear never reached it
    ecm->bringBack();
    EXPECT_TRUE(checksumHolds(only("GetFI2")));
}

// --- Tables

TEST_F(SimulatedEcmTest, EachRequestBringsItsTable) {
    struct Expected {
        const char* request;
        std::uint8_t service;
        std::uint8_t table;
    };
    struct Case {
        const char* scenario;
        std::uint8_t type;
        std::vector<Expected> frames;
    };
    const std::vector<Case> cases{
        {"faults",
         2,
         {{"GetFI1", 0x72, 0x11},
          {"GetFI2", 0x72, 0x21},
          {"GetFID0", 0x72, 0xD0},
          {"GetFID1", 0x72, 0xD1},
          {"GetFID3", 0x72, 0xD3},
          {"GetFIE1", 0x72, 0x61},
          {"GetFIE2", 0x72, 0x71},
          {"GetTH", 's', 0},
          {"GetAH", 't', 1},
          {"GetRH", 's', 1},
          {"ErrorC", 0x63, 3}}},
        {"basic", 2, {{"GetFI1", 0x72, 0x10}, {"GetFID3", 0x72, 0xD3}}},
        {"marine",
         1,
         {{"GetFI1", 0x72, 0x10},
          {"GetFI2", 0x72, 0x21},
          {"GetFID0", 0x72, 0xD0},
          {"GetFID1", 0x72, 0xD1},
          {"GetFID3", 0x72, 0xD3},
          {"GetAH", 't', 1}}},
    };
    for (const Case& c : cases) {
        start(c.scenario);
        for (const Expected& e : c.frames) {
            SCOPED_TRACE(std::string(c.scenario) + " " + e.request);
            const bool paged = std::string_view(e.request).starts_with("Get") &&
                               std::string_view(e.request).ends_with("H");
            const ModuleReport frame = frameFor(e.request, paged ? 1 : 0);
            EXPECT_EQ(frame[1], c.type);
            EXPECT_EQ(frame[3], e.service);
            EXPECT_EQ(frame[4], e.table);
            EXPECT_EQ(timeStampOf(frame), 0u);
        }
    }
    start("faults");
    EXPECT_EQ(frameFor("GetFI1")[2], 33);  // data in entries 4 to 31
    const ModuleReport status = frameFor("GetTH");
    EXPECT_EQ(status[5], 7);
    EXPECT_EQ(status[6], 1);
}

TEST_F(SimulatedEcmTest, WithoutFreezeFrameTheFrozenTablesHaveNoData) {
    start("standard");
    for (const char* request : {"GetFIE1", "GetFIE2", "GetTH"}) {
        EXPECT_TRUE(isText(only(request), "UU")) << request;
    }
}

TEST_F(SimulatedEcmTest, StandardValuesDecodeWhereTheLayoutReadsThem) {
    start("standard");
    at(5);  // idling, cold
    const ModuleReport idle = frameFor("GetFI1");
    EXPECT_GE(word(idle, 5), 1100);
    EXPECT_LE(word(idle, 5), 1500);
    EXPECT_EQ(entry(idle, 18), 0);                 // vehicle speed
    const int coldCoolant = entry(idle, 10) - 40;  // ECT
    EXPECT_GE(coldCoolant, 18);
    EXPECT_LE(coldCoolant, 30);
    EXPECT_NEAR(entry(idle, 12) - 40, 25, 3);        // IAT
    EXPECT_NEAR(entry(idle, 14), 30, 5);             // MAP
    EXPECT_LE(entry(idle, 8) / 2.0, 5);              // TP
    EXPECT_NEAR(entry(idle, 17) / 10.0, 13.6, 0.4);  // battery
    const double injector = entry(idle, 19) * 1.024 + entry(idle, 20) * 0.004;
    EXPECT_GE(injector, 2);
    EXPECT_LE(injector, 3.5);
    EXPECT_NEAR((entry(idle, 21) >> 1) - 64, 10, 2);  // advance
    EXPECT_GE(entry(idle, 22), 20);                   // IACV pulses, second layout
    const double idleAir = entry(idle, 23) / 130.21 + entry(idle, 24) / 33333.3;
    EXPECT_GT(idleAir, 0.3);
    EXPECT_LT(idleAir, 2);

    const ModuleReport oxygen = frameFor("GetFI2");
    EXPECT_EQ(entry(oxygen, 5), 0);  // cold sensors
    EXPECT_EQ(entry(oxygen, 8), 0);
    EXPECT_NE(entry(oxygen, 7) & 0x0F, 0);  // heaters on
    EXPECT_NE(entry(oxygen, 10) & 0x0F, 0);
    EXPECT_NEAR(entry(oxygen, 6) * 2 / 255.0, 1, 0.02);

    const ModuleReport d0 = frameFor("GetFID0");
    EXPECT_FALSE(bit(d0, 5, 7));  // no codes, no lamp
    EXPECT_NEAR(entry(d0, 18) * 5 / 255.0, 1, 0.1);

    const ModuleReport d1 = frameFor("GetFID1");
    EXPECT_TRUE(bit(d1, 5, 0));   // ignition
    EXPECT_FALSE(bit(d1, 5, 1));  // run switch on
    EXPECT_FALSE(bit(d1, 5, 2));  // service check open
    EXPECT_TRUE(bit(d1, 9, 0));   // fuel pump
    EXPECT_EQ(entry(d1, 7), 0);   // neutral

    at(11.25);  // the top of a blip
    const ModuleReport revving = frameFor("GetFI1");
    EXPECT_GE(word(revving, 5), 6000);
    EXPECT_LE(word(revving, 5), 8000);
    EXPECT_GE(entry(revving, 8) / 2.0, 80);
    EXPECT_GE(entry(revving, 14), 80);
    EXPECT_GE((entry(revving, 21) >> 1) - 64, 30);

    at(300.1);
    EXPECT_GE(entry(frameFor("GetFI1"), 10) - 40, coldCoolant + 50);
    EXPECT_GT(entry(frameFor("GetFI2"), 5), 0);  // warm sensors
}

TEST_F(SimulatedEcmTest, GearBitsFollowTheRide) {
    start("standard");
    std::set<int> gears;
    for (double t = 60; t < 100; t += 0.5) {
        at(t);
        const int bits = entry(frameFor("GetFID1"), 7);
        ASSERT_NE(bits, 0) << "at " << t << " s";
        // The first set bit of 0, 1, 2, 3, 4, 7 is the gear.
        constexpr std::array<int, 6> kOrder{0, 1, 2, 3, 4, 7};
        int gear = 0;
        for (std::size_t g = 0; g < kOrder.size() && gear == 0; ++g) {
            gear = (bits >> kOrder[g] & 1) != 0 ? static_cast<int>(g) + 1 : 0;
        }
        gears.insert(gear);
    }
    EXPECT_EQ(gears, (std::set<int>{1, 2, 3, 4, 5, 6}));
    at(85);
    EXPECT_GE(entry(frameFor("GetFI1"), 18), 100);  // vehicle speed, km/h
}

TEST_F(SimulatedEcmTest, BasicServesOnlyTheFirstLayout) {
    start("basic");
    at(20);
    const ModuleReport frame = frameFor("GetFI1");
    EXPECT_GE(word(frame, 5), 1100);
    EXPECT_LE(word(frame, 5), 1500);
    EXPECT_NEAR(entry(frame, 17) / 10.0, 13.6, 0.4);
    EXPECT_NEAR(entry(frame, 10) - 40, 34, 3);
    for (int k : {22, 23, 24}) {
        EXPECT_EQ(entry(frame, k), 0) << "entry " << k;  // channels 9 and 10 not served
    }
}

TEST_F(SimulatedEcmTest, MarineValuesDecodeByTheMarineLayout) {
    start("marine");
    at(25);
    const ModuleReport sensors = frameFor("GetFI1");
    EXPECT_EQ(sensors[1], 1);
    EXPECT_GE(word(sensors, 5) / 4, 1100);
    EXPECT_LE(word(sensors, 5) / 4, 1500);
    EXPECT_NEAR(entry(sensors, 18) / 10.0, 13.6, 0.4);  // battery
    EXPECT_NEAR(entry(sensors, 16) - 40, 101, 1);       // barometric
    const int coolant = entry(sensors, 10) - 40;
    EXPECT_NEAR(entry(sensors, 25) - 40, coolant, 4);  // the other coolant sensors
    EXPECT_NEAR(entry(sensors, 27) - 40, coolant, 4);
    EXPECT_NEAR(entry(sensors, 31) - 40, coolant, 6);
    const double injector = entry(sensors, 20) * 1.024 + entry(sensors, 21) * 0.004;
    EXPECT_GE(injector, 2);
    EXPECT_LE(injector, 3.5);
    EXPECT_NEAR((entry(sensors, 17) >> 1) - 64, 10, 2);

    const ModuleReport d1 = frameFor("GetFID1");
    EXPECT_TRUE(bit(d1, 5, 1));   // neutral
    EXPECT_TRUE(bit(d1, 5, 3));   // emergency switch not pulled
    EXPECT_TRUE(bit(d1, 13, 0));  // fuel pump

    const ModuleReport counters = frameFor("GetFID3");
    const double total = word(counters, 5) / 2.0;
    EXPECT_GT(total, 100);
    EXPECT_GE(total, word(counters, 7) / 2.0 + word(counters, 9) / 2.0);
    EXPECT_GT(word(counters, 17), 0);  // starts
    at(25 + 1800);
    EXPECT_EQ(word(frameFor("GetFID3"), 5) / 2.0, total + 0.5);
}

// --- Fault codes

TEST_F(SimulatedEcmTest, FaultPagesCarryTheCodesThreeByThree) {
    start("faults");
    const ModuleReport first = frameFor("GetAH", 1);
    EXPECT_EQ(first[2], 12);
    EXPECT_EQ(first[5], 3);
    EXPECT_EQ(std::vector<int>(first.begin() + 6, first.begin() + 12),
              (std::vector<int>{1, 2, 7, 1, 12, 1}));
    const ModuleReport second = frameFor("GetAH", 2);
    EXPECT_EQ(second[5], 1);
    EXPECT_EQ(std::vector<int>(second.begin() + 6, second.begin() + 12),
              (std::vector<int>{54, 3, 0, 0, 0, 0}));
    const ModuleReport empty = frameFor("GetAH", 3);
    EXPECT_EQ(empty[3], 't');
    EXPECT_EQ(empty[5], 0);

    EXPECT_EQ(codesOnPages("GetAH"), ecm->scenario().currentCodes);
    EXPECT_EQ(codesOnPages("GetRH"), ecm->scenario().pastCodes);
    EXPECT_TRUE(isText(only("GetAH", 12), "UU"));
    EXPECT_TRUE(isText(only("GetRH"), "UU"));  // page 0

    ecm->setPastCodes({});
    EXPECT_TRUE(codesOnPages("GetRH").empty());
    std::vector<FaultCode> many;
    for (std::uint8_t i = 1; i <= 33; ++i) {
        many.push_back({i, 1});
    }
    ecm->setCurrentCodes(many);
    EXPECT_EQ(codesOnPages("GetAH"), many);
    EXPECT_EQ(ecm->scenario().currentCodes[3].value(), 543);
}

TEST_F(SimulatedEcmTest, ErrorClearCountsDownThenForgetsCurrentCodes) {
    start("faults");
    EXPECT_TRUE(bit(frameFor("GetFID0"), 5, 7));  // the lamp is lit
    for (int expected : {3, 2, 1}) {
        EXPECT_EQ(frameFor("ErrorC")[4], expected);
        EXPECT_EQ(ecm->currentCodes().size(), 4u);
    }
    const ModuleReport done = frameFor("ErrorC");
    EXPECT_EQ(done[3], 0x63);
    EXPECT_EQ(done[4], 0);
    EXPECT_TRUE(ecm->currentCodes().empty());
    EXPECT_FALSE(ecm->hasFreezeFrame());
    EXPECT_EQ(ecm->pastCodes(), ecm->scenario().pastCodes);
    EXPECT_EQ(frameFor("GetAH", 1)[5], 0);
    EXPECT_TRUE(isText(only("GetFIE1"), "UU"));
    EXPECT_TRUE(isText(only("GetTH"), "UU"));
    EXPECT_FALSE(bit(frameFor("GetFID0"), 5, 7));
    EXPECT_EQ(frameFor("ErrorC")[4], 3);  // a new clear starts over
}

TEST_F(SimulatedEcmTest, ErrorClearThatNeverFinishes) {
    start("faults");
    ecm->setClearNeverFinishes(true);
    for (int i = 0; i < 10; ++i) {
        EXPECT_NE(frameFor("ErrorC")[4], 0);
    }
    EXPECT_EQ(ecm->currentCodes().size(), 4u);
}

TEST_F(SimulatedEcmTest, FreezeFrameHoldsOneMomentInBothLayouts) {
    start("faults");
    const ModuleReport frozen = frameFor("GetFIE1");
    at(40);
    EXPECT_EQ(frameFor("GetFIE1"), frozen);
    EXPECT_GE(word(frozen, 5), 3000);  // taken on the road
    EXPECT_GT(entry(frozen, 18), 20);
    const ModuleReport frozen2x = frameFor("GetFIE2");
    EXPECT_GT(entry(frozen2x, 5), 0);
}

// --- Misbehaviour

TEST_F(SimulatedEcmTest, ScriptedMisbehaviour) {
    start("marine");
    ecm->corruptChecksum(2);
    EXPECT_FALSE(checksumHolds(only("GetFI1")));
    EXPECT_FALSE(checksumHolds(only("GetAH", 1)));
    EXPECT_TRUE(checksumHolds(only("GetFI1")));

    ecm->replyNoData("GetFI2", 2);
    EXPECT_TRUE(isText(only("GetFI2"), "UU"));
    EXPECT_TRUE(checksumHolds(only("GetFI1")));  // other requests go on
    EXPECT_TRUE(isText(only("GetFI2"), "UU"));
    EXPECT_TRUE(checksumHolds(only("GetFI2")));

    ModuleReport odd{};
    odd[1] = 0x02;
    odd[2] = 0;
    odd[4] = 0xD2;
    ecm->replaceNext("GetFID1", odd);
    EXPECT_EQ(only("GetFID1"), odd);
    EXPECT_EQ(frameFor("GetFID1")[4], 0xD1);
}

// --- Behind the module, and from two threads

TEST_F(SimulatedEcmTest, ModuleRelaysAndStampsTheFrames) {
    SimulatedModule module(clock, {});
    auto shared = std::make_shared<SimulatedEcm>(clock, *findEcmScenario("standard"), 1);
    module.attachEcm(shared);
    clock.advance(12340ms);
    ASSERT_EQ(module.handleReport(command("Init")).replies.size(), 1u);
    const auto replies = module.handleReport(command("GetFI1")).replies;
    ASSERT_EQ(replies.size(), 1u);
    const ModuleReport& frame = replies[0].report;
    EXPECT_EQ(frame[0], 0);
    EXPECT_EQ(frame[4], 0x11);
    EXPECT_TRUE(checksumHolds(frame));
    EXPECT_EQ(timeStampOf(frame), 1234u);

    module.handleReport(command("Disc"));
    EXPECT_FALSE(shared->linked());
}

TEST_F(SimulatedEcmTest, ScriptingWhileAnswering) {
    start("faults");
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 300; ++i) {
            for (const auto& reply : ecm->answer(command("GetAH", 1))) {
                EXPECT_TRUE(checksumHolds(reply) || isText(reply, "Disconnected"));
            }
        }
        done = true;
    });
    while (!done) {
        ecm->takeAway();
        ecm->setCurrentCodes({{1, 1}});
        ecm->bringBack();
        ecm->setCurrentCodes({});
        clock.advance(10ms);
    }
    writer.join();
    EXPECT_EQ(ecm->requestCount("GetAH"), 300);
}

}  // namespace
}  // namespace corsel
