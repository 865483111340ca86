#include "ui/qt/FolderListWidget.h"

#include "browse/FolderModel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace vantrel::qt {

namespace {

constexpr int LevelRole = Qt::UserRole;
constexpr int IndentPixels = 8;

// Classic folder lists shift each level of the tree to the right; the level travels with the item.
class IndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + index.data(LevelRole).toInt() * IndentPixels);
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += index.data(LevelRole).toInt() * IndentPixels;
        return size;
    }
};

} // namespace

FolderListWidget::FolderListWidget(QWidget* parent) : QListWidget(parent)
{
    // Thousands of aircraft folders: equal rows let the view skip measuring each one.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new IndentDelegate(this));
}

void FolderListWidget::fill(const browse::FolderModel& model)
{
    setUpdatesEnabled(false);
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    // Items are filled in before they join the list: an item that belongs to the list already looks itself up
    // among all the others at every change, which would make thousands of folders cost their square.
    for (const browse::FolderEntry& entry : model.entries()) {
        auto* item = new QListWidgetItem(entry.open ? openIcon : closedIcon, QString::fromStdString(entry.name));
        item->setData(LevelRole, entry.level);
        addItem(item);
    }
    setCurrentRow(model.pathEntry());
    setUpdatesEnabled(true);
}

void FolderListWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QListWidgetItem* hit = itemAt(event->position().toPoint());
    const int entry = hit != nullptr ? row(hit) : -1;
    // Opening replaces every item, so it waits until the view is done with the item that was hit.
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && entry >= 0)
        emit entryOpened(entry);
}

void FolderListWidget::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
        emit entryOpened(currentRow());
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace vantrel::qt
