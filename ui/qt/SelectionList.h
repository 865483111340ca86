#pragma once

#include "form/View.h"

#include <QListWidget>

#include <string>
#include <vector>

class QKeyEvent;
class QMouseEvent;

namespace vantrel::qt {

// The selection list: several entries can be selected at once and each click toggles one of them. The list
// changes neither its selection nor its current entry itself: it reports clicks, Space, the keys that move the
// current entry and typed letters, and the program answers with what to draw. A current entry that Qt sets
// itself (when the list first gets the focus) is reported as currentRowChanged().
class SelectionList : public QListWidget
{
    Q_OBJECT

public:
    explicit SelectionList(QWidget* parent = nullptr);

    // Draws the given selected flags, one per entry, and the current entry (-1 for none).
    void showSelection(const std::vector<bool>& selected, int current);
    // The entries drawn highlighted, in increasing order.
    std::vector<int> highlighted() const;

signals:
    void entryToggled(int entry);
    void currentMoved(vantrel::form::ListMove move, int pageRows);
    void letterTyped(const std::string& letter);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int pressedRow_ = -1;
};

} // namespace vantrel::qt
