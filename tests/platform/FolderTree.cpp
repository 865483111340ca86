#include "FolderTree.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

#ifndef _WIN32
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vantrel::test {

namespace {

#ifndef _WIN32
// Removes by bytes what QTemporaryDir cannot: it decodes names as UTF-8 and so misses names that are not.
void removeTree(const QByteArray& path)
{
    if (DIR* dir = ::opendir(path.constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name == "." || name == "..")
                continue;
            const QByteArray child = path + '/' + name;
            struct stat info;
            if (::lstat(child.constData(), &info) == 0 && S_ISDIR(info.st_mode))
                removeTree(child);
            else
                ::unlink(child.constData());
        }
        ::closedir(dir);
    }
    ::rmdir(path.constData());
}
#endif

} // namespace

FolderTree::FolderTree() = default;

FolderTree::~FolderTree()
{
#ifndef _WIN32
    if (dir_.isValid())
        removeTree(QFile::encodeName(dir_.path()));
#endif
}

bool FolderTree::isValid() const
{
    return dir_.isValid();
}

QString FolderTree::root() const
{
    return QDir::toNativeSeparators(QDir::cleanPath(dir_.path()));
}

QString FolderTree::path(const QString& relative) const
{
    return QDir::toNativeSeparators(QDir::cleanPath(dir_.path() + u'/' + relative));
}

void FolderTree::addFolders(const QStringList& relatives) const
{
    for (const QString& relative : relatives) {
        if (!QDir(dir_.path()).mkpath(relative))
            throw std::runtime_error("cannot create folder " + relative.toStdString());
    }
}

void FolderTree::addFiles(const QStringList& relatives) const
{
    for (const QString& relative : relatives) {
        QFile file(dir_.path() + u'/' + relative);
        if (!file.open(QIODevice::WriteOnly) || file.write("[autopilot]\r\n") < 0)
            throw std::runtime_error("cannot create file " + relative.toStdString());
    }
}

#ifndef _WIN32
void FolderTree::addLink(const QString& relative, const QByteArray& target) const
{
    const QByteArray link = QFile::encodeName(dir_.path() + u'/' + relative);
    if (::symlink(target.constData(), link.constData()) != 0)
        throw std::runtime_error("cannot create link " + relative.toStdString());
}

QByteArray FolderTree::addRawFolder(const QString& parent, const QByteArray& name) const
{
    const QByteArray full = QFile::encodeName(QDir::cleanPath(dir_.path() + u'/' + parent)) + '/' + name;
    if (::mkdir(full.constData(), 0755) != 0)
        throw std::runtime_error("cannot create folder from raw bytes");
    return full;
}
#endif

} // namespace vantrel::test
