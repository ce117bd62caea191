#pragma once

#include <string>

#include "ecu/LiveValues.h"

namespace corsel {

// The widgets of an engine-data page, as its logic uses them.
class EngineDataPageView {
public:
    virtual ~EngineDataPageView() = default;

    // Puts a text on a static control of the page (name, value or unit) and
    // repaints it; the logic calls this only when text or colour changed.
    virtual void setControlText(int controlId, const std::string& text, ValueColour colour) = 0;

    virtual bool cursorOnPage() const = 0;
    // The id of the control under the mouse cursor, 0 for none.
    virtual int controlUnderCursor() const = 0;
    // The help tip: at most 400 px wide, yellow on dark grey, 4 px margins,
    // following the cursor.
    virtual void showHelpTip(const std::string& text) = 0;
    virtual void hideHelpTip() = 0;

    // The page's 100 ms refresh timer.
    virtual void stopRefreshTimer() = 0;
    virtual void startRefreshTimer() = 0;
    // A message box with an OK button and the program's caption.
    virtual void showMessage(const std::string& text) = 0;
};

}  // namespace corsel
