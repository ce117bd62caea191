#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "ecu/ChannelDecoder.h"
#include "pages/EngineDataPageView.h"

namespace corsel {

class Program;

// The logic of an engine-data page ("Engine data", and "Engine data at
// fault", which decodes the freeze frame with the same channels): its
// refresh, its display reset after a language load, and its help tips.
class EngineDataPage final : private ValueRows {
public:
    static constexpr int kRefreshMs = 100;
    static constexpr int kHelpTipTicks = 15;  // 1.5 s of rest
    static constexpr int kHoverLimit = 20;
    static constexpr int kResetTicks = 10;  // resets after a language load

    EngineDataPage(Program& program, EngineDataPageView& view);

    // The page's creation: one display reset, the oxygen rows hidden again,
    // the refresh timer started.
    void initialise();
    // One tick of the refresh timer, whether the page is shown or not.
    void refreshTick();
    // A mouse move over the page, in page coordinates.
    void mouseMoved(int x, int y);

    void displayReset();

private:
    void showValue(std::size_t row, const std::string& text, ValueColour colour) override;
    // Puts a text on a control unless it shows it already; an empty text is
    // not put on at all.
    void put(int controlId, const std::string& text, ValueColour colour);
    // Puts on a page text entry; a control without one is blanked.
    void putOrBlank(int controlId, std::optional<std::size_t> entry);
    void helpTipStep();
    void showHelp(const std::string& text);
    void identify();

    Program& program_;
    EngineDataPageView& view_;
    ChannelDecoder decoder_;
    std::map<int, std::pair<std::string, ValueColour>> shown_;
    int resetCount_ = 0;
    int hoverTicks_ = 0;
    std::pair<int, int> mouse_{-1, -1};
    std::string helpShown_;
};

}  // namespace corsel
