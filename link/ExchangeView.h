#pragma once

#include <functional>
#include <string>

#include "link/ModuleReport.h"
#include "platform/Prompter.h"

namespace corsel {

// What the exchanges with the module change in the main window.
class ExchangeView {
public:
    virtual ~ExchangeView() = default;

    virtual void showHardwareId(const std::string& text) = 0;
    virtual void showHardwareSerial(const std::string& text) = 0;
    virtual void showEcmPartNumber(const std::string& text) = 0;
    // A marine ECM has no freeze frame: the third tab goes.
    virtual void removeThirdTab() = 0;
    // Puts the texts of the current language on the window again (the marine
    // set while MarineMode is on).
    virtual void applyLanguageTexts() = 0;
    virtual void selectFaultTab() = 0;
    virtual void enablePrint() = 0;
    // The window's part of a session reset: buttons back to the idle state,
    // texts re-applied, values shown as unknown.
    virtual void sessionReset() = 0;
    virtual PromptAnswer ask(const PromptRequest& request) = 0;
};

// Work of other parts of the program that the exchanges set off.
struct ExchangeHooks {
    // Appends the frame in the receive buffer to the running recording; it
    // may stamp bytes of the buffer first.
    std::function<void(ModuleReport& receiveBuffer)> RecordSample;
    // The name of a fault code (main × 10 + sub), as the fault list shows it.
    std::function<std::string(int code)> faultName;
    // The module runs other firmware than the program carries.
    std::function<void()> offerFirmware;
};

// The texts that the exchanges show, in the language chosen.
struct ExchangeTexts {
    std::string clearQuestion = "Fault codes will be cleared. Continue?";
    std::string attentionCaption = "Attention";
};

}  // namespace corsel
