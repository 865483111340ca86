#pragma once

#include <QListWidget>

#include <vector>

class QKeyEvent;
class QMouseEvent;

namespace vantrel::qt {

// The selection list: several entries can be selected at once and each click toggles one of them. The list
// does not change its own selection: it reports the click (or Space) and the program answers with the
// selection to draw. Moving the current entry with the keyboard is reported as currentRowChanged().
class SelectionList : public QListWidget
{
    Q_OBJECT

public:
    explicit SelectionList(QWidget* parent = nullptr);

    // Draws the given selected flags, one per entry, and the current entry (-1 for none).
    void showSelection(const std::vector<bool>& selected, int current);

signals:
    void entryToggled(int entry);

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
