#pragma once


namespace vantrel {

// Window geometry is designed in twips (1/1440 inch): 15 twips make one pixel at 96 dots per inch.
constexpr int kTwipsPerPixel = 15;

// Twips to pixels at 96 dots per inch, rounded to the nearest pixel.
constexpr int twips(int value)
{
    return (value + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

struct TwipRect
{
    int left;
    int top;
    int width;
    int height;
};

} // namespace vantrel

// Every window's design geometry, in twips, in one place. Positions are relative to the
// control's container (the window's client area or the frame named beside it).
namespace vantrel::layout {

namespace main {
constexpr int kClientWidth = 3345;
constexpr int kClientHeight = 4980;

constexpr TwipRect frmLeveler{180, 240, 2955, 495};
constexpr TwipRect Option1{120, 180, 1095, 255}; // in frmLeveler
constexpr TwipRect Option2{960, 180, 855, 255};  // in frmLeveler
constexpr TwipRect Option3{1800, 180, 975, 255}; // in frmLeveler
constexpr TwipRect List2{360, 3120, 2595, 1035};
constexpr TwipRect List1{1860, 840, 615, 255};
constexpr TwipRect frmDriveDialog{180, 840, 2955, 3915};
constexpr TwipRect Drive1{180, 240, 2625, 285};   // in frmDriveDialog
constexpr TwipRect Label2{180, 600, 2535, 195};   // in frmDriveDialog
constexpr TwipRect Dir1{180, 780, 2625, 1260};    // in frmDriveDialog
constexpr TwipRect Label3{180, 2100, 2535, 255};  // in frmDriveDialog
constexpr TwipRect Label1{180, 2640, 2475, 435};  // in frmDriveDialog
constexpr TwipRect File1{1380, 120, 405, 255};    // in frmDriveDialog
constexpr TwipRect cmdYes{180, 3420, 900, 315};   // in frmDriveDialog
constexpr TwipRect cmdAll{1140, 3420, 500, 315};  // in frmDriveDialog
constexpr TwipRect cmdNo{1680, 3420, 500, 315};   // in frmDriveDialog
constexpr TwipRect cmdQuit{2220, 3420, 500, 315}; // in frmDriveDialog
constexpr TwipRect Label4{2700, 60, 435, 255};
} // namespace main

namespace advanced {
constexpr int kClientWidth = 3345;
constexpr int kClientHeight = 2745;

constexpr TwipRect frmAdvanced{240, 240, 2835, 1815};
constexpr TwipRect Label1{240, 300, 2355, 615};    // in frmAdvanced
constexpr TwipRect chkBank{240, 1080, 2235, 315};  // in frmAdvanced
constexpr TwipRect chkPitch{240, 1380, 2235, 315}; // in frmAdvanced
constexpr TwipRect cmdDone{1200, 2280, 915, 315};
} // namespace advanced

namespace about {
constexpr int kClientWidth = 4065;
constexpr int kClientHeight = 3540;

constexpr TwipRect Picture1{300, 420, 480, 480};
constexpr TwipRect lblTitle{780, 180, 2595, 480};
constexpr TwipRect lblVersion{780, 780, 2565, 225};
constexpr TwipRect lblDescription{240, 1080, 3555, 1575};
constexpr TwipRect cmdSysInfo{540, 2985, 1245, 345};
constexpr TwipRect cmdOK{2310, 2985, 1260, 345};
// The etched separator: a grey line and, one pixel lower, a white one.
constexpr int kLineLeft = 120;
constexpr int kLineRight = 3855;
constexpr int kLineTop = 2820;
} // namespace about

} // namespace vantrel::layout
