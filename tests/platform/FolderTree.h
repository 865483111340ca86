#pragma once

#include "engine/AppError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <ostream>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* out)
{
    *out << '{';
    for (const QString& text : list)
        *out << ' ' << '"' << text.toStdString() << '"';
    *out << " }";
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out)
{
    *out << '"' << bytes.toStdString() << "\" (hex " << bytes.toHex().toStdString() << ')';
}

namespace vantrel::test {

// The number of the AppError that `action` throws, 0 when it throws none.
inline int errorNumberOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AppError& error) {
        return error.number();
    }
    return 0;
}

// A throw-away folder tree for the folder browser tests. Paths given to it are relative to its root and use '/'.
class FolderTree
{
public:
    FolderTree();
    ~FolderTree();
    FolderTree(const FolderTree&) = delete;
    FolderTree& operator=(const FolderTree&) = delete;

    bool isValid() const;
    // The root with native separators and no trailing separator, as the folder list reports it.
    QString root() const;
    // `relative` below the root, with native separators.
    QString path(const QString& relative) const;

    void addFolders(const QStringList& relatives) const;
    void addFiles(const QStringList& relatives) const;
#ifndef _WIN32
    // A symbolic link at `relative` pointing to `target` (taken as it is, relative or absolute).
    void addLink(const QString& relative, const QByteArray& target) const;
    // A folder whose last name component is the raw bytes `name` (which need not be UTF-8), below `parent`.
    QByteArray addRawFolder(const QString& parent, const QByteArray& name) const;
#endif

private:
    QTemporaryDir dir_;
};

} // namespace vantrel::test
