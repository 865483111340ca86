#include "ui/qt/DriveComboBox.h"

namespace vantrel::qt {

void DriveComboBox::showPopup()
{
    emit aboutToDropDown();
    QComboBox::showPopup();
}

} // namespace vantrel::qt
