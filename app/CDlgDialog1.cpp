#include "app/CDlgDialog1.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QPalette>
#include <algorithm>
#include <cmath>

#include "app/Program.h"
#include "pages/PageLayout.h"
#include "platform/Prompter.h"
#include "text/MainTextIds.h"
#include "widgets/DialogUnits.h"
#include "widgets/HelpTip.h"
#include "widgets/LanguageText.h"
#include "widgets/ValueLabel.h"

namespace corsel {

namespace layout = page_layout;

CDlgDialog1::CDlgDialog1(Program& program, Prompter& prompter, QWidget* parent)
    : QWidget(parent), program_(program), prompter_(prompter), logic_(program, *this) {
    setObjectName(QStringLiteral("engineDataPage"));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    setMouseTracking(true);

    for (std::size_t row = 0; row < layout::kRowCount; ++row) {
        const std::pair<int, Qt::Alignment> controls[] = {
            {layout::nameControlId(row), Qt::AlignLeft},
            {layout::valueControlId(row), Qt::AlignRight},
            {layout::unitControlId(row), Qt::AlignLeft}};
        for (const auto& [id, alignment] : controls) {
            labels_[id] = new ValueLabel(id, alignment, this);
        }
    }
    helpTip_ = new HelpTip(this);
    placeLabels();

    timer_.setInterval(EngineDataPage::kRefreshMs);
    connect(&timer_, &QTimer::timeout, this, [this] { logic_.refreshTick(); });
    logic_.initialise();
}

CDlgDialog1::~CDlgDialog1() {
    timer_.stop();
}

ValueLabel* CDlgDialog1::label(int controlId) const {
    const auto found = labels_.find(controlId);
    return found == labels_.end() ? nullptr : found->second;
}

// The page's grid is drawn in dialog units of the window's font; where the
// tab's display area is lower than the grid, the rows close up to fit it.
void CDlgDialog1::placeLabels() {
    const DialogUnits units(font());
    const double unitWidth = units.x(layout::kPageWidth) / double(layout::kPageWidth);
    const double unitHeight = units.y(layout::kPageHeight) / double(layout::kPageHeight);
    const double xScale =
        width() > 0 ? std::min(unitWidth, width() / double(layout::kPageWidth)) : unitWidth;
    const double yScale =
        height() > 0 ? std::min(unitHeight, height() / double(layout::kPageHeight)) : unitHeight;
    const auto px = [](double dialogUnits, double scale) {
        return static_cast<int>(std::lround(dialogUnits * scale));
    };
    for (std::size_t row = 0; row < layout::kRowCount; ++row) {
        const layout::Position name = layout::namePosition(row);
        const struct {
            int id;
            int offset;
            int width;
        } controls[] = {{layout::nameControlId(row), 0, layout::kNameWidth},
                        {layout::valueControlId(row), layout::kValueOffset, layout::kValueWidth},
                        {layout::unitControlId(row), layout::kUnitOffset, layout::kUnitWidth}};
        for (const auto& control : controls) {
            const int left = px(name.x + control.offset, xScale);
            const int top = px(name.y, yScale);
            labels_[control.id]->setGeometry(
                left, top, px(name.x + control.offset + control.width, xScale) - left,
                px(name.y + layout::kControlHeight, yScale) - top);
        }
    }
}

void CDlgDialog1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeLabels();
}

void CDlgDialog1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        placeLabels();
    }
}

void CDlgDialog1::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    logic_.mouseMoved(position.x(), position.y());
    if (helpTip_->isVisible()) {
        helpTip_->follow(event->globalPosition().toPoint());
    }
    QWidget::mouseMoveEvent(event);
}

void CDlgDialog1::setControlText(int controlId, const std::string& text, ValueColour colour) {
    if (ValueLabel* target = label(controlId)) {
        target->setText(QString::fromStdString(text), ValueLabel::colourOf(colour));
    }
}

// The cursor is on the page only where the page is what it sees: not on a
// hidden page (the other engine-data page, or while another tab is shown),
// nor on a window that covers it, such as the help window.
bool CDlgDialog1::cursorOnPage() const {
    const QWidget* under = QApplication::widgetAt(QCursor::pos());
    return under && (under == this || isAncestorOf(under));
}

int CDlgDialog1::controlUnderCursor() const {
    const auto* control = qobject_cast<const ValueLabel*>(QApplication::widgetAt(QCursor::pos()));
    return control && control->parentWidget() == this ? control->controlId() : 0;
}

void CDlgDialog1::showHelpTip(const std::string& text) {
    helpTip_->showText(plainTextOf(text), QCursor::pos());
}

void CDlgDialog1::hideHelpTip() {
    helpTip_->hide();
}

void CDlgDialog1::stopRefreshTimer() {
    timer_.stop();
}

void CDlgDialog1::startRefreshTimer() {
    timer_.start();
}

void CDlgDialog1::showMessage(const std::string& text) {
    prompter_.ask({text, program_.localisation.tables.MainTexts[MainText::Title], PromptButtons::Ok,
                   PromptIcon::None, true});
}

}  // namespace corsel
