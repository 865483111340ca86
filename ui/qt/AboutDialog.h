#pragma once

#include "ui/qt/ControlBuilder.h"

#include <QDialog>

namespace vantrel::form {
struct AboutText;
}

namespace vantrel::qt {

// The About dialog: the program's icon, name, version and credit lines, and a way to the System Information
// tool, whose button is handed to the program through `fire`. Each opening makes a new one with freshly composed
// texts; OK, Enter and Escape close it.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    AboutDialog(QWidget* parent, const form::AboutText& text, const Fire& fire);
};

} // namespace vantrel::qt
