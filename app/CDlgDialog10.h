#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace corsel {

class Program;

// The list of supported motorcycles and marine engines.
class CDlgDialog10 : public QDialog {
    Q_OBJECT

public:
    explicit CDlgDialog10(Program& program, QWidget* parent = nullptr);

    QLabel* title() const { return title_; }
    QPlainTextEdit* motorcycleList() const { return motorcycleList_; }
    QPlainTextEdit* marineList() const { return marineList_; }
    QPushButton* closeButton() const { return closeButton_; }

private:
    QLabel* title_ = nullptr;
    QPlainTextEdit* motorcycleList_ = nullptr;
    QPlainTextEdit* marineList_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

}  // namespace corsel
