#pragma once

#include <hidapi/hidapi.h>

#include <chrono>
#include <optional>

#include "link/HidBackend.h"

namespace corsel {

// The hidapi calls a device handle makes, as resolved from the loaded library.
// hidapi's header gives the signatures only; the program never links hidapi.
struct HidapiDeviceCalls {
    decltype(&::hid_write) write = nullptr;
    decltype(&::hid_read_timeout) readTimeout = nullptr;
    decltype(&::hid_close) close = nullptr;
    decltype(&::hid_get_device_info) getDeviceInfo = nullptr;
};

// One open hidapi device. Its calls point into the loaded library, so a handle
// must never outlive it: the module link closes its handles before it unloads
// the library.
//
// hidapi is not thread-safe on one device; the module link makes sure that
// only one thread at a time is inside these calls.
class HidapiHandle final : public HidHandle {
public:
    HidapiHandle(const HidapiDeviceCalls& calls, ::hid_device* device);
    ~HidapiHandle() override;
    HidapiHandle(const HidapiHandle&) = delete;
    HidapiHandle& operator=(const HidapiHandle&) = delete;

    std::optional<HidAttributes> attributes() override;
    bool write(const ModuleReport& report) override;
    ReadOutcome read(ModuleReport& report, std::chrono::milliseconds timeout) override;

private:
    HidapiDeviceCalls calls_;
    ::hid_device* device_;
};

}  // namespace corsel
