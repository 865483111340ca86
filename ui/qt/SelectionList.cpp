#include "ui/qt/SelectionList.h"

#include <QItemSelection>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <utility>

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

std::vector<int> SelectionList::highlighted() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
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
    using form::ListMove;
    // How many entries the list shows whole: what Page Up and Page Down move by.
    const int rowHeight = std::max(1, sizeHintForRow(0));
    const int pageRows = std::max(1, viewport()->height() / rowHeight);
    // The keys that move the current entry, and what they move it by.
    static constexpr std::pair<int, ListMove> kMoves[] = {
        {Qt::Key_Up, ListMove::Up},         {Qt::Key_Down, ListMove::Down},
        {Qt::Key_PageUp, ListMove::PageUp}, {Qt::Key_PageDown, ListMove::PageDown},
        {Qt::Key_Home, ListMove::Home},     {Qt::Key_End, ListMove::End}};
    for (const auto& [key, move] : kMoves) {
        if (event->key() == key) {
            emit currentMoved(move, pageRows);
            return;
        }
    }
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Select:
        if (currentRow() >= 0)
            emit entryToggled(currentRow());
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
        return;
    default:
        break;
    }
    const QString typed = event->text();
    const bool command = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (!command && typed.size() == 1 && typed.at(0).isPrint() && !typed.at(0).isSpace()) {
        emit letterTyped(typed.toStdString());
        return;
    }
    // Everything else (Tab, Enter, Escape, shortcuts) is the window's, never the list's own selection keys.
    if (command && (event->key() == Qt::Key_A || event->matches(QKeySequence::SelectAll)))
        return;
    QWidget::keyPressEvent(event);
}

} // namespace vantrel::qt
