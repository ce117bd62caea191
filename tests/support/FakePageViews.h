#pragma once

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "pages/EngineDataPageView.h"
#include "pages/FaultCodePageView.h"

namespace corsel::testing {

// An engine-data page's controls as the tests see them.
class FakeEngineDataPageView final : public EngineDataPageView {
public:
    void setControlText(int controlId, const std::string& text, ValueColour colour) override {
        controls[controlId] = {text, colour};
        ++puts;
    }
    bool cursorOnPage() const override { return cursorInside; }
    int controlUnderCursor() const override { return cursorInside ? controlHovered : 0; }
    void showHelpTip(const std::string& text) override { helpTip = text; }
    void hideHelpTip() override { helpTip.clear(); }
    void stopRefreshTimer() override {
        timerRunning = false;
        ++timerStops;
    }
    void startRefreshTimer() override { timerRunning = true; }
    void showMessage(const std::string& text) override { messages.push_back(text); }

    std::string text(int controlId) const {
        const auto found = controls.find(controlId);
        return found == controls.end() ? std::string() : found->second.first;
    }

    std::map<int, std::pair<std::string, ValueColour>> controls;
    int puts = 0;
    bool cursorInside = false;
    int controlHovered = 0;
    std::string helpTip;
    bool timerRunning = false;
    int timerStops = 0;
    std::vector<std::string> messages;
};

// The fault-code list as the tests see it.
class FakeFaultCodePageView final : public FaultCodePageView {
public:
    int listWidth() const override { return width; }
    void setColumns(const std::array<std::string, 3>& newTitles,
                    const std::array<int, 3>& newWidths) override {
        titles = newTitles;
        widths = newWidths;
    }
    void clearRows() override {
        rows.clear();
        ++clears;
    }
    void addRow(const std::array<std::string, 3>& texts) override { rows.push_back(texts); }

    int width = 600;
    std::array<std::string, 3> titles;
    std::array<int, 3> widths{};
    std::vector<std::array<std::string, 3>> rows;
    int clears = 0;
};

}  // namespace corsel::testing
