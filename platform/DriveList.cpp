#include "platform/DriveList.h"

#include "engine/AppError.h"
#include "platform/FolderList.h"

#include <QDir>

#include <string>
#include <vector>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace vantrel {

namespace {

#ifdef _WIN32
// Keeps Windows from asking the user to insert a disk while a drive without medium is looked at.
class QuietDriveErrors
{
public:
    QuietDriveErrors() : old_(::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
    ~QuietDriveErrors() { ::SetErrorMode(old_); }

private:
    UINT old_;
};

std::wstring rootOf(QChar letter)
{
    return std::wstring{wchar_t(letter.toUpper().unicode()), L':', L'\\'};
}

bool driveExists(QChar letter)
{
    const char16_t upper = letter.toUpper().unicode();
    if (upper < u'A' || upper > u'Z')
        return false;
    return (::GetLogicalDrives() & (DWORD(1) << (upper - u'A'))) != 0;
}

bool driveReadable(QChar letter)
{
    if (!driveExists(letter))
        return false;
    QuietDriveErrors quiet;
    const DWORD attributes = ::GetFileAttributesW(rootOf(letter).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
#endif

} // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    reloadDrives();
    // One notification for both ways the selection moves: setCurrentIndex() from setDrive() and the user's pick.
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!reloading_)
            emit driveChanged();
    });
}

QString DriveList::drive() const
{
    return currentText();
}

void DriveList::setDrive(const QString& drive)
{
    int index = indexOfDrive(drive);
    if (index < 0) {
        reloadDrives();
        index = indexOfDrive(drive);
    }
    if (index < 0)
        throw makeError(err::DeviceUnavailable);
#ifdef _WIN32
    if (!driveReadable(drive.at(0)))
        throw makeError(err::DeviceUnavailable);
#endif
    setCurrentIndex(index);
}

QString DriveList::currentFolderOn(const QString& drive)
{
    if (drive.isEmpty())
        throw makeError(err::DeviceUnavailable);
#ifdef _WIN32
    const QChar letter = drive.at(0);
    if (!driveReadable(letter))
        throw makeError(err::DeviceUnavailable);
    // "x:" resolves to the folder that the process last used on drive x, as the system remembers it.
    QString folder = FolderList::normalise(QString(letter) + u':');
    QuietDriveErrors quiet;
    const DWORD attributes =
        folder.isEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(folder.toStdWString().c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        folder = QString::fromStdWString(rootOf(letter));
    return folder;
#else
    if (drive.at(0) != u'/')
        throw makeError(err::DeviceUnavailable);
    return FolderList::normalise(QStringLiteral("."));
#endif
}

QStringList DriveList::machineDrives()
{
    QStringList drives;
#ifdef _WIN32
    QuietDriveErrors quiet;
    const DWORD mask = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (DWORD(1) << i)))
            continue;
        const QChar letter(char16_t(u'a' + i));
        QString name = QString(letter) + u':';
        const std::wstring root = rootOf(letter);
        const UINT type = ::GetDriveTypeW(root.c_str());
        // Floppies and network drives are not asked for a label: either can keep the list waiting for seconds.
        if (type == DRIVE_FIXED || type == DRIVE_CDROM || type == DRIVE_RAMDISK) {
            wchar_t label[MAX_PATH + 1] = {};
            if (::GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) &&
                label[0] != 0)
                name += QStringLiteral(" [") + QString::fromWCharArray(label) + u']';
        }
        drives.append(name);
    }
#else
    drives.append(QStringLiteral("/"));
#endif
    return drives;
}

void DriveList::showPopup()
{
    reloadDrives();
    QComboBox::showPopup();
}

void DriveList::reloadDrives()
{
    const QString selected = currentText();
    QStringList drives = machineDrives();
    int index = -1;
    if (!selected.isEmpty()) {
        for (int i = 0; i < drives.size() && index < 0; ++i) {
            if (drives.at(i).at(0).toLower() == selected.at(0).toLower())
                index = i;
        }
        // A selected drive that went away stays listed and selected: the selection only moves when someone moves
        // it, and choosing it again reports that it is unavailable.
        if (index < 0) {
            index = 0;
            while (index < drives.size() && drives.at(index).at(0).toLower() < selected.at(0).toLower())
                ++index;
            drives.insert(index, selected);
        }
    } else {
#ifdef _WIN32
        // At first the list shows the drive of the process's current folder.
        const QString current = QDir::toNativeSeparators(QDir::currentPath());
        for (int i = 0; i < drives.size() && index < 0 && !current.isEmpty(); ++i) {
            if (drives.at(i).at(0).toLower() == current.at(0).toLower())
                index = i;
        }
#endif
        if (index < 0 && !drives.isEmpty())
            index = 0;
    }

    reloading_ = true;
    clear();
    addItems(drives);
    setCurrentIndex(index);
    reloading_ = false;
}

int DriveList::indexOfDrive(const QString& drive) const
{
    if (drive.isEmpty())
        return -1;
    const QChar wanted = drive.at(0).toLower();
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).at(0).toLower() == wanted)
            return i;
    }
    return -1;
}

} // namespace vantrel
