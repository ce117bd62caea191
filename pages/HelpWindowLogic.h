#pragma once

#include <cstdint>
#include <string>

#include "text/TextTables.h"

namespace corsel {

// The help window, as its logic uses it.
class HelpWindowView {
public:
    virtual ~HelpWindowView() = default;
    virtual void setLink(const std::string& text, const std::string& target) = 0;
    virtual void setCloseText(const std::string& text) = 0;
    virtual void setTitle(const std::string& text) = 0;
    virtual void setBody(const std::string& text) = 0;
};

// The help window's tick: the link and button texts after a language load,
// and the title and text of the topic the main window asked for.
class HelpWindowLogic {
public:
    static constexpr int kTickMs = 10;
    static constexpr std::uint16_t kInfoTopic = 100;

    HelpWindowLogic(TextTables& texts, const std::uint16_t& topic, HelpWindowView& view)
        : texts_(texts), topic_(topic), view_(view) {}

    void initialise();
    void tick();

    // Where a topic's title and text stand in the about table.
    static std::size_t titleEntry(std::uint16_t topic) { return topic + 10u; }
    static std::size_t textEntry(std::uint16_t topic) { return topic; }

private:
    void applyTexts();

    TextTables& texts_;
    const std::uint16_t& topic_;
    HelpWindowView& view_;
    std::uint16_t shownTopic_ = 0;
};

// The texts of the model-list window.
struct ModelListTexts {
    std::string title;
    std::string motorcycleHeading;
    std::string motorcycleList;
    std::string marineHeading;
    std::string marineList;
    std::string close;

    static ModelListTexts from(const TextTables& texts);
};

}  // namespace corsel
