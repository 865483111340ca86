#include "AboutDialog.h"

#include "ControlIds.h"
#include "Controls.h"
#include "Dpi.h"
#include "Wide.h"
#include "Window.h"

#include "form/frmVantrel.h"
#include "layout/Layout.h"

namespace vantrel::win32 {

namespace {

class AboutDialog final : private Window
{
public:
    AboutDialog(HWND owner, form::frmVantrel& form);
    ~AboutDialog() override;
    void run();

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onClick(int id) override;
    void layout(UINT dpi) override;
    void paintSeparator(HDC dc);

    HWND owner_;
    HICON icon_ = nullptr;
    bool closed_ = false;
};

AboutDialog::AboutDialog(HWND owner, form::frmVantrel& form) : Window(layout::kAbout), owner_(owner)
{
    form_ = &form;
    // The texts are composed afresh for every opening.
    const form::AboutText texts = form::aboutText();
    create(owner, kAboutClass, toWide(texts.caption), WS_POPUP | WS_CAPTION | WS_SYSMENU,
           WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT);
    setText(control("lblTitle"), toWide(texts.title));
    setText(control("lblVersion"), toWide(texts.version));
    setText(control("lblDescription"), toWideLines(texts.description));
}

AboutDialog::~AboutDialog()
{
    if (icon_)
        DestroyIcon(icon_);
}

void AboutDialog::run()
{
    // Modal from the moment it shows: the main window takes no input while the dialog is on screen.
    runModal(owner_, item(window_, IDOK), closed_);
}

void AboutDialog::layout(UINT dpi)
{
    Window::layout(dpi);
    const int iconSize = toPixels(layout::control(design_, "Picture1").rect.width, dpi);
    HICON icon = programIcon(iconSize);
    SendMessageW(control("Picture1"), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    if (icon_)
        DestroyIcon(icon_);
    icon_ = icon;
}

// The etched separator: a grey line and, one pixel lower, a white one.
void AboutDialog::paintSeparator(HDC dc)
{
    const TwipRect& line = layout::control(design_, "Line1").rect;
    const int left = toPixels(line.left, dpi_);
    const int right = toPixels(line.left + line.width, dpi_);
    const int top = toPixels(line.top, dpi_);
    const int thickness = toPixels(15, dpi_) > 0 ? toPixels(15, dpi_) : 1;
    RECT grey{left, top, right, top + thickness};
    FillRect(dc, &grey, GetSysColorBrush(COLOR_BTNSHADOW));
    RECT white{left, top + thickness, right, top + 2 * thickness};
    FillRect(dc, &white, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
}

bool AboutDialog::onClick(int id)
{
    switch (id) {
    case IDOK:
    case IDCANCEL:
        endModal();
        return true;
    }
    return Window::onClick(id);
}

LRESULT AboutDialog::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window_, &paint);
        paintSeparator(dc);
        EndPaint(window_, &paint);
        return 0;
    }
    }
    return Window::handle(message, wParam, lParam);
}

} // namespace

void showAboutDialog(HWND owner, form::frmVantrel& form)
{
    AboutDialog dialog(owner, form);
    dialog.run();
}

} // namespace vantrel::win32
