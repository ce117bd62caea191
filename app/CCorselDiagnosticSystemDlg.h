#pragma once

#include <QDialog>
#include <QTimer>
#include <map>
#include <memory>

#include "app/CommandLine.h"
#include "app/MainWindowView.h"
#include "app/Program.h"

class QLabel;
class QPushButton;
class QSlider;
class QStackedWidget;
class QTabBar;

namespace corsel {

class DialogUnits;
class Prompter;

// The main window: its controls, the 10 ms session timer, and the forwarding
// of its buttons to the program's logic.
class CCorselDiagnosticSystemDlg : public QDialog, public MainWindowView {
    Q_OBJECT

public:
    static constexpr int kSessionTimerMs = 10;

    CCorselDiagnosticSystemDlg(const CommandLine& commandLine, const ProgramPlatform& platform,
                               Prompter& prompter, QWidget* parent = nullptr);
    ~CCorselDiagnosticSystemDlg() override;

    Program& program() { return *program_; }
    QWidget* control(ControlId id) const;
    bool timerRunning() const { return timer_.isActive(); }
    QTabBar* tabBar() const { return tabBar_; }
    // The four pages of the tab control, by page number.
    QWidget* page(int number) const;
    int shownPage() const;

    // MainWindowView
    void setText(ControlId control, const std::string& text) override;
    std::string text(ControlId control) const override;
    void setEnabled(ControlId control, bool enabled) override;
    bool isEnabled(ControlId control) const override;
    void setCaption(const std::string& caption) override;
    void setTabs(const std::vector<std::string>& names) override;
    void removeTab(int index) override;
    int selectedTab() const override;
    void selectTab(int index) override;
    void showPage(int page) override;
    void resetTrackbar() override;
    void repaint() override;
    void stopTimer() override;
    void startTimer() override;
    PromptAnswer ask(const PromptRequest& request) override;

public slots:
    // Escape and the close box end the program through the exit questions.
    void reject() override;

private:
    void createControls(bool simulated);
    void createTabControl();
    void placeTabControl();
    QPushButton* addButton(ControlId id, int x, int y, int width, int height, bool small);
    QLabel* addLabel(ControlId id, int x, int y, int width, int height, const char* role);
    // Puts the look on and places the controls.
    void layOut();
    void placeControls();
    void fitButtonRows(const DialogUnits& units);
    // Places the controls again once the texts of this turn are in.
    void placeWhenIdle();
    MainWindowHooks windowHooks();

    Prompter& prompter_;
    QTimer timer_;
    std::map<ControlId, QWidget*> controls_;
    std::map<ControlId, QRect> layoutUnits_;
    QWidget* tabs_ = nullptr;
    QTabBar* tabBar_ = nullptr;
    QStackedWidget* pageStack_ = nullptr;
    // Set while the tabs are rebuilt or removed: those changes of the
    // selection are not the user's.
    bool tabsChanging_ = false;
    QSlider* trackbar_ = nullptr;
    QLabel* simulatedMark_ = nullptr;
    bool placementPending_ = false;
    std::unique_ptr<Program> program_;
};

}  // namespace corsel
