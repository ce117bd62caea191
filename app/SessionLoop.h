#pragma once

#include <chrono>
#include <cstdint>

namespace corsel {

class Program;

// The main window's 10 ms tick: it finds and identifies the module, watches
// the vehicle's power until Connect may be pressed, polls the ECM during a
// session and advances playback. There is no state of its own beyond flags:
// each tick tests them in a fixed order.
class SessionLoop {
public:
    // Ticks without a link between two tries to open the module.
    static constexpr std::uint16_t kOpenAttemptTicks = 20;
    static constexpr std::uint16_t kCommandLineTicks = 20;
    static constexpr std::chrono::milliseconds kBootLoaderPause{3000};

    explicit SessionLoop(Program& program);

    void OnTimer();
    // The module runs other firmware than the program carries (once per run).
    void offerFirmware();

private:
    bool commandLineStep();
    bool pendingRepaintStep();
    bool bootLoaderStep();
    bool updateCheckStep();
    void linkStep();
    bool openModule(std::uint16_t productId);
    bool linkedStep();
    bool pollStep();
    void showCommunicationError();

    Program& program_;
    bool offerMade_ = false;
};

}  // namespace corsel
