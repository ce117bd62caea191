#include "pages/FaultCodePage.h"

#include <algorithm>

#include "app/Program.h"
#include "ecu/FaultCodeText.h"
#include "pages/TabPages.h"

namespace corsel {

FaultCodePage::FaultCodePage(Program& program, FaultCodePageView& view)
    : program_(program), view_(view) {}

void FaultCodePage::initialise() {
    TextTables::markReloaded(program_.localisation.tables.FaultListTexts);
    shownCodes_.reset();
}

void FaultCodePage::tick() {
    if (TextTables::takeReloadMarker(program_.localisation.tables.FaultListTexts)) {
        buildColumns();
    }
    if (program_.records.CurrentPage != tab_pages::kFaultList) {
        // Drawn afresh when the page is shown again.
        if (shownCodes_) {
            view_.clearRows();
            shownCodes_.reset();
        }
        return;
    }
    const FaultLists& lists = program_.records.faultLists;
    const auto stored = [](std::int32_t code) { return code != 0; };
    const auto count = std::count_if(lists.current.begin(), lists.current.end(), stored) +
                       std::count_if(lists.past.begin(), lists.past.end(), stored);
    // A pass half-way through keeps the rows shown; a complete one is drawn
    // when its codes differ from the ones drawn.
    if (count != lists.CurrentDtcCount) {
        return;
    }
    if (!shownCodes_ || shownCodes_->first != lists.current || shownCodes_->second != lists.past) {
        redraw({lists.current, lists.past});
    }
}

void FaultCodePage::buildColumns() {
    const std::string& heading =
        program_.localisation.tables.FaultListTexts[fault_code::kColumnTitles];
    std::array<std::string, 3> titles;
    std::size_t from = 0;
    for (std::string& title : titles) {
        const std::size_t end = heading.find(';', from);
        if (end == std::string::npos) {
            title = heading.substr(std::min(from, heading.size()));
            from = heading.size();
        } else {
            title = heading.substr(from, end - from);
            from = end + 1;
        }
    }
    const int width = view_.listWidth();
    const int sixth = width / 6;
    view_.setColumns(titles, {sixth, 4 * sixth, width - 5 * sixth});
}

void FaultCodePage::redraw(const CodeSet& codes) {
    view_.clearRows();
    program_.pages.FaultRows.clear();
    for (const std::int32_t code : codes.first) {
        AddFaultRow(code, true);
    }
    for (const std::int32_t code : codes.second) {
        AddFaultRow(code, false);
    }
    shownCodes_ = codes;
}

void FaultCodePage::AddFaultRow(std::int32_t code, bool isCurrent) {
    if (code == 0) {
        return;
    }
    const TextTables& texts = program_.localisation.tables;
    const std::array<std::string, 3> row{fault_code::codeText(code),
                                         fault_code::meaning(texts, code),
                                         fault_code::occurrence(texts, isCurrent)};
    view_.addRow(row);
    std::vector<std::string>& rows = program_.pages.FaultRows;
    rows.insert(rows.end(), row.begin(), row.end());
}

}  // namespace corsel
