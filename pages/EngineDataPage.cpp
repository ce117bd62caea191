#include "pages/EngineDataPage.h"

#include "app/Program.h"
#include "ecu/Identification.h"
#include "pages/PageLayout.h"
#include "pages/TabPages.h"

namespace corsel {

namespace {

constexpr std::size_t kUnsupportedEcm = 99;
constexpr std::size_t kNoValue = 100;
constexpr std::size_t kResetMarker = TextTables::kReloadMarker;

}  // namespace

EngineDataPage::EngineDataPage(Program& program, EngineDataPageView& view)
    : program_(program),
      view_(view),
      decoder_(program.pages.live, program.records, program.stored.settings,
               program.localisation.tables, *this) {}

void EngineDataPage::initialise() {
    displayReset();
    program_.pages.live.O2Seen1 = false;
    program_.pages.live.O2Seen2 = false;
    view_.startRefreshTimer();
}

void EngineDataPage::refreshTick() {
    helpTipStep();
    TextTables::Table& pageTexts = program_.localisation.tables.PageTexts;
    if (pageTexts[kResetMarker] == "0") {
        displayReset();
        return;
    }
    // The marker is "1": the resets after the last load are done.
    resetCount_ = 0;
    TableStore& tables = program_.records.tableStore;
    if (program_.records.CurrentPage == tab_pages::kEngineDataAtFault) {
        // The freeze frame has the layout of tables 1x and 2x.
        tables[TableBlock::Block1x] = tables[TableBlock::Block6x];
        tables[TableBlock::Block2x] = tables[TableBlock::Block7x];
    }
    if (tables.present(TableBlock::Block1x)) {
        identify();
    }
}

void EngineDataPage::identify() {
    SessionRecords& records = program_.records;
    const bool wasMarine = records.identity.MarineMode;
    if (!ApplyIdentification(decoder_, records)) {
        view_.stopRefreshTimer();
        PageRecords& pages = program_.pages;
        if (!pages.UnsupportedShown) {
            pages.UnsupportedShown = true;
            view_.showMessage(
                TextTables::entry(program_.localisation.tables.PageTexts, kUnsupportedEcm) +
                "\r\n" + records.identity.EcmId);
        }
        view_.startRefreshTimer();
        return;
    }
    if (!wasMarine && records.identity.MarineMode) {
        // The marine names and help texts come with the marine text set.
        program_.window.applyLanguageTexts();
    }
}

void EngineDataPage::displayReset() {
    TextTables& tables = program_.localisation.tables;
    if (++resetCount_ >= kResetTicks) {
        resetCount_ = 0;
        TextTables::markApplied(tables.PageTexts);
    }
    program_.pages.live.resetValues(program_.stored.settings[SettingsRecord::HighlightPeriod]);
    const bool marine = program_.records.identity.MarineMode;
    const std::string& noValue = TextTables::entry(tables.PageTexts, kNoValue);
    for (std::size_t row = 0; row < page_layout::kRowCount; ++row) {
        // A row that the layout leaves without a name or unit is blanked, so
        // that no name of the other layout stands beside it; a row without a
        // name gets no value either.
        const auto name = page_layout::nameEntry(row, marine);
        const auto unit = page_layout::unitEntry(row, marine);
        if (name) {
            put(page_layout::valueControlId(row), noValue, kNormalColour);
        } else {
            putOrBlank(page_layout::valueControlId(row), std::nullopt);
        }
        putOrBlank(page_layout::nameControlId(row), name);
        putOrBlank(page_layout::unitControlId(row), unit);
    }
}

void EngineDataPage::putOrBlank(int controlId, std::optional<std::size_t> entry) {
    if (!entry) {
        const auto shown = shown_.find(controlId);
        if (shown != shown_.end() && !shown->second.first.empty()) {
            shown->second = {std::string(), kNormalColour};
            view_.setControlText(controlId, std::string(), kNormalColour);
        }
        return;
    }
    put(controlId, TextTables::entry(program_.localisation.tables.PageTexts, *entry),
        kNormalColour);
}

void EngineDataPage::showValue(std::size_t row, const std::string& text, ValueColour colour) {
    put(page_layout::valueControlId(row), text, colour);
}

void EngineDataPage::put(int controlId, const std::string& text, ValueColour colour) {
    if (text.empty()) {
        return;
    }
    auto& shown = shown_[controlId];
    if (shown.first == text && shown.second == colour) {
        return;
    }
    shown = {text, colour};
    view_.setControlText(controlId, text, colour);
}

void EngineDataPage::mouseMoved(int x, int y) {
    if (mouse_ != std::pair{x, y}) {
        mouse_ = {x, y};
        hoverTicks_ = 0;
    }
}

void EngineDataPage::helpTipStep() {
    if ((!view_.cursorOnPage() || hoverTicks_ == 0) && !helpShown_.empty()) {
        view_.hideHelpTip();
        helpShown_.clear();
        hoverTicks_ = 0;
    }
    if (hoverTicks_ == kHelpTipTicks) {
        const auto row = page_layout::rowOfNameControl(view_.controlUnderCursor());
        static const std::string none;
        showHelp(row ? TextTables::entry(program_.localisation.tables.HelpTexts, *row) : none);
    }
    if (hoverTicks_ < kHoverLimit) {
        ++hoverTicks_;
    }
}

void EngineDataPage::showHelp(const std::string& text) {
    if (text.empty()) {
        if (!helpShown_.empty()) {
            view_.hideHelpTip();
            helpShown_.clear();
        }
        hoverTicks_ = 0;
        return;
    }
    if (text == helpShown_) {
        return;
    }
    helpShown_ = text;
    view_.showHelpTip(text);
}

}  // namespace corsel
