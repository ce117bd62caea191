#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "app/MainWindowView.h"

namespace corsel::testing {

// The main window as the tests see it: the texts and states of its controls,
// its tabs and timer, and the questions asked (answered from a script, else
// Yes or Ok).
class FakeMainWindowView final : public MainWindowView {
public:
    void setText(ControlId control, const std::string& value) override { texts[control] = value; }
    std::string text(ControlId control) const override {
        const auto found = texts.find(control);
        return found == texts.end() ? std::string() : found->second;
    }
    void setEnabled(ControlId control, bool on) override { enabled[control] = on; }
    bool isEnabled(ControlId control) const override {
        const auto found = enabled.find(control);
        return found == enabled.end() || found->second;
    }
    void setCaption(const std::string& text) override { caption = text; }
    void setTabs(const std::vector<std::string>& names) override {
        tabs = names;
        tab = 0;
    }
    void removeTab(int index) override {
        if (index >= 0 && index < static_cast<int>(tabs.size())) {
            tabs.erase(tabs.begin() + index);
        }
    }
    int selectedTab() const override { return tab; }
    void selectTab(int index) override {
        if (index >= 0 && index < static_cast<int>(tabs.size())) {
            tab = index;
        }
    }
    void resetTrackbar() override {}
    void showPage(int page) override { shownPage = page; }
    void repaint() override { ++repaints; }
    void stopTimer() override { timerRunning = false; }
    void startTimer() override { timerRunning = true; }
    PromptAnswer ask(const PromptRequest& request) override {
        questions.push_back(request);
        if (!answers.empty()) {
            const PromptAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return request.buttons == PromptButtons::YesNo ? PromptAnswer::Yes : PromptAnswer::Ok;
    }

    std::map<ControlId, std::string> texts;
    std::map<ControlId, bool> enabled;
    std::string caption;
    std::vector<std::string> tabs;
    int tab = 0;
    int shownPage = 0;
    int repaints = 0;
    bool timerRunning = false;
    std::vector<PromptRequest> questions;
    std::deque<PromptAnswer> answers;
};

}  // namespace corsel::testing
