#pragma once

#include "layout/Layout.h"
#include "layout/TextRules.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

namespace vantrel {

// The first of `families` that is installed (the toolkit's default family when none is).
QString firstInstalledFamily(const QStringList& families);

// The faces that may draw `role`, best first (layout::standInFaces()).
QStringList standInFamilies(layout::FontRole role, layout::FaceFit fit);

// The design fonts of Windows ("Small Fonts", "MS Sans Serif") are missing elsewhere. The design face of `role`,
// or the first installed stand-in of its kind, at the design size brought down a quarter point at a time until
// `fits` accepts it, so that no caption is cut.
QFont fittingFont(layout::FontRole role, const std::function<bool(const QFont&)>& fits);

// The smallest pixel height at which `text` may be drawn (layout::minimumPixelHeight()).
int minimumPixelHeight(const QString& text);

// The program's text `text` with its line breaks as line feeds, the only ones at which Qt breaks lines.
QString withLineFeeds(const std::string& text);

// True when `text`, wrapped at word boundaries, fits inside `room` in `font`.
bool wrappedTextFits(const QFont& font, const QString& text, const QRect& room);

} // namespace vantrel
