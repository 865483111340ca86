#include "ui/qt/SelectionList.h"

#include <QItemSelection>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace vantrel::qt {

SelectionList::SelectionList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::MultiSelection);
    setUniformItemSizes(true);
}

void SelectionList::showSelection(const std::vector<bool>& selected, int current)
{
    // Runs of selected entries become one range each: selecting thousands of entries one by one would cost
    // time quadratic in their number.
    QItemSelection selection;
    const int count = std::min(this->count(), static_cast<int>(selected.size()));
    for (int first = 0; first < count;) {
        if (!selected[first]) {
            ++first;
            continue;
        }
        int last = first;
        while (last + 1 < count && selected[last + 1])
            ++last;
        selection.select(model()->index(first, 0), model()->index(last, 0));
        first = last + 1;
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    const QModelIndex currentIndex =
        current >= 0 && current < this->count() ? model()->index(current, 0) : QModelIndex();
    selectionModel()->setCurrentIndex(currentIndex, QItemSelectionModel::NoUpdate);
}

void SelectionList::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const QModelIndex hit = indexAt(event->position().toPoint());
    pressedRow_ = hit.isValid() ? hit.row() : -1;
    if (event->button() == Qt::LeftButton && pressedRow_ >= 0)
        emit entryToggled(pressedRow_);
}

// The second press of a double-click on the same entry is no new click.
void SelectionList::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex hit = indexAt(event->position().toPoint());
    if (hit.isValid() && hit.row() != pressedRow_)
        mousePressEvent(event);
}

// Dragging over the list selects nothing.
void SelectionList::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
}

void SelectionList::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void SelectionList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Select) {
        if (currentRow() >= 0)
            emit entryToggled(currentRow());
        return;
    }
    if (event->matches(QKeySequence::SelectAll))
        return;
    QListWidget::keyPressEvent(event);
}

} // namespace vantrel::qt
