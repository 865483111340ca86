#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

namespace vantrel {

// The first of `families` that is installed (the toolkit's default family when none is).
QString firstInstalledFamily(const QStringList& families);

// The design fonts of Windows ("Small Fonts", "MS Sans Serif") are missing elsewhere. A stand-in of the
// given size is brought down a quarter point at a time until `fits` accepts it, so that no caption is cut.
QFont fittingFont(const QStringList& families, qreal pointSize, const std::function<bool(const QFont&)>& fits);

// True when `text`, wrapped at word boundaries, fits inside `room` in `font`.
bool wrappedTextFits(const QFont& font, const QString& text, const QRect& room);

} // namespace vantrel
