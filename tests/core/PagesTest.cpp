#include <gtest/gtest.h>

#include <set>

#include "pages/EngineDataPage.h"
#include "pages/FaultCodePage.h"
#include "pages/HelpWindowLogic.h"
#include "pages/PageLayout.h"
#include "support/FakePageViews.h"
#include "support/ProgramRig.h"

namespace corsel {
namespace {

using page_layout::nameControlId;
using page_layout::unitControlId;
using page_layout::valueControlId;
using testing::FakeEngineDataPageView;
using testing::FakeFaultCodePageView;
using testing::ProgramRig;

using Row = std::array<std::string, 3>;

class FaultPage : public ::testing::Test {
protected:
    FaultPage() {
        rig.start();
        page.initialise();
        rig.records().CurrentPage = 1;
    }
    void store(std::vector<std::int32_t> current, std::vector<std::int32_t> past) {
        FaultLists& lists = rig.records().faultLists;
        lists.clear();
        std::copy(current.begin(), current.end(), lists.current.begin());
        std::copy(past.begin(), past.end(), lists.past.begin());
        lists.CurrentDtcCount = static_cast<std::uint16_t>(
            std::count_if(current.begin(), current.end(), [](int c) { return c != 0; }) +
            std::count_if(past.begin(), past.end(), [](int c) { return c != 0; }));
    }

    ProgramRig rig{"standard", false};
    FakeFaultCodePageView view;
    FaultCodePage page{*rig.program, view};
};

TEST_F(FaultPage, ListsCurrentCodesThenPastCodesWithTheirMeaning) {
    store({12}, {12, 543});
    page.tick();
    const std::string meaning12 = rig.program->localisation.tables.DtcTexts[12];
    ASSERT_FALSE(meaning12.empty());
    EXPECT_EQ(view.rows, (std::vector<Row>{{"1-2", meaning12, "Current"},
                                           {"1-2", meaning12, "Past"},
                                           {"54-3", "", "Past"}}));
    EXPECT_EQ(rig.program->pages.FaultRows.size(), 9u);
    EXPECT_EQ(view.titles, (Row{"Fault code:", "Meaning of trouble:", "Occurrence:"}));
    EXPECT_EQ(view.widths, (std::array<int, 3>{100, 400, 100}));

    store({9}, {});
    page.tick();
    EXPECT_EQ(view.rows.front()[0], "0-9");
}

TEST_F(FaultPage, RedrawsOnlyWhenTheCompleteSetOfCodesChanges) {
    store({12}, {12, 543});
    page.tick();
    const int clears = view.clears;
    page.tick();
    EXPECT_EQ(view.clears, clears);  // the same codes: nothing redrawn

    store({}, {12, 12, 543});  // the current code moved to the past list
    page.tick();
    EXPECT_EQ(view.clears, clears + 1);
    EXPECT_EQ(view.rows.size(), 3u);

    // The same count and the same weighted sum, other codes: drawn all the same.
    store({12}, {});
    page.tick();
    store({}, {6});
    page.tick();
    EXPECT_EQ(view.rows, (std::vector<Row>{{"0-6", rig.program->localisation.tables.DtcTexts[6], "Past"}}));

    // A pass half-way through keeps the rows shown.
    store({11}, {21});
    rig.records().faultLists.CurrentDtcCount = 3;
    page.tick();
    EXPECT_EQ(view.rows.front()[0], "0-6");
}

TEST_F(FaultPage, AnotherPageEmptiesTheListAndComingBackDrawsItAfresh) {
    store({12}, {543});
    page.tick();
    rig.records().CurrentPage = 0;
    page.tick();
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(rig.program->pages.FaultRows.size(), 6u);  // kept for the report
    rig.records().CurrentPage = 1;
    page.tick();
    EXPECT_EQ(view.rows.size(), 2u);
}

TEST_F(FaultPage, ALanguageLoadRebuildsTheColumnTitlesOnly) {
    store({12}, {});
    page.tick();
    view.titles = {};
    page.tick();
    EXPECT_EQ(view.titles, Row{});
    rig.program->window.applyLanguageTexts();
    view.width = 60;
    page.tick();
    EXPECT_EQ(view.titles[1], "Meaning of trouble:");
    EXPECT_EQ(view.widths, (std::array<int, 3>{10, 40, 10}));
    EXPECT_EQ(view.rows.size(), 1u);
}

class EnginePage : public ::testing::Test {
protected:
    explicit EnginePage(std::string_view scenario = "standard", bool module = false)
        : rig(scenario, module) {}

    void startPage() {
        page.initialise();
        tickPage(EngineDataPage::kResetTicks);  // the resets after the start-up load
    }
    void tickPage(int ticks = 1) {
        for (int i = 0; i < ticks; ++i) {
            page.refreshTick();
        }
    }
    std::string value(std::size_t row) { return view.text(valueControlId(row)); }
    std::set<std::size_t> rowsWithValues() {
        std::set<std::size_t> rows;
        for (std::size_t row = 0; row < page_layout::kRowCount; ++row) {
            if (value(row) != "---" && !value(row).empty()) {
                rows.insert(row);
            }
        }
        return rows;
    }
    // A motorcycle ECM with live tables 1x (table 0x11) present.
    void motorcycle(const std::string& ecmId) {
        SessionRecords& records = rig.records();
        records.identity.EcmId = ecmId;
        records.tableStore[TableBlock::Block1x][0] = 2;
        records.tableStore[TableBlock::Block1x][3] = 0x11;
    }

    ProgramRig rig;
    FakeEngineDataPageView view;
    EngineDataPage page{*rig.program, view};
};

TEST_F(EnginePage, ShowsNamesUnitsAndDashesAndRepaintsOnlyWhatChanged) {
    rig.start();
    startPage();
    EXPECT_EQ(view.text(nameControlId(6)), "Battery voltage");
    EXPECT_EQ(view.text(unitControlId(0)), "rpm");
    EXPECT_EQ(view.text(unitControlId(2)), "°C");
    EXPECT_EQ(value(53), "---");
    EXPECT_TRUE(view.timerRunning);

    motorcycle("0102E5");
    rig.records().tableStore[TableBlock::Block1x][17] = 135;
    tickPage();
    EXPECT_EQ(value(6), "13.50");
    EXPECT_EQ(view.controls[valueControlId(6)].second, kHighlightColour);
    const int puts = view.puts;
    tickPage();
    EXPECT_EQ(view.puts, puts);
}

TEST_F(EnginePage, ALanguageLoadShowsDashesForTenTicksThenHighlightedValues) {
    rig.start();
    startPage();
    motorcycle("0102E5");
    rig.records().tableStore[TableBlock::Block1x][17] = 120;
    rig.program->stored.settings[SettingsRecord::TemperatureUnit] = 1;
    tickPage(100);  // long enough for every highlight to end
    EXPECT_EQ(view.controls[valueControlId(6)].second, kNormalColour);

    rig.program->window.applyLanguageTexts();
    for (int tick = 0; tick < EngineDataPage::kResetTicks; ++tick) {
        tickPage();
        ASSERT_EQ(value(6), "---") << tick;
    }
    EXPECT_EQ(view.text(unitControlId(2)), "°F");
    tickPage();
    EXPECT_EQ(value(6), "12.00");
    EXPECT_EQ(view.controls[valueControlId(6)].second, kHighlightColour);
}

TEST_F(EnginePage, AnUnknownEcmIsReportedOncePerRunWithTheTimerStopped) {
    rig.start();
    startPage();
    motorcycle("0E0123");
    FakeEngineDataPageView otherView;
    EngineDataPage faultFramePage{*rig.program, otherView};
    faultFramePage.initialise();
    tickPage(3);
    faultFramePage.refreshTick();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0],
              rig.program->localisation.tables.PageTexts[99] + "\r\n" + "0E0123");
    EXPECT_TRUE(otherView.messages.empty());
    rig.records().identity.EcmId = "0E0124";
    tickPage();
    EXPECT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.timerStops, 4);
    EXPECT_TRUE(view.timerRunning);
    EXPECT_EQ(rowsWithValues(), std::set<std::size_t>{});
}

TEST_F(EnginePage, TheHelpTipComesAfterTheMouseRestedOnANameAndGoesWithTheNextMove) {
    rig.start();
    startPage();
    view.cursorInside = true;
    view.controlHovered = nameControlId(6);
    page.mouseMoved(40, 95);
    tickPage(EngineDataPage::kHelpTipTicks);
    EXPECT_EQ(view.helpTip, "");
    tickPage();
    EXPECT_EQ(view.helpTip, "Battery voltage, must be 12-15 V at idle speed");
    tickPage(30);
    page.mouseMoved(40, 95);  // no move at all
    tickPage();
    EXPECT_FALSE(view.helpTip.empty());
    page.mouseMoved(41, 95);
    tickPage();
    EXPECT_EQ(view.helpTip, "");

    view.controlHovered = valueControlId(6);
    page.mouseMoved(200, 95);
    tickPage(20);
    EXPECT_EQ(view.helpTip, "");
}

TEST_F(EnginePage, TheFaultPageDecodesTheFreezeFrame) {
    rig.start();
    startPage();
    motorcycle("0102E5");
    TableStore& tables = rig.records().tableStore;
    tables[TableBlock::Block6x] = tables[TableBlock::Block1x];
    tables[TableBlock::Block6x][17] = 111;
    tables[TableBlock::Block1x][17] = 140;
    rig.records().CurrentPage = 3;
    tickPage();
    EXPECT_EQ(value(6), "11.10");
    EXPECT_EQ(view.controls[valueControlId(6)].second, kNormalColour);
    EXPECT_EQ(rig.program->pages.live.FaultValueTexts[6], "11.10");
    EXPECT_EQ(rig.program->pages.live.LiveValueTexts[6], "---");
}

TEST_F(EnginePage, MarineRowsLeaveRows17And35EmptyAndNoMotorcycleNameBehind) {
    rig.start();
    startPage();
    rig.records().identity.MarineMode = true;
    rig.program->window.applyLanguageTexts();
    rig.records().tableStore[TableBlock::Block1x][0] = 1;
    tickPage(EngineDataPage::kResetTicks + 1);
    const TextTables& texts = rig.program->localisation.tables;
    EXPECT_EQ(view.text(nameControlId(18)), texts.PageTexts[17]);
    EXPECT_EQ(view.text(nameControlId(17)), "");
    EXPECT_EQ(view.text(nameControlId(35)), "");
    EXPECT_EQ(view.text(nameControlId(47)), "");
    EXPECT_EQ(value(47), "");  // no dashes beside an empty name
    EXPECT_EQ(view.text(unitControlId(24)), "");
    EXPECT_EQ(view.text(unitControlId(11)), "A");
    EXPECT_EQ(rowsWithValues().size(), 44u);
    EXPECT_FALSE(rowsWithValues().contains(17));
}

// Whole sessions with the simulated ECMs.
class PageSession : public EnginePage {
protected:
    explicit PageSession(std::string_view scenario) : EnginePage(scenario, true) {}

    void runSession() {
        ASSERT_TRUE(rig.startSession());
        startPage();
        // Each tick of the session loop reads one table; the page refreshes
        // every tenth.
        for (int tick = 0; tick < 200; ++tick) {
            rig.tick();
            if (tick % 10 == 0) {
                tickPage();
            }
        }
        tickPage();
    }
    std::uint16_t byte(TableBlock block, std::size_t entry) {
        return rig.records().tableStore[block][entry];
    }
};

class BasicEcmSession : public PageSession {
protected:
    BasicEcmSession() : PageSession("basic") {}
};

TEST_F(BasicEcmSession, ShowsTheChannelsOfItsProfileDecodedFromTheEcmsBytes) {
    runSession();
    EXPECT_EQ(rig.records().identity.EcmId, "010001");
    std::set<std::size_t> expected{0, 1, 2, 3, 4, 5, 6, 7, 8, 53, 30, 31, 32, 33, 34, 35};
    if (rig.program->pages.live.O2Seen1) {
        expected.insert({15, 16, 17});
    }
    if (rig.program->pages.live.O2Seen2) {
        expected.insert({18, 19, 20});
    }
    EXPECT_EQ(rowsWithValues(), expected);
    const auto b1x = [&](std::size_t i) { return byte(TableBlock::Block1x, i); };
    EXPECT_EQ(value(0), std::to_string(256 * b1x(5) + b1x(6)));
    EXPECT_GT(256 * b1x(5) + b1x(6), 0);
    EXPECT_EQ(value(2), std::to_string(b1x(10) - 40));
    EXPECT_EQ(value(6), FormatFive(b1x(17) / 10.0).text);
    EXPECT_EQ(value(30), (byte(TableBlock::BlockD1, 5) & 1) ? "On" : "Off");
    EXPECT_TRUE(view.messages.empty());
}

class MarineEcmSession : public PageSession {
protected:
    MarineEcmSession() : PageSession("marine") {}
};

TEST_F(MarineEcmSession, ShowsTheMarineLayoutWithItsNames) {
    runSession();
    EXPECT_TRUE(rig.records().identity.MarineMode);
    EXPECT_EQ(view.text(nameControlId(0)), "Engine Speed");
    EXPECT_EQ(view.text(nameControlId(50)), "Engine Coolant Temperature Sensor 4");
    const auto b1x = [&](std::size_t i) { return byte(TableBlock::Block1x, i); };
    EXPECT_EQ(value(0), std::to_string((256 * b1x(5) + b1x(6)) / 4));
    EXPECT_EQ(value(34), std::to_string((256 * byte(TableBlock::BlockD3, 5) +
                                         byte(TableBlock::BlockD3, 6)) / 2));
    EXPECT_EQ(rowsWithValues().size(), 44u);
}

class UnknownEcmSession : public PageSession {
protected:
    UnknownEcmSession() : PageSession("unsupported") {}
};

TEST_F(UnknownEcmSession, GetsTheMessageOnceAndAnEmptyPage) {
    runSession();
    rig.program->window.onConnect();  // end the session and start another
    rig.program->window.onConnect();
    tickPage(5);
    EXPECT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].find("0E0123"), std::string::npos);
    EXPECT_TRUE(rowsWithValues().empty());
}

// The help window's texts.
class RecordingHelpView final : public HelpWindowView {
public:
    void setLink(const std::string& text, const std::string& target) override {
        link = text + " " + target;
    }
    void setCloseText(const std::string& text) override { close = text; }
    void setTitle(const std::string& text) override {
        title = text;
        ++titles;
    }
    void setBody(const std::string& text) override { body = text; }
    std::string link, close, title, body;
    int titles = 0;
};

TEST(HelpWindow, ShowsTheTopicsTitleAndTextAndNewLinkTextsAfterALoad) {
    ProgramRig rig("standard", false);
    rig.start();
    TextTables& texts = rig.program->localisation.tables;
    std::uint16_t topic = 2;
    RecordingHelpView view;
    HelpWindowLogic help(texts, topic, view);
    help.initialise();
    EXPECT_EQ(view.close, "Close");
    help.tick();
    EXPECT_EQ(view.title, "List of fault codes");
    EXPECT_FALSE(view.body.empty());
    help.tick();
    EXPECT_EQ(view.titles, 1);

    texts.AboutTexts[20] = "Fermer";
    TextTables::markReloaded(texts.AboutTexts);
    help.tick();
    EXPECT_EQ(view.close, "Fermer");
    EXPECT_EQ(view.titles, 1);  // the title waits for another topic
    topic = HelpWindowLogic::kInfoTopic;
    help.tick();
    EXPECT_EQ(view.title, "About");
    EXPECT_EQ(view.body, texts.AboutTexts[100]);
}

}  // namespace
}  // namespace corsel
