#include "app/CCorselDiagnosticSystemDlg.h"

#include <QLabel>
#include <QPalette>
#include <QVBoxLayout>

namespace corsel {

CCorselDiagnosticSystemDlg::CCorselDiagnosticSystemDlg(const CommandLine& commandLine,
                                                       QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Tarquell for Honda"));
    setMinimumSize(1000, 530);

    // White on black for the whole window; the controls inside inherit it.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);

    // A technician should never take simulated values for a real machine's.
    if (commandLine.simulate) {
        auto* simulated = new QLabel(tr("Simulated module"), this);
        simulated->setObjectName(QStringLiteral("simulatedModuleLabel"));
        QFont small = simulated->font();
        if (small.pointSizeF() > 0) {
            small.setPointSizeF(small.pointSizeF() * 0.85);
            simulated->setFont(small);
        }
        auto* layout = new QVBoxLayout(this);
        layout->addStretch();
        layout->addWidget(simulated, 0, Qt::AlignRight);
    }
}

}  // namespace corsel
