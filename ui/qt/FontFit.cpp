#include "ui/qt/FontFit.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>

namespace vantrel {

namespace {
constexpr qreal kSmallestPointSize = 5.0;
}

QString firstInstalledFamily(const QStringList& families)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : families) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    }
    return QApplication::font().family();
}

QFont fittingFont(layout::FontRole role, const std::function<bool(const QFont&)>& fits)
{
    const layout::Face face = layout::faceOf(role);
    // "Small Fonts" is narrow: narrow faces stand in for it.
    const QStringList standIns =
        role == layout::FontRole::Small
            ? QStringList{QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow"),
                          QStringLiteral("Arial Narrow"), QStringLiteral("Nimbus Sans Narrow"),
                          QStringLiteral("DejaVu Sans")}
            : QStringList{QStringLiteral("Microsoft Sans Serif"), QStringLiteral("DejaVu Sans Condensed"),
                          QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    QFont font(firstInstalledFamily(QStringList{QLatin1String(face.family)} + standIns));
    font.setPointSizeF(face.points);
    font.setBold(face.bold);
    while (font.pointSizeF() > kSmallestPointSize && !fits(font))
        font.setPointSizeF(font.pointSizeF() - 0.25);
    return font;
}

bool wrappedTextFits(const QFont& font, const QString& text, const QRect& room)
{
    const QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, room.width(), 100000),
                                                         Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

} // namespace vantrel
