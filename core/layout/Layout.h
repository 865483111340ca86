#pragma once

#include "text/Catalogue.h"

#include <cstddef>

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

// The three windows as data: one row per control of the design, in the design's order. Each window builds its
// controls by one loop over its table, and the tests read the same table.
namespace vantrel::layout {

enum class Kind {
    Frame,
    OptionButton,
    CheckBox,
    CommandButton,
    Label,
    ListBox,
    DriveList,
    FolderList,
    FileList,
    Picture,
    Line
};

// Which controls lie over which, where their rectangles overlap (the upper one is drawn and takes the click):
// frames lie under everything, the design's labels under every other control, and within a layer a later row
// lies over an earlier one ("Restore" over the right end of "Remove", the selection list over its title).
enum class Layer { Frame, Label, Control };

enum class Presence {
    Shown,
    Hidden, // not visible at creation
    Never,  // a work control of the design (a hidden list, a file list) that no window draws
};

enum class FontRole {
    Inherit,   // the window's font
    Small,     // "Small Fonts" 6.75 pt
    SansSerif, // "MS Sans Serif" 8.25 pt
    Title,     // "MS Sans Serif" 9.75 pt, bold
};

struct Face
{
    const char* family;
    double points;
    bool bold;
};

constexpr Face faceOf(FontRole role)
{
    switch (role) {
    case FontRole::Small:
        return {"Small Fonts", 6.75, false};
    case FontRole::Title:
        return {"MS Sans Serif", 9.75, true};
    default:
        return {"MS Sans Serif", 8.25, false};
    }
}

enum class Colours {
    Standard,   // the system's colours
    BlackGreen, // green text on black
    Blue,       // blue text (0, 0, 255)
    DarkBlue,   // dark blue text (0, 0, 192)
    Black,      // black text
};

struct Rgb
{
    int red;
    int green;
    int blue;
};

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kDarkBlue{0, 0, 192};

// The text colour of a control with `colours` other than Standard.
constexpr Rgb textColour(Colours colours)
{
    switch (colours) {
    case Colours::BlackGreen:
        return kGreen;
    case Colours::Blue:
        return kBlue;
    case Colours::DarkBlue:
        return kDarkBlue;
    default:
        return kBlack;
    }
}

// Appearance beyond the kind.
enum Style : unsigned {
    kPlain = 0,
    kCentred = 1,  // text centred
    kWrapped = 2,  // text broken into lines at word boundaries
    kDefault = 4,  // the button that Enter presses
    kCancel = 8,   // the button that Escape presses
    kLink = 16,    // a label that acts as a link when clicked
    kMultiple = 32 // a list whose entries are selected independently, each click toggling one
};

struct Control
{
    const char* name; // the design name; Qt's object name, the Windows window test's key
    Kind kind;
    const char* parent; // the frame that holds it, nullptr for the window's client area
    text::Id caption;
    TwipRect rect; // relative to the parent
    int tab;       // position in the keyboard (Tab) order, 0 for none; hidden and disabled ones are skipped
    Layer layer;
    Presence presence;
    bool enabled;
    FontRole font;
    Colours colours;
    unsigned style;
};

struct Window
{
    const char* name;
    text::Id title;   // None: composed when the window opens
    int clientWidth;  // twips
    int clientHeight; // twips
    FontRole font;    // the font of every control without one of its own
    bool sizable;     // a resizable border (no maximise button), otherwise a fixed dialog border
    const Control* controls;
    std::size_t count;

    constexpr const Control* begin() const { return controls; }
    constexpr const Control* end() const { return controls + count; }
};

using text::Id;
constexpr bool On = true;

// clang-format off
inline constexpr Control kMainControls[] = {
    // name             kind                 parent            caption             left, top, width, height   tab layer           presence           enabled font                 colours              style
    {"frmLeveler",     Kind::Frame,         nullptr,          Id::frmLeveler,     {180, 240, 2955, 495},     0,  Layer::Frame,   Presence::Shown,   On,  FontRole::Inherit,   Colours::Standard,   kPlain},
    {"Option1",        Kind::OptionButton,  "frmLeveler",     Id::Option1,        {120, 180, 1095, 255},     10, Layer::Control, Presence::Shown,   On,  FontRole::Inherit,   Colours::Standard,   kPlain},
    {"Option2",        Kind::OptionButton,  "frmLeveler",     Id::Option2,        {960, 180, 855, 255},      11, Layer::Control, Presence::Shown,   On,  FontRole::Inherit,   Colours::Standard,   kPlain},
    {"Option3",        Kind::OptionButton,  "frmLeveler",     Id::Option3,        {1800, 180, 975, 255},     12, Layer::Control, Presence::Shown,   !On, FontRole::Inherit,   Colours::Standard,   kPlain},
    {"List2",          Kind::ListBox,       nullptr,          Id::None,           {360, 3120, 2595, 1035},   8,  Layer::Control, Presence::Hidden,  On,  FontRole::Inherit,   Colours::BlackGreen, kMultiple},
    {"List1",          Kind::ListBox,       nullptr,          Id::None,           {1860, 840, 615, 255},     7,  Layer::Control, Presence::Never,   On,  FontRole::Inherit,   Colours::Standard,   kPlain},
    {"frmDriveDialog", Kind::Frame,         nullptr,          Id::frmDriveDialog, {180, 840, 2955, 3915},    0,  Layer::Frame,   Presence::Shown,   On,  FontRole::Inherit,   Colours::Standard,   kPlain},
    {"Drive1",         Kind::DriveList,     "frmDriveDialog", Id::None,           {180, 240, 2625, 285},     3,  Layer::Control, Presence::Shown,   On,  FontRole::Inherit,   Colours::BlackGreen, kPlain},
    {"Label2",         Kind::Label,         "frmDriveDialog", Id::None,           {180, 600, 2535, 195},     0,  Layer::Label,   Presence::Shown,   On,  FontRole::Inherit,   Colours::Standard,   kPlain},
    {"Dir1",           Kind::FolderList,    "frmDriveDialog", Id::None,           {180, 780, 2625, 1260},    2,  Layer::Control, Presence::Shown,   On,  FontRole::Inherit,   Colours::BlackGreen, kPlain},
    {"Label3",         Kind::Label,         "frmDriveDialog", Id::None,           {180, 2100, 2535, 255},    0,  Layer::Label,   Presence::Hidden,  On,  FontRole::Inherit,   Colours::Standard,   kPlain},
    {"Label1",         Kind::Label,         "frmDriveDialog", Id::Label1,         {180, 2640, 2475, 435},    0,  Layer::Label,   Presence::Shown,   On,  FontRole::SansSerif, Colours::Blue,       kCentred | kWrapped},
    {"File1",          Kind::FileList,      "frmDriveDialog", Id::None,           {1380, 120, 405, 255},     1,  Layer::Control, Presence::Never,   On,  FontRole::Inherit,   Colours::BlackGreen, kPlain},
    {"cmdYes",         Kind::CommandButton, "frmDriveDialog", Id::cmdYes,         {180, 3420, 900, 315},     4,  Layer::Control, Presence::Hidden,  On,  FontRole::Inherit,   Colours::Standard,   kPlain},
    {"cmdAll",         Kind::CommandButton, "frmDriveDialog", Id::cmdAll,         {1140, 3420, 500, 315},    9,  Layer::Control, Presence::Hidden,  On,  FontRole::Inherit,   Colours::Standard,   kPlain},
    {"cmdNo",          Kind::CommandButton, "frmDriveDialog", Id::cmdNo,          {1680, 3420, 500, 315},    5,  Layer::Control, Presence::Hidden,  On,  FontRole::Inherit,   Colours::Standard,   kPlain},
    {"cmdQuit",        Kind::CommandButton, "frmDriveDialog", Id::cmdQuit,        {2220, 3420, 500, 315},    6,  Layer::Control, Presence::Shown,   On,  FontRole::Inherit,   Colours::Standard,   kPlain},
    // The "About" link: a Tab stop (after the design's last) where the toolkit lets a label take the focus.
    {"Label4",         Kind::Label,         nullptr,          Id::Label4,         {2700, 60, 435, 255},      13, Layer::Label,   Presence::Shown,   On,  FontRole::Inherit,   Colours::DarkBlue,   kLink},
};

inline constexpr Control kAdvancedControls[] = {
    {"frmAdvanced",    Kind::Frame,         nullptr,          Id::frmAdvanced,    {240, 240, 2835, 1815},    0,  Layer::Frame,   Presence::Shown,   On,  FontRole::Inherit,   Colours::Standard,   kPlain},
    {"Label1",         Kind::Label,         "frmAdvanced",    Id::AdvancedLabel1, {240, 300, 2355, 615},     0,  Layer::Label,   Presence::Shown,   On,  FontRole::Inherit,   Colours::Standard,   kWrapped},
    {"chkBank",        Kind::CheckBox,      "frmAdvanced",    Id::chkBank,        {240, 1080, 2235, 315},    1,  Layer::Control, Presence::Shown,   On,  FontRole::Inherit,   Colours::Standard,   kPlain},
    {"chkPitch",       Kind::CheckBox,      "frmAdvanced",    Id::chkPitch,       {240, 1380, 2235, 315},    2,  Layer::Control, Presence::Shown,   On,  FontRole::Inherit,   Colours::Standard,   kPlain},
    {"cmdDone",        Kind::CommandButton, nullptr,          Id::cmdDone,        {1200, 2280, 915, 315},    3,  Layer::Control, Presence::Shown,   On,  FontRole::Inherit,   Colours::Standard,   kDefault},
};

inline constexpr Control kAboutControls[] = {
    {"Picture1",       Kind::Picture,       nullptr,          Id::None,           {300, 420, 480, 480},      0,  Layer::Control, Presence::Shown,   On,  FontRole::Inherit,   Colours::Standard,   kPlain},
    {"lblTitle",       Kind::Label,         nullptr,          Id::None,           {780, 180, 2595, 480},     0,  Layer::Label,   Presence::Shown,   On,  FontRole::Title,     Colours::Standard,   kCentred},
    {"lblVersion",     Kind::Label,         nullptr,          Id::None,           {780, 780, 2565, 225},     0,  Layer::Label,   Presence::Shown,   On,  FontRole::Inherit,   Colours::Standard,   kCentred},
    {"lblDescription", Kind::Label,         nullptr,          Id::None,           {240, 1080, 3555, 1575},   0,  Layer::Label,   Presence::Shown,   On,  FontRole::Inherit,   Colours::Black,      kCentred},
    // The etched separator: a grey line from (120, 2820) to (3855, 2820) and a white one a pixel lower.
    {"Line1",          Kind::Line,          nullptr,          Id::None,           {120, 2820, 3735, 30},     0,  Layer::Label,   Presence::Shown,   On,  FontRole::Inherit,   Colours::Standard,   kPlain},
    {"cmdSysInfo",     Kind::CommandButton, nullptr,          Id::cmdSysInfo,     {540, 2985, 1245, 345},    2,  Layer::Control, Presence::Shown,   On,  FontRole::Inherit,   Colours::Standard,   kPlain},
    {"cmdOK",          Kind::CommandButton, nullptr,          Id::cmdOK,          {2310, 2985, 1260, 345},   1,  Layer::Control, Presence::Shown,   On,  FontRole::Inherit,   Colours::Standard,   kDefault | kCancel},
};
// clang-format on

inline constexpr Window kMain{"frmVantrel",    Id::MainTitle, 3345,          4980,
                              FontRole::Small, true,          kMainControls, std::size(kMainControls)};
inline constexpr Window kAdvanced{
    "frmAdvanced",     Id::AdvancedTitle,           3345, 2745, FontRole::SansSerif, false,
    kAdvancedControls, std::size(kAdvancedControls)};
inline constexpr Window kAbout{"frmAbout",          Id::None, 4065,           3540,
                               FontRole::SansSerif, false,    kAboutControls, std::size(kAboutControls)};

constexpr bool sameName(const char* a, const char* b)
{
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// The row of the control called `name`; a name the window lacks does not compile where a constant is needed.
constexpr const Control& control(const Window& window, const char* name)
{
    for (const Control& row : window)
        if (sameName(row.name, name))
            return row;
    throw "no such control";
}

// The font a control is drawn in.
constexpr FontRole fontOf(const Window& window, const Control& row)
{
    return row.font == FontRole::Inherit ? window.font : row.font;
}

// Rows that a window draws: the work controls of the design (Presence::Never) and the separator line, which a
// window paints, are no controls of their own.
constexpr bool isCreated(const Control& row)
{
    return row.presence != Presence::Never && row.kind != Kind::Line;
}

} // namespace vantrel::layout
