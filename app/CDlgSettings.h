#pragma once

#include <QDialog>
#include <QTimer>
#include <array>

#include "app/SettingsDialogLogic.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corsel {

class Prompter;

// The settings dialog: the language, the five units and the highlighting
// period. Choices take effect at once; there is no cancel.
class CDlgSettings : public QDialog {
    Q_OBJECT

public:
    static constexpr int kTimerMs = 10;

    CDlgSettings(Localisation& localisation, SettingsRecord& settings, double displayScale,
                 Prompter& prompter, QWidget* parent = nullptr);

    QComboBox* languageList() const { return languageList_; }
    QComboBox* unitList(std::size_t slot) const { return unitLists_[slot]; }
    QLineEdit* periodEdit() const { return periodEdit_; }
    QPushButton* closeButton() const { return closeButton_; }

public slots:
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyTexts();
    bool commitPeriod();

    SettingsDialogLogic logic_;
    Prompter& prompter_;
    QTimer timer_;
    QLabel* title_ = nullptr;
    std::array<QLabel*, 9> labels_{};
    QComboBox* languageList_ = nullptr;
    std::array<QComboBox*, SettingsRecord::kUnitCount> unitLists_{};
    QLineEdit* periodEdit_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QString acceptedPeriod_;
    bool validating_ = false;
};

}  // namespace corsel
