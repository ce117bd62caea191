#include "platform/qt/QtPrompter.h"

#include <QMessageBox>
#include <QString>

namespace corsel {

namespace {

QMessageBox::StandardButtons buttonsFor(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::Ok:
            return QMessageBox::Ok;
        case PromptButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case PromptButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case PromptButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon iconFor(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::None:
            return QMessageBox::NoIcon;
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::Warning:
            return QMessageBox::Warning;
        case PromptIcon::Error:
            return QMessageBox::Critical;
        case PromptIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Escape and the close button pick the box's escape button, so every way out
// lands on one of the buttons shown; the fallback is the most cautious of them.
PromptAnswer answerFor(int result, PromptButtons buttons) {
    switch (result) {
        case QMessageBox::Ok:
            return PromptAnswer::Ok;
        case QMessageBox::Cancel:
            return PromptAnswer::Cancel;
        case QMessageBox::Yes:
            return PromptAnswer::Yes;
        case QMessageBox::No:
            return PromptAnswer::No;
        default:
            break;
    }
    switch (buttons) {
        case PromptButtons::Ok:
            return PromptAnswer::Ok;
        case PromptButtons::YesNo:
            return PromptAnswer::No;
        case PromptButtons::OkCancel:
        case PromptButtons::YesNoCancel:
            return PromptAnswer::Cancel;
    }
    return PromptAnswer::Cancel;
}

}  // namespace

PromptAnswer QtPrompter::ask(const PromptRequest& request) {
    // The system titles a message without a caption "Error".
    const QString caption =
        request.caption.empty() ? QStringLiteral("Error") : QString::fromStdString(request.caption);
    QWidget* owner = request.ownedByMainWindow ? mainWindow_.data() : nullptr;
    QMessageBox box(iconFor(request.icon), caption, QString::fromStdString(request.text),
                    buttonsFor(request.buttons), owner);
    return answerFor(box.exec(), request.buttons);
}

}  // namespace corsel
