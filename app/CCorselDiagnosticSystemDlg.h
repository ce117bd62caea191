#pragma once

#include <QDialog>

#include "app/CommandLine.h"

namespace corsel {

// The main window. The session behind it comes with the core's session loop;
// for now it is the empty, dark frame the pages will fill.
class CCorselDiagnosticSystemDlg : public QDialog {
    Q_OBJECT

public:
    explicit CCorselDiagnosticSystemDlg(const CommandLine& commandLine, QWidget* parent = nullptr);
};

}  // namespace corsel
