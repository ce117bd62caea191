#pragma once

#include <QTimer>
#include <QWidget>
#include <map>

#include "pages/EngineDataPage.h"
#include "pages/EngineDataPageView.h"

namespace corsel {

class HelpTip;
class Program;
class Prompter;
class ValueLabel;

// The engine-data page: 54 rows of name, value and unit. The main window
// has two of them, the live values and the values frozen at a fault.
class CDlgDialog1 : public QWidget, public EngineDataPageView {
    Q_OBJECT

public:
    CDlgDialog1(Program& program, Prompter& prompter, QWidget* parent = nullptr);
    ~CDlgDialog1() override;

    ValueLabel* label(int controlId) const;
    HelpTip* helpTip() const { return helpTip_; }

    // EngineDataPageView
    void setControlText(int controlId, const std::string& text, ValueColour colour) override;
    bool cursorOnPage() const override;
    int controlUnderCursor() const override;
    void showHelpTip(const std::string& text) override;
    void hideHelpTip() override;
    void stopRefreshTimer() override;
    void startRefreshTimer() override;
    void showMessage(const std::string& text) override;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void placeLabels();

    Program& program_;
    Prompter& prompter_;
    std::map<int, ValueLabel*> labels_;
    HelpTip* helpTip_ = nullptr;
    QTimer timer_;
    EngineDataPage logic_;
};

}  // namespace corsel
