#pragma once

#include <QByteArray>
#include <QListWidget>
#include <QString>
#include <QStringList>

#include <functional>

class QKeyEvent;
class QMouseEvent;

namespace vantrel {

// The folder list of the folder browser: the ancestors of the path, each indented a little more and shown
// as an open folder, then the sub-folders of the path. A double-click (or Enter) on any entry opens it.
class FolderList : public QListWidget
{
    Q_OBJECT

public:
    explicit FolderList(QWidget* parent = nullptr);

    // The folder shown: native separators, no trailing separator except at a root ("/" or "C:\").
    QString path() const;
    // Makes `path` (absolute or relative to the current folder) the folder shown. Throws
    // AppError(err::PathNotFound) when it is not an existing folder and AppError(err::PermissionDenied) when
    // its entries cannot be read; the path stays unchanged then. Emits pathChanged() inside this call only
    // when the normalised path differs from the current one; re-reads the sub-folders in every case.
    void setPath(const QString& path);
    // Re-reads the sub-folders of the same path; no signal. Throws like setPath(), leaving the list as it was.
    void refresh();
    // Number of sub-folders.
    int listCount() const;
    // Full path of sub-folder `index` (0-based; sorted by name ignoring letter case). Throws AppError 381
    // "Invalid property array index" for an index outside 0 .. listCount() - 1.
    QString list(int index) const;

    // The path as this program holds it in a QString, from the bytes that the file system uses. On Linux,
    // bytes that are not valid UTF-8 are kept as the code units U+DC80..U+DCFF, so that a folder whose name
    // is not UTF-8 can still be opened; on Windows the ANSI code page.
    static QString decodePath(const QByteArray& bytes);
    // The exact inverse of decodePath(): the bytes to hand to the file system for a path.
    static QByteArray encodePath(const QString& path);

    enum class EntryKind { Folders, Files };
    // Names (without folder, unsorted) of the visible entries of `folder` of one kind: sub-folders (links to
    // folders included) or ordinary files. Hidden entries never count: on Linux names beginning with ".",
    // on Windows the hidden and system attributes. `accept`, when given, filters by name before the kind is
    // checked. Throws AppError (err::PathNotFound, err::PermissionDenied...) when the folder cannot be read.
    static QStringList readEntries(const QString& folder, EntryKind kind,
                                   const std::function<bool(const QString& name)>& accept = {});
    // `path` made absolute (against the process's current folder), cleaned, with native separators and
    // without a trailing separator except at a root. Does not look at the file system beyond that.
    static QString normalise(const QString& path);

signals:
    void pathChanged();
    // Opening an entry by double-click or Enter failed. Either the folder could not be read (the list has been
    // re-read, since the entry may have gone, and the path is unchanged), or a receiver of pathChanged() threw.
    void openFailed(int number, const QString& description);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void open(const QString& path);
    void fill(const QString& path, QStringList subFolders);

    QString path_;
    QStringList subFolders_;
};

} // namespace vantrel
