#include "layout/TextRules.h"

#include <algorithm>

namespace vantrel::layout {

std::string withLineBreaks(std::string_view text, std::string_view lineBreak)
{
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            out += text[i];
            continue;
        }
        out += lineBreak;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    return out;
}

int minimumPixelHeight(std::u16string_view text)
{
    // A unit of a surrogate pair (U+D800 on) stands for a character beyond U+FFFF, which counts too.
    const bool eastAsian = std::any_of(text.begin(), text.end(), [](char16_t unit) { return unit >= 0x2E80; });
    return eastAsian ? kEastAsianMinimumPixels : 0;
}

std::string windowsFace(FontRole role, int dpi, const FaceInstalled& installed)
{
    if (dpi <= kDesignDpi)
        return faceOf(role).family;
    for (const char* face : {"Microsoft Sans Serif", "Tahoma", "Arial"})
        if (installed(face))
            return face;
    return "Tahoma";
}

std::vector<std::string> standInFaces(FontRole role, FaceFit fit)
{
    std::vector<std::string> faces{faceOf(role).family};
    if (fit == FaceFit::LineHeight)
        faces.insert(faces.end(), {"Microsoft Sans Serif", "Tahoma", "DejaVu Sans"});
    else if (role == FontRole::Small)
        faces.insert(faces.end(), {"DejaVu Sans Condensed", "Liberation Sans Narrow", "Arial Narrow",
                                   "Nimbus Sans Narrow", "DejaVu Sans"});
    else
        faces.insert(faces.end(), {"Microsoft Sans Serif", "DejaVu Sans Condensed", "Liberation Sans", "DejaVu Sans"});
    return faces;
}

} // namespace vantrel::layout
