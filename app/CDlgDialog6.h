#pragma once

#include <QTimer>
#include <QWidget>

#include "pages/FaultCodePage.h"
#include "pages/FaultCodePageView.h"

class QTreeWidget;

namespace corsel {

class Program;

// The fault-code page: every stored code with its meaning and occurrence.
class CDlgDialog6 : public QWidget, public FaultCodePageView {
    Q_OBJECT

public:
    explicit CDlgDialog6(Program& program, QWidget* parent = nullptr);
    ~CDlgDialog6() override;

    QTreeWidget* list() const { return list_; }

    // FaultCodePageView
    int listWidth() const override;
    void setColumns(const std::array<std::string, 3>& titles,
                    const std::array<int, 3>& widths) override;
    void clearRows() override;
    void addRow(const std::array<std::string, 3>& texts) override;

private:
    QTreeWidget* list_ = nullptr;
    QTimer timer_;
    FaultCodePage logic_;
};

}  // namespace corsel
