#pragma once

#include "layout/Layout.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

namespace vantrel {

// The first of `families` that is installed (the toolkit's default family when none is).
QString firstInstalledFamily(const QStringList& families);

// The design fonts of Windows ("Small Fonts", "MS Sans Serif") are missing elsewhere. The design face of `role`,
// or the first installed stand-in of its kind, at the design size brought down a quarter point at a time until
// `fits` accepts it, so that no caption is cut.
QFont fittingFont(layout::FontRole role, const std::function<bool(const QFont&)>& fits);

// True when `text`, wrapped at word boundaries, fits inside `room` in `font`.
bool wrappedTextFits(const QFont& font, const QString& text, const QRect& room);

} // namespace vantrel
