#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/ModuleReport.h"

namespace corsel {

// How a device handle is opened. The module link opens either one handle for
// reading and writing, or three: a query handle without access rights, a
// write-only and a read-only handle.
enum class HidAccess { Query, Write, Read, ReadWrite };

struct HidAttributes {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

enum class ReadOutcome {
    Report,    // a report was read
    TimedOut,  // nothing came within the time-out; not a failure
    Failed     // the device is gone or the handle is closed
};

// One open handle on a HID device. Closing is destruction.
class HidHandle {
public:
    virtual ~HidHandle() = default;

    // The identity of the device behind the handle; nothing when it can't be read.
    virtual std::optional<HidAttributes> attributes() = 0;

    // Writes one whole report, byte 0 being the report ID.
    virtual bool write(const ModuleReport& report) = 0;

    // Reads one report into bytes 1-64 (byte 0 is set to 0), waiting at most
    // `timeout` for it. A short report leaves the rest zero.
    virtual ReadOutcome read(ModuleReport& report, std::chrono::milliseconds timeout) = 0;
};

// What failed while loading one of the two libraries: the library itself when
// `function` is empty, otherwise the first function that could not be found.
struct LibraryLoadFailure {
    std::string library;
    std::string function;
};

// The system's HID services as the module link uses them. The search itself is
// the link's; the backend lists device interfaces and opens them. Two
// "libraries" are loaded and unloaded around each search: the one with the
// device calls and the one with the enumeration calls.
//
// Calls come from one thread at a time; the module link serialises them.
class HidBackend {
public:
    virtual ~HidBackend() = default;

    virtual std::optional<LibraryLoadFailure> loadHidLibrary() = 0;
    virtual std::optional<LibraryLoadFailure> loadSetupLibrary() = 0;
    virtual void unloadSetupLibrary() = 0;
    virtual void unloadHidLibrary() = 0;

    // The device paths of all HID interfaces present, in the system's order.
    // A device with several usages may be listed once per usage; the caller
    // counts each path once. Nothing when the list can't be made.
    virtual std::optional<std::vector<std::string>> listInterfaces() = 0;

    // Opens the device at `path`; null when it can't be opened.
    virtual std::unique_ptr<HidHandle> open(const std::string& path, HidAccess access) = 0;
};

}  // namespace corsel
