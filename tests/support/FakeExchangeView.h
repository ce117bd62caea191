#pragma once

#include <string>
#include <vector>

#include "link/ExchangeView.h"

namespace corsel::testing {

// Records what the exchanges do to the window and answers questions as told.
class FakeExchangeView final : public ExchangeView {
public:
    void showHardwareId(const std::string& text) override { hardwareId = text; }
    void showHardwareSerial(const std::string& text) override { hardwareSerial = text; }
    void showEcmPartNumber(const std::string& text) override { partNumber = text; }
    void removeThirdTab() override { ++thirdTabRemoved; }
    void applyLanguageTexts() override { ++languageApplied; }
    void selectFaultTab() override { ++faultTabSelected; }
    void enablePrint() override { ++printEnabled; }
    void sessionReset() override { ++resets; }
    PromptAnswer ask(const PromptRequest& request) override {
        questions.push_back(request);
        return answer;
    }

    std::string hardwareId;
    std::string hardwareSerial;
    std::string partNumber;
    int thirdTabRemoved = 0;
    int languageApplied = 0;
    int faultTabSelected = 0;
    int printEnabled = 0;
    int resets = 0;
    std::vector<PromptRequest> questions;
    PromptAnswer answer = PromptAnswer::Yes;
};

}  // namespace corsel::testing
