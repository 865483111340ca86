#pragma once

#include <QComboBox>

namespace vantrel::qt {

// The drive list. Before it drops down it says so, so that the program can look at the machine's drives again
// and offer one plugged in meanwhile.
class DriveComboBox : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    void showPopup() override;

signals:
    void aboutToDropDown();
};

} // namespace vantrel::qt
