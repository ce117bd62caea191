#include "app/CDlgDialog6.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace corsel {

CDlgDialog6::CDlgDialog6(Program& program, QWidget* parent)
    : QWidget(parent), logic_(program, *this) {
    setObjectName(QStringLiteral("faultCodePage"));
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("list1004"));
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setAllColumnsShowFocus(true);
    // Long meanings wrap instead of being cut.
    list_->setWordWrap(true);
    list_->setUniformRowHeights(false);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setColumnCount(0);
    list_->header()->setSectionsMovable(false);
    list_->header()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);

    logic_.initialise();
    timer_.setInterval(FaultCodePage::kTickMs);
    connect(&timer_, &QTimer::timeout, this, [this] { logic_.tick(); });
    timer_.start();
}

CDlgDialog6::~CDlgDialog6() {
    timer_.stop();
}

// The list fills the page; a hidden page has not laid the list out yet, but
// has its own size already.
int CDlgDialog6::listWidth() const {
    return width() - 2 * list_->frameWidth();
}

void CDlgDialog6::setColumns(const std::array<std::string, 3>& titles,
                             const std::array<int, 3>& widths) {
    list_->setColumnCount(static_cast<int>(titles.size()));
    QStringList labels;
    for (const std::string& title : titles) {
        labels << QString::fromStdString(title);
    }
    list_->setHeaderLabels(labels);
    for (int column = 0; column < static_cast<int>(widths.size()); ++column) {
        list_->headerItem()->setTextAlignment(column, Qt::AlignLeft | Qt::AlignVCenter);
        list_->setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
    }
}

void CDlgDialog6::clearRows() {
    list_->clear();
}

void CDlgDialog6::addRow(const std::array<std::string, 3>& texts) {
    auto* item = new QTreeWidgetItem;
    for (int column = 0; column < static_cast<int>(texts.size()); ++column) {
        const QString text = QString::fromStdString(texts[static_cast<std::size_t>(column)]);
        item->setText(column, text);
        item->setToolTip(column, text);
        item->setTextAlignment(column, Qt::AlignLeft | Qt::AlignVCenter);
    }
    list_->addTopLevelItem(item);
}

}  // namespace corsel
