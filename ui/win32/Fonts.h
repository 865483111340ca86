#pragma once

#include "Win32.h"

#include <string>
#include <unordered_map>

namespace vantrel::win32 {

// The face that draws `designFace` at `dpi`: the design's own bitmap face ("Small Fonts", "MS Sans Serif")
// at 96 DPI, where its look was made; above that a scalable face of the same kind, because a bitmap face
// keeps its few pixel sizes and would stay small inside controls that grow with the DPI.
const wchar_t* faceAt(const wchar_t* designFace, UINT dpi);

// Names in any script: a text whose characters the window's font lacks (a bitmap face has no Japanese,
// for one) is drawn in the first installed face of the same height that has them all, as Windows' font
// linking does for the faces it knows; East Asian text no smaller than 12 pixels.
class GlyphFallback
{
public:
    GlyphFallback() = default;
    ~GlyphFallback();
    GlyphFallback(const GlyphFallback&) = delete;
    GlyphFallback& operator=(const GlyphFallback&) = delete;

    // The font to draw `text` with in `dc`: `primary` when it has every character, else a fallback face.
    HFONT fontFor(HDC dc, HFONT primary, const std::wstring& text);
    // Forgets the fonts made so far (the DPI and so the primary fonts changed).
    void reset();

private:
    HFONT fallback(HFONT primary, const std::wstring& face, int minimumHeight);

    std::unordered_map<std::wstring, HFONT> fonts_;  // primary handle + face -> font of that face
    std::unordered_map<std::wstring, HFONT> chosen_; // primary handle + text -> the font that draws it
};

} // namespace vantrel::win32
