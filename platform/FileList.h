#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

namespace vantrel {

// The file list of the folder browser. It is never shown: a hidden widget that holds the ordinary files of one
// folder whose names match a pattern, and which of them is selected.
class FileList : public QWidget
{
    Q_OBJECT

public:
    explicit FileList(QWidget* parent = nullptr);

    // Names to list, with the wildcards '*' and '?', matched ignoring letter case; several patterns may be given
    // separated by ';'. An empty pattern matches every file. Re-reads the folder when one is set, and throws like
    // setPath() then, keeping the previous pattern and list.
    void setPattern(const QString& pattern);
    QString pattern() const;
    // The folder listed: native separators, no trailing separator except at a root.
    QString path() const;
    // Lists the ordinary files of `folder` (no folders, no hidden files) that match the pattern, sorted by name
    // ignoring letter case, none selected. Throws AppError (err::PathNotFound, err::PermissionDenied...) when the
    // folder cannot be read, keeping the previous folder and list.
    void setPath(const QString& folder);
    int listCount() const;
    // Name of file `index` (0-based). Throws AppError 381 "Invalid property array index" outside the list.
    QString file(int index) const;
    // Selects entry `index`; -1 selects none. Throws AppError 380 "Invalid property value" for any other index
    // outside the list.
    void setListIndex(int index);
    int listIndex() const;
    // The selected file's name without folder, "" when none is selected.
    QString fileName() const;
    // Selects the entry with that name (letter case ignored); "" or a name that is not listed selects none.
    void setFileName(const QString& name);

private:
    QStringList read(const QString& folder, const QString& pattern) const;

    QString pattern_;
    QString path_;
    QStringList files_;
    int index_ = -1;
};

} // namespace vantrel
