#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "link/HidBackend.h"
#include "platform/Clock.h"
#include "sim/SimulatedModule.h"

namespace corsel {

// A USB bus of virtual HID devices behind the HidBackend interface: plain
// devices of other makers that never answer, interface modules in normal mode
// and their boot loaders. Devices are listed in the order they were added;
// a device with several usages is listed once per usage under one path, as
// hidapi does. Reads block like a real device's; replies with a delay are
// delivered by the bus's own thread, which counts 1 ms ticks of the clock.
class SimulatedHidBackend final : public HidBackend {
public:
    explicit SimulatedHidBackend(Clock& clock);
    ~SimulatedHidBackend() override;

    // --- Layout. Each returns the device's slot (its place in the listing).
    std::size_t addPlainDevice(HidAttributes identity, int usages = 1);
    // A module in normal mode (0x04D8/0x05F4); its firmware stays reachable
    // through module(slot) for scripting.
    std::size_t addModule(SimulatedModule::Options options = {}, int usages = 1);
    // A module that sits in its boot loader (0x04D8/0x05F5).
    std::size_t addBootLoader(SimulatedModule::Options options = {});

    SimulatedModule& module(std::size_t slot);
    std::string pathOf(std::size_t slot) const;
    HidAttributes identityOf(std::size_t slot) const;

    // --- Plugging: an unplugged device leaves the listing, and every handle
    // on it fails its reads and writes.
    void unplug(std::size_t slot);
    void replug(std::size_t slot);
    bool isPlugged(std::size_t slot) const;

    // --- Library loading, with failures on request.
    void failHidLibrary(std::optional<LibraryLoadFailure> failure);
    void failSetupLibrary(std::optional<LibraryLoadFailure> failure);
    bool hidLibraryLoaded() const;
    bool setupLibraryLoaded() const;

    // --- Observation for tests.
    std::size_t openHandleCount() const;
    std::vector<std::string> openedPaths() const;  // every open() call, in order
    void clearOpenedPaths();

    // HidBackend
    std::optional<LibraryLoadFailure> loadHidLibrary() override;
    std::optional<LibraryLoadFailure> loadSetupLibrary() override;
    void unloadSetupLibrary() override;
    void unloadHidLibrary() override;
    std::optional<std::vector<std::string>> listInterfaces() override;
    std::unique_ptr<HidHandle> open(const std::string& path, HidAccess access) override;

private:
    ...
};

}  // namespace corsel
