#pragma once

#include <QListWidget>

class QKeyEvent;
class QMouseEvent;

namespace vantrel::browse {
class FolderModel;
}

namespace vantrel::qt {

// Draws the folder list: the ancestors of the path, each indented a little more and shown as an open folder,
// then the sub-folders of the path as closed folders. A double-click (or Enter) on an entry asks for it to be
// opened; the program decides what happens then.
class FolderListWidget : public QListWidget
{
    Q_OBJECT

public:
    explicit FolderListWidget(QWidget* parent = nullptr);

    // Replaces every line with the model's entries and makes the path itself the current line.
    void fill(const browse::FolderModel& model);

signals:
    void entryOpened(int entry);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace vantrel::qt
