#pragma once

#include <QDialog>
#include <QTimer>

#include "pages/HelpWindowLogic.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace corsel {

class Program;

// The help window: the title and text of the topic the main window chose
// (a page's help or the program information), and the maker's address.
class CDlgDialog9 : public QDialog, public HelpWindowView {
    Q_OBJECT

public:
    explicit CDlgDialog9(Program& program, QWidget* parent = nullptr);
    ~CDlgDialog9() override;

    QLabel* title() const { return title_; }
    QPlainTextEdit* body() const { return body_; }
    QLabel* link() const { return link_; }
    QPushButton* closeButton() const { return closeButton_; }

    // HelpWindowView
    void setLink(const std::string& text, const std::string& target) override;
    void setCloseText(const std::string& text) override;
    void setTitle(const std::string& text) override;
    void setBody(const std::string& text) override;

private:
    Program& program_;
    QLabel* title_ = nullptr;
    QPlainTextEdit* body_ = nullptr;
    QLabel* link_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QTimer timer_;
    HelpWindowLogic logic_;
};

}  // namespace corsel
