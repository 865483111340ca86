#pragma once

#include <QComboBox>
#include <QString>
#include <QStringList>

namespace vantrel {

// The drive list of the folder browser. On Windows it names the machine's drives in the "c: [LABEL]" style (lower-case
// letter and colon, then a blank and the volume label in brackets for a drive that has one); elsewhere the file
// system has a single root and the list a single entry "/".
class DriveList : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveList(QWidget* parent = nullptr);

    // The selected entry's text.
    QString drive() const;
    // Selects the drive named by the first character of `drive` (letter case ignored). Emits driveChanged() inside
    // this call only when the selection changes. Throws AppError(err::DeviceUnavailable) when there is no such drive
    // or it cannot be read, leaving the selection unchanged.
    void setDrive(const QString& drive);
    // The folder that the folder list should show for `drive` (first character significant): on Windows the
    // process's current folder on that drive (its root when that folder is gone), elsewhere the process's current
    // folder. Throws AppError(err::DeviceUnavailable) for a drive that does not exist or cannot be read.
    static QString currentFolderOn(const QString& drive);
    // The entries that the list would show now, in order.
    static QStringList machineDrives();

    // Looks at the machine's drives again before the list opens, so that a drive plugged in meanwhile is offered.
    void showPopup() override;

signals:
    // The selected drive changed, by setDrive() or by the user's choice.
    void driveChanged();

private:
    void reloadDrives();
    int indexOfDrive(const QString& drive) const;

    bool reloading_ = false;
};

} // namespace vantrel
