#include "platform/HidapiBackend.h"

#include <type_traits>
#include <utility>

#include "platform/HidapiHandle.h"

namespace corsel {

struct HidapiBackend::HidCalls {
    decltype(&::hid_init) init = nullptr;
    decltype(&::hid_exit) exit = nullptr;
    decltype(&::hid_open_path) openPath = nullptr;
    HidapiDeviceCalls device;
    decltype(&::hid_error) error = nullptr;
};

struct HidapiBackend::SetupCalls {
    decltype(&::hid_enumerate) enumerate = nullptr;
    decltype(&::hid_free_enumeration) freeEnumeration = nullptr;
};

namespace {

// Resolves functions in the order given and remembers the first that is
// missing; the ones after it are not looked up, as the message names only one.
class Resolver {
public:
    explicit Resolver(const DynamicLibrary& library) : library_(library) {}

    template <typename Function>
    void operator()(const char* name, Function& target) {
        static_assert(std::is_pointer_v<Function>);
        if (missing_ != nullptr) {
            return;
        }
        void* address = library_.symbol(name);
        if (address == nullptr) {
            missing_ = name;
            return;
        }
        target = reinterpret_cast<Function>(address);
    }

    const char* missing() const { return missing_; }

private:
    const DynamicLibrary& library_;
    const char* missing_ = nullptr;
};

}  // namespace

HidapiBackend::HidapiBackend(std::string libraryName) : libraryName_(std::move(libraryName)) {}

HidapiBackend::~HidapiBackend() {
    unloadSetupLibrary();
    unloadHidLibrary();
}

std::optional<LibraryLoadFailure> HidapiBackend::loadHidLibrary() {
    if (hidCalls_) {
        return std::nullopt;
    }
    if (!hidLibrary_.open(libraryName_)) {
        return LibraryLoadFailure{libraryName_, ""};
    }
    auto calls = std::make_unique<HidCalls>();
    Resolver resolve(hidLibrary_);
    resolve("hid_init", calls->init);
    resolve("hid_exit", calls->exit);
    resolve("hid_open_path", calls->openPath);
    resolve("hid_write", calls->device.write);
    resolve("hid_read_timeout", calls->device.readTimeout);
    resolve("hid_close", calls->device.close);
    resolve("hid_get_device_info", calls->device.getDeviceInfo);
    resolve("hid_error", calls->error);
    if (resolve.missing() != nullptr) {
        hidLibrary_.close();
        return LibraryLoadFailure{libraryName_, resolve.missing()};
    }
    // A failed initialisation is not fatal: hidapi tries again on every open.
    initialised_ = calls->init() == 0;
    hidCalls_ = std::move(calls);
    return std::nullopt;
}

std::optional<LibraryLoadFailure> HidapiBackend::loadSetupLibrary() {
    if (setupCalls_) {
        return std::nullopt;
    }
    if (!setupLibrary_.open(libraryName_)) {
        return LibraryLoadFailure{libraryName_, ""};
    }
    auto calls = std::make_unique<SetupCalls>();
    Resolver resolve(setupLibrary_);
    resolve("hid_enumerate", calls->enumerate);
    resolve("hid_free_enumeration", calls->freeEnumeration);
    if (resolve.missing() != nullptr) {
        setupLibrary_.close();
        return LibraryLoadFailure{libraryName_, resolve.missing()};
    }
    setupCalls_ = std::move(calls);
    return std::nullopt;
}

void HidapiBackend::unloadSetupLibrary() {
    setupCalls_.reset();
    setupLibrary_.close();
}

void HidapiBackend::unloadHidLibrary() {
    if (hidCalls_ && initialised_) {
        hidCalls_->exit();
    }
    initialised_ = false;
    hidCalls_.reset();
    hidLibrary_.close();
}

std::optional<std::vector<std::string>> HidapiBackend::listInterfaces() {
    if (!setupCalls_) {
        return std::nullopt;
    }
    // hidapi gives no list both when there are no devices and when the listing
    // fails; either way there is nothing to search.
    std::vector<std::string> paths;
    ::hid_device_info* list = setupCalls_->enumerate(0, 0);
    for (const ::hid_device_info* info = list; info != nullptr; info = info->next) {
        if (info->path != nullptr) {
            paths.emplace_back(info->path);
        }
    }
    setupCalls_->freeEnumeration(list);
    return paths;
}

std::unique_ptr<HidHandle> HidapiBackend::open(const std::string& path, HidAccess /*access*/) {
    if (!hidCalls_) {
        return nullptr;
    }
    ::hid_device* device = hidCalls_->openPath(path.c_str());
    if (device == nullptr) {
        return nullptr;
    }
    return std::make_unique<HidapiHandle>(hidCalls_->device, device);
}

}  // namespace corsel
