#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "fakehid/FakeHidState.h"
#include "link/ModuleLink.h"
#include "platform/DynamicLibrary.h"
#include "platform/HidapiBackend.h"
#include "support/RecordingPrompter.h"

namespace corsel {
namespace {

using namespace std::chrono_literals;

// True when the library is in the process, whoever loaded it.
bool isLoaded(const char* path) {
    void* handle = ::dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) {
        ::dlclose(handle);
    }
    return handle != nullptr;
}

bool sameFailure(const std::optional<LibraryLoadFailure>& failure, const std::string& library,
                 const std::string& function) {
    return failure && failure->library == library && failure->function == function;
}

TEST(DynamicLibraryTest, OpensResolvesAndMovesOwnership) {
    DynamicLibrary missing;
    EXPECT_FALSE(missing.open("libcorsel-not-installed.so.0"));
    EXPECT_FALSE(missing.isOpen());
    EXPECT_EQ(missing.symbol("fakehid_state"), nullptr);

    DynamicLibrary first;
    ASSERT_TRUE(first.open(FAKEHID_COMPLETE));
    EXPECT_NE(first.symbol("fakehid_state"), nullptr);
    EXPECT_EQ(first.symbol("hid_no_such_function"), nullptr);

    DynamicLibrary second(std::move(first));
    EXPECT_FALSE(first.isOpen());  // NOLINT(bugprone-use-after-move): the point of the test
    EXPECT_TRUE(second.isOpen());
    EXPECT_TRUE(isLoaded(FAKEHID_COMPLETE));

    DynamicLibrary third;
    third = std::move(second);
    third.close();
    EXPECT_FALSE(isLoaded(FAKEHID_COMPLETE));
}

TEST(HidapiLoadTest, MissingLibraryIsNamedWithoutFunction) {
    HidapiBackend backend("libcorsel-not-installed.so.0");
    EXPECT_TRUE(sameFailure(backend.loadHidLibrary(), "libcorsel-not-installed.so.0", ""));
    EXPECT_TRUE(sameFailure(backend.loadSetupLibrary(), "libcorsel-not-installed.so.0", ""));
    EXPECT_EQ(backend.listInterfaces(), std::nullopt);
    EXPECT_EQ(backend.open("fake/hidraw1", HidAccess::ReadWrite), nullptr);
}

TEST(HidapiLoadTest, FirstMissingFunctionIsNamedAndLibraryUnloaded) {
    // The partial library also lacks hid_error, which comes later in the order.
    HidapiBackend backend(FAKEHID_PARTIAL);
    EXPECT_TRUE(sameFailure(backend.loadHidLibrary(), FAKEHID_PARTIAL, "hid_read_timeout"));
    EXPECT_FALSE(isLoaded(FAKEHID_PARTIAL));
    EXPECT_EQ(backend.open("fake/hidraw1", HidAccess::ReadWrite), nullptr);

    EXPECT_TRUE(sameFailure(backend.loadSetupLibrary(), FAKEHID_PARTIAL, "hid_free_enumeration"));
    EXPECT_FALSE(isLoaded(FAKEHID_PARTIAL));
    EXPECT_EQ(backend.listInterfaces(), std::nullopt);
}

TEST(HidapiLoadTest, SystemLibraryLoadsAndLists) {
    HidapiBackend backend;
    ASSERT_EQ(backend.loadHidLibrary(), std::nullopt) << "is libhidapi-hidraw0 installed?";
    ASSERT_EQ(backend.loadSetupLibrary(), std::nullopt);
    // A container usually has no HID devices: only the call itself is checked.
    EXPECT_TRUE(backend.listInterfaces().has_value());
    EXPECT_EQ(backend.open("/dev/corsel-no-such-device", HidAccess::ReadWrite), nullptr);
    backend.unloadSetupLibrary();
    backend.unloadHidLibrary();
}

TEST(HidapiLoadTest, UnloadingBothLeavesNothingLoaded) {
    {
        HidapiBackend backend(FAKEHID_COMPLETE);
        ASSERT_EQ(backend.loadHidLibrary(), std::nullopt);
        ASSERT_EQ(backend.loadSetupLibrary(), std::nullopt);
        backend.unloadSetupLibrary();
        EXPECT_TRUE(isLoaded(FAKEHID_COMPLETE));  // the hid library still holds it
        backend.unloadHidLibrary();
        EXPECT_FALSE(isLoaded(FAKEHID_COMPLETE));

        ASSERT_EQ(backend.loadHidLibrary(), std::nullopt);  // and again, left to the destructor
    }
    EXPECT_FALSE(isLoaded(FAKEHID_COMPLETE));
}

// The complete stand-in library, kept loaded by the test so that its state
// can be scripted and read around the backend's own loads and unloads.
class FakeHidapiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(control_.open(FAKEHID_COMPLETE));
        auto stateOf = reinterpret_cast<FakeHidState* (*)()>(control_.symbol("fakehid_state"));
        ASSERT_NE(stateOf, nullptr);
        state_ = stateOf();
        *state_ = FakeHidState{};
    }

    std::unique_ptr<HidHandle> openLoaded(const std::string& path) {
        EXPECT_EQ(backend_.loadHidLibrary(), std::nullopt);
        return backend_.open(path, HidAccess::ReadWrite);
    }

    void scriptRead(int result, std::vector<unsigned char> data = {}) {
        FakeHidRead& read = state_->reads[state_->read_count++];
        read.result = result;
        std::copy(data.begin(), data.end(), read.data);
    }

    DynamicLibrary control_;
    FakeHidState* state_ = nullptr;
    HidapiBackend backend_{FAKEHID_COMPLETE};
};

TEST_F(FakeHidapiTest, ListsPathsInOrderWithRepeatsAndFreesTheList) {
    EXPECT_EQ(backend_.listInterfaces(), std::nullopt);  // setup library not loaded yet

    ASSERT_EQ(backend_.loadSetupLibrary(), std::nullopt);
    const std::vector<std::string> expected{"fake/hidraw0", "fake/hidraw1", "fake/hidraw1",
                                            "fake/hidraw2"};
    EXPECT_EQ(backend_.listInterfaces(), expected);
    EXPECT_EQ(state_->live_enumerations, 0);

    backend_.unloadSetupLibrary();
    EXPECT_EQ(backend_.listInterfaces(), std::nullopt);
}

TEST_F(FakeHidapiTest, InitialisesOnLoadAndExitsOnlyAfterSuccess) {
    ASSERT_EQ(backend_.loadHidLibrary(), std::nullopt);
    EXPECT_EQ(backend_.loadHidLibrary(), std::nullopt);  // already loaded: no second init
    EXPECT_EQ(state_->init_calls, 1);
    backend_.unloadHidLibrary();
    EXPECT_EQ(state_->exit_calls, 1);

    state_->init_result = -1;
    ASSERT_EQ(backend_.loadHidLibrary(), std::nullopt);
    backend_.unloadHidLibrary();
    EXPECT_EQ(state_->init_calls, 2);
    EXPECT_EQ(state_->exit_calls, 1);
}

TEST_F(FakeHidapiTest, OpensKnownPathsOnlyWhileLoadedAndClosesOnDestruction) {
    EXPECT_EQ(backend_.open("fake/hidraw1", HidAccess::ReadWrite), nullptr);

    auto module = openLoaded("fake/hidraw1");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(openLoaded("fake/hidraw9"), nullptr);
    auto query = backend_.open("fake/hidraw0", HidAccess::Query);
    ASSERT_NE(query, nullptr);
    EXPECT_EQ(state_->open_devices, 2);

    const auto identity = module->attributes();
    ASSERT_TRUE(identity);
    EXPECT_EQ(identity->vendorId, kModuleVendorId);
    EXPECT_EQ(identity->productId, kModuleProductId);
    state_->device_info_fails = 1;
    EXPECT_EQ(query->attributes(), std::nullopt);

    module.reset();
    query.reset();
    EXPECT_EQ(state_->open_devices, 0);
}

TEST_F(FakeHidapiTest, WritesTheWholeReportWithItsIdByte) {
    auto handle = openLoaded("fake/hidraw1");
    ASSERT_NE(handle, nullptr);
    ModuleReport report{};
    putText(report, 1, "Get_ID");
    report[64] = 0xA5;

    EXPECT_TRUE(handle->write(report));
    ASSERT_EQ(state_->written_length, kReportSize);
    EXPECT_TRUE(std::equal(report.begin(), report.end(), state_->written));

    state_->write_fails = 1;
    EXPECT_FALSE(handle->write(report));
}

TEST_F(FakeHidapiTest, ReadsPayloadIntoBytesOneToSixtyFour) {
    auto handle = openLoaded("fake/hidraw1");
    ASSERT_NE(handle, nullptr);
    std::vector<unsigned char> payload(kPayloadSize);
    std::iota(payload.begin(), payload.end(), 1);
    scriptRead(static_cast<int>(kPayloadSize), payload);
    scriptRead(3, {'O', 'K', '!'});

    ModuleReport report;
    report.fill(0xEE);
    ASSERT_EQ(handle->read(report, 2ms), ReadOutcome::Report);
    EXPECT_EQ(state_->read_buffer_length, kPayloadSize);
    EXPECT_EQ(state_->read_milliseconds, 2);
    EXPECT_EQ(report[0], 0);
    EXPECT_TRUE(std::equal(payload.begin(), payload.end(), report.begin() + 1));

    // A short report leaves nothing of the one before.
    ASSERT_EQ(handle->read(report, 2ms), ReadOutcome::Report);
    EXPECT_TRUE(hasText(report, 1, "OK!"));
    EXPECT_TRUE(std::all_of(report.begin() + 4, report.end(), [](auto b) { return b == 0; }));
}

TEST_F(FakeHidapiTest, TellsTimeOutFromFailure) {
    auto handle = openLoaded("fake/hidraw1");
    ASSERT_NE(handle, nullptr);
    scriptRead(0);
    scriptRead(-1);
    ModuleReport report{};
    EXPECT_EQ(handle->read(report, 5ms), ReadOutcome::TimedOut);
    EXPECT_EQ(handle->read(report, 5ms), ReadOutcome::Failed);
    // hidapi waits forever on a negative time-out; the reader must not.
    EXPECT_EQ(handle->read(report, -1ms), ReadOutcome::TimedOut);
    EXPECT_EQ(state_->read_milliseconds, 0);
}

// The module link over the library: the module's two usages count as one
// interface, so the boot loader behind it is interface 2, and a close leaves
// no device open and the library unloaded.
TEST_F(FakeHidapiTest, ModuleLinkSearchesThroughTheLibrary) {
    testing::RecordingPrompter prompter;
    ModuleLink link(backend_, prompter);
    ASSERT_TRUE(link.OpenModule(kModuleVendorId, kModuleProductId));
    EXPECT_EQ(link.rememberedIndex(), 1);
    EXPECT_EQ(state_->open_devices, 3);  // query, write and read handle
    link.CloseModule();

    link.setSingleHandleMode(true);
    ASSERT_TRUE(link.OpenModule(kModuleVendorId, kBootLoaderProductId));
    EXPECT_EQ(link.rememberedIndex(), 2);
    EXPECT_EQ(state_->open_devices, 1);
    link.CloseModule();

    EXPECT_EQ(state_->open_devices, 0);
    EXPECT_EQ(state_->live_enumerations, 0);
    EXPECT_EQ(state_->init_calls, state_->exit_calls);
    EXPECT_TRUE(prompter.shown().empty());
}

}  // namespace
}  // namespace corsel
