#pragma once

#include <QTimer>
#include <QWidget>

#include "pages/NoFaultPage.h"

class QLabel;

namespace corsel {

// The page of the third tab while no fault code is stored: one centred text.
class CDlgEmpty : public QWidget {
    Q_OBJECT

public:
    explicit CDlgEmpty(TextTables& texts, QWidget* parent = nullptr);
    ~CDlgEmpty() override;

    QLabel* textLabel() const { return text_; }

private:
    QLabel* text_ = nullptr;
    QTimer timer_;
    NoFaultPage logic_;
};

}  // namespace corsel
