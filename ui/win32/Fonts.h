#pragma once

#include "Win32.h"

#include "layout/Layout.h"

#include <string>
#include <unordered_map>

namespace vantrel::win32 {

// The face that draws `role` at `dpi` (layout::windowsFace()).
std::wstring faceAt(layout::FontRole role, UINT dpi);

// Names in any script: a text whose characters the window's font lacks (a bitmap face has no Japanese,
// for one) is drawn in the first installed face of the same height that has them all, as Windows' font
// linking does for the faces it knows; East Asian text no smaller than it needs (layout::minimumPixelHeight()).
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
