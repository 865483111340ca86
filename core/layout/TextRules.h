#pragma once

#include "layout/Layout.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// How the windows draw the program's texts: where their lines break, how large East Asian text must be, and in
// which faces the design's font roles are drawn. Each window applies these with its toolkit.
namespace vantrel::layout {

// The program's texts break their lines with a carriage return alone (a report and the step under way, the About
// credits); CR LF and a lone LF are taken as one break each too. `text` with every line break written as
// `lineBreak`: "\n" for Qt, which breaks lines only at line feeds; "\r\n" for Windows' text drawing.
std::string withLineBreaks(std::string_view text, std::string_view lineBreak);

// Ideographs (and the other scripts of East Asia, from U+2E80 on) are illegible below about 12 pixels, and the
// design's Latin text is 9 pixels high at 96 DPI.
constexpr int kEastAsianMinimumPixels = 12;

// The smallest height in pixels at which `text` (UTF-16) may be drawn: kEastAsianMinimumPixels when it holds an
// East Asian character, otherwise 0 (any height).
int minimumPixelHeight(std::u16string_view text);

// The DPI at which the design was drawn, in the design faces.
constexpr int kDesignDpi = 96;

// Whether the toolkit has the face called `family`.
using FaceInstalled = std::function<bool(const std::string& family)>;

// The face in which the Windows program draws `role` at `dpi`. The design faces ("Small Fonts", "MS Sans Serif")
// are bitmap faces: at the design's DPI they keep the look the window was made with; above it they would keep
// their few pixel sizes and stay small inside controls that grow with the DPI, so the first installed scalable
// face of the same kind takes their place (Tahoma, which every Windows since XP has, when none is found).
std::string windowsFace(FontRole role, int dpi, const FaceInstalled& installed);

// Where the design faces are missing (the Qt window on Linux), the faces that may draw `role`, best first: the
// design face, then stand-ins. The main window and the Advanced dialog shrink their font until every caption
// fits, so their stand-ins are of the design face's width ("Small Fonts" is narrow); the About dialog keeps its
// size, so its stand-ins have the design face's line height, which keeps all the credit lines inside their label
// (Nimbus Sans, Linux's usual stand-in for Arial, is two pixels taller per line and loses the last one).
enum class FaceFit { Width, LineHeight };
std::vector<std::string> standInFaces(FontRole role, FaceFit fit);

} // namespace vantrel::layout
