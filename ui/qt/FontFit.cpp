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

QStringList standInFamilies(layout::FontRole role, layout::FaceFit fit)
{
    QStringList families;
    for (const std::string& face : layout::standInFaces(role, fit))
        families.append(QString::fromStdString(face));
    return families;
}

QFont fittingFont(layout::FontRole role, const std::function<bool(const QFont&)>& fits)
{
    const layout::Face face = layout::faceOf(role);
    QFont font(firstInstalledFamily(standInFamilies(role, layout::FaceFit::Width)));
    font.setPointSizeF(face.points);
    font.setBold(face.bold);
    while (font.pointSizeF() > kSmallestPointSize && !fits(font))
        font.setPointSizeF(font.pointSizeF() - 0.25);
    return font;
}

int minimumPixelHeight(const QString& text)
{
    return layout::minimumPixelHeight(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
}

QString withLineFeeds(const std::string& text)
{
    return QString::fromStdString(layout::withLineBreaks(text, "\n"));
}

bool wrappedTextFits(const QFont& font, const QString& text, const QRect& room)
{
    const QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, room.width(), 100000),
                                                         Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

} // namespace vantrel
