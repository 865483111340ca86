#include "platform/FolderList.h"

#include "engine/AppError.h"

#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStringDecoder>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <utility>
#include <vector>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vantrel {

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int LevelRole = Qt::UserRole + 1;
constexpr int IndentPixels = 8;

// Classic folder lists shift each level of the tree to the right; the level travels with the item.
class IndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + index.data(LevelRole).toInt() * IndentPixels);
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += index.data(LevelRole).toInt() * IndentPixels;
        return size;
    }
};

AppError folderError(int code)
{
#ifdef _WIN32
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_DIRECTORY)
        return makeError(err::PathNotFound);
    return errorFromSystem(std::error_code(code, std::system_category()));
#else
    // A missing folder is "Path not found" rather than the "File not found" of a missing file.
    if (code == ENOENT || code == ENOTDIR)
        return makeError(err::PathNotFound);
    return errorFromSystem(std::error_code(code, std::generic_category()));
#endif
}

bool isRoot(const QString& path)
{
#ifdef _WIN32
    if (path.size() == 3 && path.at(1) == u':' && path.at(2) == u'\\')
        return true;
    // A network share, \\server\share, is as far up as one can go.
    return path.startsWith(QLatin1String("\\\\")) && path.count(u'\\') == 3 && !path.endsWith(u'\\');
#else
    return path == QLatin1String("/");
#endif
}

bool samePath(const QString& a, const QString& b)
{
#ifdef _WIN32
    return a.compare(b, Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

// Display name of one level of a path: the root as it is written, otherwise the last component.
QString levelName(const QString& path)
{
    if (isRoot(path))
        return path;
    const qsizetype cut = path.lastIndexOf(QDir::separator());
    return cut < 0 ? path : path.mid(cut + 1);
}

// Each ancestor of `path`, root first, `path` itself last.
QStringList ancestorsOf(const QString& path)
{
    QStringList levels;
    QString level = path;
    for (;;) {
        levels.prepend(level);
        if (isRoot(level))
            break;
        const qsizetype cut = level.lastIndexOf(QDir::separator());
        if (cut < 0)
            break;
        QString parent = level.left(cut);
        if (parent.isEmpty() || parent.endsWith(u':'))
            parent += QDir::separator();
        if (parent == level)
            break;
        level = parent;
    }
    return levels;
}

#ifndef _WIN32
// UTF-8 decoding in which each byte of an invalid sequence becomes the lone code unit 0xDC00 + byte. No valid
// UTF-8 produces such a unit, so encodePath() can tell them apart and give back the original bytes.
QString decodeEscaped(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            out += QChar(c);
            ++i;
            continue;
        }
        int length = 0;
        char32_t code = 0;
        char32_t minimum = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            code = c & 0x1F;
            minimum = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            code = c & 0x0F;
            minimum = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            code = c & 0x07;
            minimum = 0x10000;
        }
        bool valid = length > 0 && i + length <= n;
        for (int k = 1; valid && k < length; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                valid = false;
            else
                code = (code << 6) | (p[i + k] & 0x3F);
        }
        if (valid && (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)))
            valid = false;
        if (!valid) {
            out += QChar(char16_t(0xDC00 + c));
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            out += QChar(QChar::highSurrogate(code));
            out += QChar(QChar::lowSurrogate(code));
        } else {
            out += QChar(char16_t(code));
        }
        i += length;
    }
    return out;
}

QByteArray encodeEscaped(const QString& text)
{
    QByteArray out;
    out.reserve(text.size() + 8);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            out += QString(text.constData() + i, 2).toUtf8();
            ++i;
        } else if (u >= 0xDC80 && u <= 0xDCFF) {
            out += char(u - 0xDC00);
        } else if (u < 0x80) {
            out += char(u);
        } else {
            out += QString(QChar(u)).toUtf8();
        }
    }
    return out;
}

bool hasEscapes(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF)
            return true;
    }
    return false;
}

QString currentFolder()
{
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            throw folderError(errno);
        buffer.resize(buffer.size() * 2);
    }
    return FolderList::decodePath(QByteArray(buffer.data()));
}
#endif

} // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent)
{
    // Thousands of aircraft folders: equal rows let the view skip measuring each one.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new IndentDelegate(this));
}

QString FolderList::path() const
{
    return path_;
}

void FolderList::setPath(const QString& path)
{
    const QString normal = normalise(path);
    QStringList subFolders = readEntries(normal, EntryKind::Folders);
    const bool changed = !samePath(normal, path_);
    fill(normal, std::move(subFolders));
    if (changed)
        emit pathChanged();
}

void FolderList::refresh()
{
    if (path_.isEmpty())
        return;
    fill(path_, readEntries(path_, EntryKind::Folders));
}

int FolderList::listCount() const
{
    return int(subFolders_.size());
}

QString FolderList::list(int index) const
{
    if (index < 0 || index >= subFolders_.size())
        throw AppError(381, "Invalid property array index");
    return subFolders_.at(index);
}

QString FolderList::decodePath(const QByteArray& bytes)
{
#ifdef _WIN32
    return QString::fromLocal8Bit(bytes);
#else
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    return decoder.hasError() ? decodeEscaped(bytes) : text;
#endif
}

QByteArray FolderList::encodePath(const QString& path)
{
#ifdef _WIN32
    return path.toLocal8Bit();
#else
    return hasEscapes(path) ? encodeEscaped(path) : path.toUtf8();
#endif
}

QString FolderList::normalise(const QString& path)
{
    if (path.isEmpty())
        return QString();
#ifdef _WIN32
    // GetFullPathNameW knows the current folder of each drive, so "d:" and "d:sub" resolve as the system does.
    const std::wstring wide = QDir::toNativeSeparators(path).toStdWString();
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetFullPathNameW(wide.c_str(), DWORD(buffer.size()), buffer.data(), nullptr);
        if (length == 0)
            return QString();
        if (length < buffer.size()) {
            QString full = QString::fromWCharArray(buffer.data(), int(length));
            while (full.size() > 3 && full.endsWith(u'\\') && !full.endsWith(QLatin1String(":\\")))
                full.chop(1);
            return full;
        }
        buffer.resize(length + 1);
    }
#else
    QString full = path.startsWith(u'/') ? path : currentFolder() + u'/' + path;
    return QDir::cleanPath(full);
#endif
}

QStringList FolderList::readEntries(const QString& folder, EntryKind kind,
                                    const std::function<bool(const QString& name)>& accept)
{
    if (folder.isEmpty())
        throw makeError(err::PathNotFound);
    QStringList names;
#ifdef _WIN32
    QString pattern = folder;
    if (!pattern.endsWith(u'\\'))
        pattern += u'\\';
    pattern += u'*';
    const std::wstring widePattern = pattern.toStdWString();
    const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileExW(widePattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        ::SetErrorMode(oldMode);
        // An empty drive root has no "." entry, so nothing matches at all.
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES) {
            const DWORD attributes = ::GetFileAttributesW(folder.toStdWString().c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
                return names;
        }
        throw folderError(int(code));
    }
    do {
        const DWORD attributes = data.dwFileAttributes;
        if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE))
            continue;
        const bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder != (kind == EntryKind::Folders))
            continue;
        const QString name = QString::fromWCharArray(data.cFileName);
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        if (!accept || accept(name))
            names.append(name);
    } while (::FindNextFileW(find, &data));
    const DWORD code = ::GetLastError();
    ::FindClose(find);
    ::SetErrorMode(oldMode);
    if (code != ERROR_NO_MORE_FILES)
        throw folderError(int(code));
#else
    const QByteArray bytes = encodePath(folder);
    DIR* dir = ::opendir(bytes.constData());
    if (dir == nullptr)
        throw folderError(errno);
    const int dirFd = ::dirfd(dir);
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr)
            break;
        // Dot-names are hidden on Linux; this also drops "." and "..".
        if (entry->d_name[0] == '.')
            continue;
        const QString name = decodePath(QByteArray(entry->d_name));
        if (accept && !accept(name))
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            // Follow a link to what it names; a dangling link is neither a folder nor a file.
            struct stat info;
            if (::fstatat(dirFd, entry->d_name, &info, 0) != 0)
                continue;
            type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if ((kind == EntryKind::Folders && type == DT_DIR) || (kind == EntryKind::Files && type == DT_REG))
            names.append(name);
    }
    const int code = errno;
    ::closedir(dir);
    if (code != 0)
        throw folderError(code);
#endif
    return names;
}

void FolderList::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QListWidgetItem* item = itemAt(event->position().toPoint());
    const QString target = item != nullptr ? item->data(PathRole).toString() : QString();
    // Opening replaces every item, so it waits until the view and the receivers of its double-click signals are
    // done with the item that was hit.
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && !target.isEmpty())
        open(target);
}

void FolderList::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem() != nullptr) {
        open(currentItem()->data(PathRole).toString());
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FolderList::open(const QString& path)
{
    // Runs from the event loop: nothing may escape from here, not even a failure of a pathChanged() receiver.
    try {
        setPath(path);
    } catch (const AppError& error) {
        try {
            refresh();
        } catch (const AppError&) {
            // The folder shown has gone too; the receiver learns of the first failure below.
        }
        emit openFailed(error.number(), QString::fromStdString(error.description()));
    } catch (const std::exception& error) {
        emit openFailed(err::PathFileAccess, QString::fromLocal8Bit(error.what()));
    }
}

void FolderList::fill(const QString& path, QStringList subFolders)
{
    // Case-folded keys once per name, so that sorting thousands of folders does not fold at every comparison.
    std::vector<std::pair<QString, qsizetype>> keys;
    keys.reserve(subFolders.size());
    for (qsizetype i = 0; i < subFolders.size(); ++i)
        keys.emplace_back(subFolders.at(i).toCaseFolded(), i);
    std::sort(keys.begin(), keys.end(), [&subFolders](const auto& a, const auto& b) {
        if (a.first != b.first)
            return a.first < b.first;
        return subFolders.at(a.second) < subFolders.at(b.second);
    });

    const QStringList levels = ancestorsOf(path);
    QString prefix = path;
    if (!prefix.endsWith(QDir::separator()))
        prefix += QDir::separator();

    QStringList full;
    full.reserve(subFolders.size());
    for (const auto& key : keys)
        full.append(prefix + subFolders.at(key.second));

    path_ = path;
    subFolders_ = full;

    setUpdatesEnabled(false);
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    // Items are filled in before they join the list: an item that belongs to the list already looks itself up
    // among all the others at every change, which would make thousands of folders cost their square.
    for (qsizetype level = 0; level < levels.size(); ++level) {
        auto* item = new QListWidgetItem(openIcon, levelName(levels.at(level)));
        item->setData(PathRole, levels.at(level));
        item->setData(LevelRole, int(level));
        addItem(item);
    }
    const int childLevel = int(levels.size());
    for (const auto& key : keys) {
        auto* item = new QListWidgetItem(closedIcon, subFolders.at(key.second));
        item->setData(PathRole, prefix + subFolders.at(key.second));
        item->setData(LevelRole, childLevel);
        addItem(item);
    }
    setCurrentRow(int(levels.size()) - 1);
    setUpdatesEnabled(true);
}

} // namespace vantrel
