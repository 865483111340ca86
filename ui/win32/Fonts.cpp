#include "Fonts.h"

#include "Wide.h"
#include "layout/TextRules.h"

#include <algorithm>
#include <array>
#include <vector>

namespace vantrel::win32 {

namespace {

// Faces that Windows or Wine bring for many scripts, tried first; then every other scalable face installed.
constexpr std::array kPreferred = {L"Microsoft Sans Serif",
                                   L"Tahoma",
                                   L"Segoe UI",
                                   L"Arial Unicode MS",
                                   L"MS UI Gothic",
                                   L"Meiryo UI",
                                   L"Yu Gothic UI",
                                   L"Microsoft YaHei UI",
                                   L"Malgun Gothic",
                                   L"SimSun",
                                   L"Nirmala UI",
                                   L"DejaVu Sans",
                                   L"VL Gothic",
                                   L"Noto Sans CJK JP",
                                   L"Droid Sans Fallback"};

int CALLBACK collectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM faces)
{
    auto& list = *reinterpret_cast<std::vector<std::wstring>*>(faces);
    // Vertical faces ("@...") and bitmap faces are no help for other scripts.
    if ((type & RASTER_FONTTYPE) == 0 && font->lfFaceName[0] != L'@' &&
        std::find(list.begin(), list.end(), font->lfFaceName) == list.end())
        list.emplace_back(font->lfFaceName);
    return 1;
}

std::vector<std::wstring> installedFaces()
{
    std::vector<std::wstring> faces;
    HDC dc = GetDC(nullptr);
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &query, &collectFace, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(nullptr, dc);
    return faces;
}

const std::vector<std::wstring>& candidateFaces()
{
    static const std::vector<std::wstring> candidates = [] {
        const std::vector<std::wstring> installed = installedFaces();
        std::vector<std::wstring> ordered;
        for (const wchar_t* face : kPreferred)
            if (std::find(installed.begin(), installed.end(), face) != installed.end())
                ordered.emplace_back(face);
        for (const std::wstring& face : installed)
            if (std::find(ordered.begin(), ordered.end(), face) == ordered.end())
                ordered.push_back(face);
        return ordered;
    }();
    return candidates;
}

// How many characters of `text` the font selected into `dc` cannot draw.
int missingCharacters(HDC dc, const std::wstring& text)
{
    std::vector<WORD> glyphs(text.size());
    if (GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) !=
        GDI_ERROR)
        return static_cast<int>(std::count(glyphs.begin(), glyphs.end(), WORD{0xFFFF}));
    // A bitmap face has no glyph table: it draws the characters of its code page.
    CHARSETINFO charset{};
    const UINT codePage = TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<INT_PTR>(GetTextCharset(dc))),
                                               &charset, TCI_SRCCHARSET)
                              ? charset.ciACP
                              : CP_ACP;
    int missing = 0;
    for (wchar_t character : text) {
        char bytes[4];
        BOOL usedDefault = FALSE;
        WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, &character, 1, bytes, sizeof bytes, nullptr, &usedDefault);
        missing += usedDefault ? 1 : 0;
    }
    return missing;
}

std::wstring key(HFONT font, const std::wstring& text)
{
    return std::to_wstring(reinterpret_cast<UINT_PTR>(font)) + L'\n' + text;
}

} // namespace

std::wstring faceAt(layout::FontRole role, UINT dpi)
{
    static const std::vector<std::wstring> installed = installedFaces();
    return toWide(layout::windowsFace(role, static_cast<int>(dpi), [](const std::string& face) {
        return std::find(installed.begin(), installed.end(), toWide(face)) != installed.end();
    }));
}

GlyphFallback::~GlyphFallback()
{
    reset();
}

void GlyphFallback::reset()
{
    for (const auto& [name, font] : fonts_)
        DeleteObject(font);
    fonts_.clear();
    chosen_.clear();
}

HFONT GlyphFallback::fallback(HFONT primary, const std::wstring& face, int minimumHeight)
{
    HFONT& font = fonts_[key(primary, face + L'\n' + std::to_wstring(minimumHeight))];
    if (!font) {
        LOGFONTW design{};
        GetObjectW(primary, sizeof design, &design);
        design.lfCharSet = DEFAULT_CHARSET;
        if (design.lfHeight < 0 && -design.lfHeight < minimumHeight)
            design.lfHeight = -minimumHeight;
        lstrcpynW(design.lfFaceName, face.c_str(), LF_FACESIZE);
        font = CreateFontIndirectW(&design);
    }
    return font;
}

HFONT GlyphFallback::fontFor(HDC dc, HFONT primary, const std::wstring& text)
{
    const std::wstring textKey = key(primary, text);
    if (const auto known = chosen_.find(textKey); known != chosen_.end())
        return known->second;
    HGDIOBJ old = SelectObject(dc, primary);
    int fewest = missingCharacters(dc, text);
    HFONT best = primary;
    // Windows' wide characters are UTF-16 code units.
    const int minimumHeight = layout::minimumPixelHeight(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
    for (auto face = candidateFaces().begin(); fewest > 0 && face != candidateFaces().end(); ++face) {
        HFONT font = fallback(primary, *face, minimumHeight);
        SelectObject(dc, font);
        const int missing = missingCharacters(dc, text);
        if (missing < fewest) {
            fewest = missing;
            best = font;
        }
    }
    SelectObject(dc, old);
    chosen_[textKey] = best;
    return best;
}

} // namespace vantrel::win32
