#pragma once

#include <QDialog>

namespace vantrel::form {
struct AboutText;
}

namespace vantrel::qt {

// The About dialog: the program's icon, name, version and credit lines, and a way to the System Information
// tool. Each opening makes a new one with freshly composed texts; OK, Enter and Escape close it.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    AboutDialog(QWidget* parent, const form::AboutText& text);

signals:
    void sysInfoRequested();
};

} // namespace vantrel::qt
