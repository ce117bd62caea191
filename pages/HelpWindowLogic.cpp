#include "pages/HelpWindowLogic.h"

namespace corsel {

namespace {

constexpr std::size_t kWebAddress = 19;
constexpr std::size_t kClose = 20;
constexpr std::size_t kModelsTitle = 42;  // of the main texts

}  // namespace

void HelpWindowLogic::initialise() {
    shownTopic_ = 0;
    // A window opened after the last load's marker was taken needs its texts.
    applyTexts();
}

void HelpWindowLogic::applyTexts() {
    const std::string& address = texts_.AboutTexts[kWebAddress];
    view_.setLink(address, address);
    view_.setCloseText(texts_.AboutTexts[kClose]);
}

void HelpWindowLogic::tick() {
    if (TextTables::takeReloadMarker(texts_.AboutTexts)) {
        applyTexts();
    }
    if (topic_ != 0 && topic_ != shownTopic_) {
        shownTopic_ = topic_;
        view_.setTitle(TextTables::entry(texts_.AboutTexts, titleEntry(topic_)));
        view_.setBody(TextTables::entry(texts_.AboutTexts, textEntry(topic_)));
    }
}

ModelListTexts ModelListTexts::from(const TextTables& texts) {
    const TextTables::Table& models = texts.ModelsTexts;
    return {texts.MainTexts[kModelsTitle], models[2], models[1], models[3], models[4], models[0]};
}

}  // namespace corsel
