#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Prompter.h"

namespace corsel {

// Messages as Qt message boxes. A message owned by the main window is modal to
// it; the others stand alone, modal to the whole program.
class QtPrompter final : public Prompter {
public:
    // None until the main window exists; forgotten when it goes.
    void setMainWindow(QWidget* window) { mainWindow_ = window; }

    PromptAnswer ask(const PromptRequest& request) override;

private:
    QPointer<QWidget> mainWindow_;
};

}  // namespace corsel
