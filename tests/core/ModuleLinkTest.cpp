#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/ModuleLink.h"
#include "platform/Clock.h"
#include "sim/SimulatedHidBackend.h"
#include "support/RecordingPrompter.h"

namespace corsel {
namespace {

constexpr HidAttributes kKeyboard{0x046D, 0xC31C};

class ModuleLinkTest : public ::testing::Test {
protected:
    // Everything closed: what every failed open must leave behind.
    void expectClosed() {
        EXPECT_FALSE(link.isOpen());
        EXPECT_TRUE(link.reloadLibraries());
        EXPECT_EQ(link.rememberedIndex(), ModuleLink::kNoRememberedIndex);
        EXPECT_FALSE(bus.hidLibraryLoaded());
        EXPECT_FALSE(bus.setupLibraryLoaded());
        EXPECT_EQ(bus.openHandleCount(), 0u);
    }

    bool openNormal() { return link.OpenModule(kModuleVendorId, kModuleProductId); }

    SystemClock clock;
    SimulatedHidBackend bus{clock};
    testing::RecordingPrompter prompter;
    ModuleLink link{bus, prompter};
};

TEST_F(ModuleLinkTest, NoModuleMeansEveryOpenFailsSilentlyAndUnloadsBothLibraries) {
    bus.addPlainDevice(kKeyboard, 2);
    bus.addPlainDevice({kModuleVendorId, 0x000A});  // the maker's, but another product
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_FALSE(openNormal());
        expectClosed();
    }
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(ModuleLinkTest, EmptyBusFindsNothing) {
    EXPECT_FALSE(openNormal());
    expectClosed();
}

TEST_F(ModuleLinkTest, SearchCoversFiftyInterfacesCountingEachPathOnce) {
    // 49 devices, every one listed twice (two usages): the module is interface 49.
    for (int i = 0; i < 49; ++i) {
        bus.addPlainDevice(kKeyboard, 2);
    }
    const auto slot = bus.addModule();
    ASSERT_TRUE(openNormal());
    EXPECT_EQ(link.rememberedIndex(), 49);
    EXPECT_EQ(bus.openedPaths().back(), bus.pathOf(slot));
}

TEST_F(ModuleLinkTest, ModuleAtInterfaceFiftyOrHigherIsNeverFound) {
    for (int i = 0; i < 50; ++i) {
        bus.addPlainDevice(kKeyboard);
    }
    bus.addModule();
    EXPECT_FALSE(openNormal());
    expectClosed();
    for (const auto& path : bus.openedPaths()) {
        EXPECT_NE(path, bus.pathOf(50));
    }
}

TEST_F(ModuleLinkTest, OfTwoModulesTheLowerIndexWins) {
    bus.addPlainDevice(kKeyboard);
    const auto first = bus.addModule();
    bus.addPlainDevice(kKeyboard);
    bus.addModule();
    ASSERT_TRUE(openNormal());
    EXPECT_EQ(link.rememberedIndex(), first);
    // Split-handle mode: query, write and read handle, all on the first module.
    const auto paths = bus.openedPaths();
    ASSERT_GE(paths.size(), 3u);
    EXPECT_EQ(paths.back(), bus.pathOf(first));
    EXPECT_EQ(bus.openHandleCount(), 3u);
}

TEST_F(ModuleLinkTest, SecondOpenSearchesOnlyTheRememberedIndexUntilClosed) {
    bus.addPlainDevice(kKeyboard);
    bus.addPlainDevice(kKeyboard);
    const auto slot = bus.addModule();
    ASSERT_TRUE(openNormal());
    ASSERT_EQ(link.rememberedIndex(), 2);

    bus.clearOpenedPaths();
    ASSERT_TRUE(openNormal());
    for (const auto& path : bus.openedPaths()) {
        EXPECT_EQ(path, bus.pathOf(slot));
    }
    // The handles of the first open were closed, not leaked.
    EXPECT_EQ(bus.openHandleCount(), 3u);

    link.CloseModule();
    expectClosed();
    bus.clearOpenedPaths();
    ASSERT_TRUE(openNormal());
    ASSERT_FALSE(bus.openedPaths().empty());
    EXPECT_EQ(bus.openedPaths().front(), bus.pathOf(0));
}

TEST_F(ModuleLinkTest, RememberedIndexThatNoLongerHoldsTheModuleClosesEverything) {
    const auto keyboard = bus.addPlainDevice(kKeyboard);
    bus.addModule();
    ASSERT_TRUE(openNormal());
    ASSERT_EQ(link.rememberedIndex(), 1);

    bus.unplug(keyboard);  // the module moves down to interface 0
    EXPECT_FALSE(openNormal());
    expectClosed();
    // Forgotten by the close: the next open searches from 0 and finds it.
    ASSERT_TRUE(openNormal());
    EXPECT_EQ(link.rememberedIndex(), 0);
}

TEST_F(ModuleLinkTest, AskingForTheBootLoaderWhileTheModuleRunsNormallyFails) {
    bus.addModule();
    link.setSingleHandleMode(true);
    EXPECT_FALSE(link.OpenModule(kModuleVendorId, kBootLoaderProductId));
    expectClosed();
}

TEST_F(ModuleLinkTest, BootLoaderOpensInSingleHandleMode) {
    bus.addPlainDevice(kKeyboard);
    bus.addBootLoader();
    link.setSingleHandleMode(true);
    ASSERT_TRUE(link.OpenModule(kModuleVendorId, kBootLoaderProductId));
    EXPECT_EQ(bus.openHandleCount(), 1u);
    EXPECT_EQ(link.rememberedIndex(), 1);
}

TEST_F(ModuleLinkTest, CloseModuleIsSafeToRepeat) {
    bus.addModule();
    ASSERT_TRUE(openNormal());
    for (int i = 0; i < 3; ++i) {
        link.CloseModule();
        expectClosed();
    }
    EXPECT_FALSE(link.writeReport(ModuleReport{}));
    ModuleReport report{};
    EXPECT_EQ(link.readReport(report, std::chrono::milliseconds(1)), ReadOutcome::Failed);
}

TEST_F(ModuleLinkTest, SplitModeWritesOnTheWriteHandleAndReadsOnTheReadHandle) {
    // The simulated handles refuse what their access does not allow, so a
    // mix-up of handles shows as a failed write or read.
    const auto slot = bus.addModule();
    ASSERT_TRUE(openNormal());
    ModuleReport request{};
    putText(request, 1, "Get_SN");
    ASSERT_TRUE(link.writeReport(request));
    ModuleReport reply{};
    ASSERT_EQ(link.readReport(reply, std::chrono::milliseconds(500)), ReadOutcome::Report);
    EXPECT_TRUE(hasText(reply, 1, "SN"));
    EXPECT_EQ(bus.module(slot).receivedCommands(), std::vector<std::string>{"Get_SN"});
}

TEST_F(ModuleLinkTest, SingleModeUsesTheOneHandleForBoth) {
    bus.addModule();
    link.setSingleHandleMode(true);
    ASSERT_TRUE(openNormal());
    EXPECT_EQ(bus.openHandleCount(), 1u);
    ModuleReport request{};
    putText(request, 1, "Power");
    ASSERT_TRUE(link.writeReport(request));
    ASSERT_TRUE(link.writeOnQueryHandle(request));
    ModuleReport reply{};
    ASSERT_EQ(link.readReport(reply, std::chrono::milliseconds(500)), ReadOutcome::Report);
    EXPECT_TRUE(hasText(reply, 1, "Power OK"));
}

struct LoadFailureCase {
    bool hidLibrary;
    LibraryLoadFailure failure;
    std::string message;
};

class ModuleLinkLoadFailureTest : public ModuleLinkTest,
                                  public ::testing::WithParamInterface<LoadFailureCase> {};

TEST_P(ModuleLinkLoadFailureTest, ShowsTheMessageOnceAndLeavesAllClosedOnEveryAttempt) {
    const auto& param = GetParam();
    bus.addModule();
    if (param.hidLibrary) {
        bus.failHidLibrary(param.failure);
    } else {
        bus.failSetupLibrary(param.failure);
    }
    for (int attempt = 1; attempt <= 3; ++attempt) {
        EXPECT_FALSE(openNormal());
        expectClosed();
        // The loop tries again on every tick; the message is not repeated.
        const auto shown = prompter.shown();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown.back().text, param.message);
        EXPECT_EQ(shown.back().caption, "");  // the system's default caption
        EXPECT_FALSE(shown.back().ownedByMainWindow);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, ModuleLinkLoadFailureTest,
    ::testing::Values(
        LoadFailureCase{
            true, {"libhidapi-hidraw.so.0", ""}, "Error: Can't Load libhidapi-hidraw.so.0"},
        LoadFailureCase{true,
                        {"libhidapi-hidraw.so.0", "hid_read_timeout"},
                        "Error: Can't find hid_read_timeout() in libhidapi-hidraw.so.0"},
        LoadFailureCase{
            false, {"libhidapi-hidraw.so.0", ""}, "Error: Can't Load libhidapi-hidraw.so.0"},
        LoadFailureCase{false,
                        {"libhidapi-hidraw.so.0", "hid_free_enumeration"},
                        "Error: Can't find hid_free_enumeration() in libhidapi-hidraw.so.0"}));

TEST_F(ModuleLinkTest, LibrariesComeBackOnceTheyCanBeLoaded) {
    bus.addModule();
    bus.failSetupLibrary(LibraryLoadFailure{"libhidapi-hidraw.so.0", ""});
    EXPECT_FALSE(openNormal());
    bus.failSetupLibrary(std::nullopt);
    EXPECT_TRUE(openNormal());
    EXPECT_TRUE(bus.hidLibraryLoaded());
    EXPECT_TRUE(bus.setupLibraryLoaded());
    EXPECT_FALSE(link.reloadLibraries());
}

}  // namespace
}  // namespace corsel
