#pragma once

#include <string>
#include <vector>

#include "platform/Prompter.h"

namespace corsel {

// The main window's controls, by their ids.
enum class ControlId {
    Connect = 1,
    Hidden = 2,
    SaveAs = 3,
    Open = 4,
    Info = 5,
    ErrorClear = 6,
    Models = 7,
    Faq = 8,
    Help = 9,
    Settings = 10,
    Graph = 11,
    Print = 12,
    Tabs = 1001,
    DtcLabel = 1005,
    DtcValue = 1006,
    HardwareIdLabel = 1007,
    HardwareIdValue = 1008,
    SerialLabel = 1009,
    SerialValue = 1010,
    PartNumberLabel = 1011,
    PartNumberValue = 1012,
    Trackbar = 1060,
    TimeLabel = 1313,
    SecondTimeLabel = 1314,
    StatusLine = 1409,
    Picture = 1418,
    StepBack = 1421,
    StepForward = 1423,
};

// What the main window's logic does to the window. The window implements it
// with its widgets; tests with a record of what was shown.
class MainWindowView {
public:
    virtual ~MainWindowView() = default;

    virtual void setText(ControlId control, const std::string& text) = 0;
    virtual std::string text(ControlId control) const = 0;
    virtual void setEnabled(ControlId control, bool enabled) = 0;
    virtual bool isEnabled(ControlId control) const = 0;
    virtual void setCaption(const std::string& caption) = 0;

    // Replaces all tabs; the first is selected and focused, page 0 shown. A
    // selection by the user is handed to MainWindowLogic::onTabSelected.
    virtual void setTabs(const std::vector<std::string>& names) = 0;
    virtual void removeTab(int index) = 0;
    virtual int selectedTab() const = 0;
    virtual void selectTab(int index) = 0;

    // Shows one of the four pages (0-3) in the tab control's display area,
    // whatever tab header is selected.
    virtual void showPage(int page) = 0;

    virtual void resetTrackbar() = 0;
    virtual void repaint() = 0;

    // The session timer (10 ms): modal work stops it and starts it again.
    virtual void stopTimer() = 0;
    virtual void startTimer() = 0;

    virtual PromptAnswer ask(const PromptRequest& request) = 0;
};

}  // namespace corsel
