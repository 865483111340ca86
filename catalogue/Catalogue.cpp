#include "catalogue/Catalogue.h"

#include <QDir>

#include <algorithm>

namespace vantrel {

AircraftNameSpan aircraftNameOf(const QString& cfgFileName)
{
    AircraftNameSpan span;
    const QString native = QDir::toNativeSeparators(cfgFileName);
    const QChar separator = QDir::separator();
    const int folderEnd = native.lastIndexOf(separator); // 0-based index of the separator before the file name
    if (folderEnd <= 0)
        return span;
    const int nameStart = native.lastIndexOf(separator, folderEnd - 1) + 1; // 0-based
    span.start = nameStart + 1;
    span.end = folderEnd + 1;
    span.name = cfgFileName.mid(nameStart, folderEnd - nameStart);
    return span;
}

bool isCslFolder(const QString& name)
{
    return name.compare(QLatin1String("csl"), Qt::CaseInsensitive) == 0;
}

QString totalAircraftCaption(int subfolderCount, const QString& aircraftFolder)
{
    int count = subfolderCount;
    if (!aircraftFolder.contains(QLatin1String("combat"), Qt::CaseInsensitive))
        count = std::max(0, subfolderCount - 3);
    return QStringLiteral("Total Aircraft: ") + QString::number(count);
}

QString listCaption(bool restoreList, int count)
{
    return (restoreList ? QStringLiteral("Aircraft with Wing Leveler Disabled: ")
                        : QStringLiteral("Aircraft with Wing Leveler Enabled: ")) +
           QString::number(count);
}

QString messageEntryText(bool restoreMode)
{
    return restoreMode ? QStringLiteral("All Aircraft have WL Restored")
                       : QStringLiteral("All Aircraft have WL Removed");
}

} // namespace vantrel
