#include "platform/FileList.h"

#include "engine/AppError.h"
#include "platform/FolderList.h"

#include <algorithm>

namespace vantrel {

namespace {

bool hasWildcards(const QString& pattern)
{
    return pattern.contains(u'*') || pattern.contains(u'?');
}

// '*' any run of characters, '?' exactly one; both strings already case-folded. Backtracks only to the last '*',
// so the work stays proportional to the lengths for the short names and patterns met here.
bool wildcardMatch(const QString& name, const QString& pattern)
{
    qsizetype n = 0, p = 0, star = -1, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern.at(p) == u'?' || pattern.at(p) == name.at(n))) {
            ++n, ++p;
        } else if (p < pattern.size() && pattern.at(p) == u'*') {
            star = p++;
            resume = n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern.at(p) == u'*')
        ++p;
    return p == pattern.size();
}

// The pattern's alternatives, case-folded. "*.*" keeps its old meaning of every file, with or without a dot.
QStringList alternativesOf(const QString& pattern)
{
    QStringList alternatives;
    for (const QString& part : pattern.split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = part.trimmed();
        if (trimmed.isEmpty())
            continue;
        alternatives.append(trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed.toCaseFolded());
    }
    return alternatives;
}

bool matchesAny(const QString& name, const QStringList& alternatives)
{
    if (alternatives.isEmpty())
        return true;
    QString folded;
    for (const QString& alternative : alternatives) {
        if (!hasWildcards(alternative)) {
            if (name.compare(alternative, Qt::CaseInsensitive) == 0)
                return true;
            continue;
        }
        if (folded.isNull())
            folded = name.toCaseFolded();
        if (wildcardMatch(folded, alternative))
            return true;
    }
    return false;
}

} // namespace

FileList::FileList(QWidget* parent) : QWidget(parent)
{
    setVisible(false);
}

void FileList::setPattern(const QString& pattern)
{
    if (!path_.isEmpty()) {
        files_ = read(path_, pattern);
        index_ = -1;
    }
    pattern_ = pattern;
}

QString FileList::pattern() const
{
    return pattern_;
}

QString FileList::path() const
{
    return path_;
}

void FileList::setPath(const QString& folder)
{
    const QString normal = FolderList::normalise(folder);
    QStringList files = read(normal, pattern_);
    path_ = normal;
    files_ = std::move(files);
    index_ = -1;
}

int FileList::listCount() const
{
    return int(files_.size());
}

QString FileList::file(int index) const
{
    if (index < 0 || index >= files_.size())
        throw AppError(381, "Invalid property array index");
    return files_.at(index);
}

void FileList::setListIndex(int index)
{
    if (index < -1 || index >= files_.size())
        throw AppError(380, "Invalid property value");
    index_ = index;
}

int FileList::listIndex() const
{
    return index_;
}

QString FileList::fileName() const
{
    return index_ < 0 ? QString() : files_.at(index_);
}

void FileList::setFileName(const QString& name)
{
    index_ = -1;
    if (name.isEmpty())
        return;
    for (int i = 0; i < files_.size(); ++i) {
        if (files_.at(i).compare(name, Qt::CaseInsensitive) == 0) {
            index_ = i;
            return;
        }
    }
}

QStringList FileList::read(const QString& folder, const QString& pattern) const
{
    const QStringList alternatives = alternativesOf(pattern);
    QStringList files =
        FolderList::readEntries(folder, FolderList::EntryKind::Files,
                                [&alternatives](const QString& name) { return matchesAny(name, alternatives); });
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return files;
}

} // namespace vantrel
