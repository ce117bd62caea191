#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/HidBackend.h"
#include "platform/DynamicLibrary.h"

namespace corsel {

// The system's HID services through the hidapi shared library, loaded by name
// at run time: the program starts without it and can say which library or
// function is missing. The two libraries of HidBackend are the same file opened
// twice, each with its own handle: the device calls and the enumeration calls.
//
// hidapi has no access modes (every handle reads and writes), so the access
// asked of open() only matters to the simulated bus.
class HidapiBackend final : public HidBackend {
public:
    static constexpr const char* kDefaultLibrary = "libhidapi-hidraw.so.0";

    explicit HidapiBackend(std::string libraryName = kDefaultLibrary);
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    const std::string& libraryName() const { return libraryName_; }

    // Loading a library that is already loaded changes nothing and succeeds.
    std::optional<LibraryLoadFailure> loadHidLibrary() override;
    std::optional<LibraryLoadFailure> loadSetupLibrary() override;
    void unloadSetupLibrary() override;
    void unloadHidLibrary() override;

    std::optional<std::vector<std::string>> listInterfaces() override;
    std::unique_ptr<HidHandle> open(const std::string& path, HidAccess access) override;

private:
    struct HidCalls;
    struct SetupCalls;

    std::string libraryName_;
    DynamicLibrary hidLibrary_;
    DynamicLibrary setupLibrary_;
    // Set while the matching library is loaded.
    std::unique_ptr<HidCalls> hidCalls_;
    std::unique_ptr<SetupCalls> setupCalls_;
    bool initialised_ = false;
};

}  // namespace corsel
