#include "platform/HidapiHandle.h"

#include <algorithm>
#include <array>
#include <climits>

namespace corsel {

HidapiHandle::HidapiHandle(const HidapiDeviceCalls& calls, ::hid_device* device)
    : calls_(calls), device_(device) {}

HidapiHandle::~HidapiHandle() {
    calls_.close(device_);
}

std::optional<HidAttributes> HidapiHandle::attributes() {
    // The information belongs to the device; hidapi frees it on close.
    const ::hid_device_info* info = calls_.getDeviceInfo(device_);
    if (info == nullptr) {
        return std::nullopt;
    }
    return HidAttributes{info->vendor_id, info->product_id};
}

bool HidapiHandle::write(const ModuleReport& report) {
    // Byte 0 is report ID 0, which the kernel takes off: the module gets 64 bytes.
    return calls_.write(device_, report.data(), report.size()) >= 0;
}

ReadOutcome HidapiHandle::read(ModuleReport& report, std::chrono::milliseconds timeout) {
    // An unnumbered report comes without its ID byte: the payload lands at
    // buffer[0], which is byte 1 of our report. A negative time-out would mean
    // "wait forever" to hidapi, and the reader must come back to see its flags.
    const auto milliseconds =
        static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(timeout.count(), 0, INT_MAX));
    std::array<unsigned char, kPayloadSize> buffer{};
    const int result = calls_.readTimeout(device_, buffer.data(), buffer.size(), milliseconds);
    if (result < 0) {
        return ReadOutcome::Failed;
    }
    if (result == 0) {
        return ReadOutcome::TimedOut;
    }
    const auto length = std::min(static_cast<std::size_t>(result), buffer.size());
    report.fill(0);
    std::copy_n(buffer.begin(), length, report.begin() + 1);
    return ReadOutcome::Report;
}

}  // namespace corsel
