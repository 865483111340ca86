#pragma once

#include "platform/FolderList.h"

#include <QByteArray>
#include <QString>

#include <string>

namespace vantrel {

// File names cross between Qt and the engine in the platform's 8-bit form, through the folder list's own
// conversion, so that a name whose bytes are not valid text still names the same file on its way back.
inline std::string toFileName(const QString& path)
{
    return FolderList::encodePath(path).toStdString();
}

inline QString fromFileName(const std::string& name)
{
    return FolderList::decodePath(QByteArray::fromStdString(name));
}

// A line of an aircraft.cfg, shown in an error report: 8-bit text in the system's code page.
inline QString fromLineBytes(const std::string& line)
{
    return QString::fromLocal8Bit(QByteArray::fromStdString(line));
}

} // namespace vantrel
