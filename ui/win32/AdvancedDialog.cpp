#include "AdvancedDialog.h"

#include "ControlIds.h"
#include "Controls.h"
#include "Dpi.h"
#include "Wide.h"

#include "form/frmVantrel.h"
#include "layout/Layout.h"
#include "text/Catalogue.h"

namespace vantrel::win32 {

AdvancedDialog::AdvancedDialog() : Window(layout::kAdvanced), label_(toWide(text::get(text::Id::AdvancedLabel1))) {}

void AdvancedDialog::render(const form::WindowState& state)
{
    chkBank_ = state.chkBank;
    chkPitch_ = state.chkPitch;
    label_ = toWide(state.advancedLabel);
    apply();
}

void AdvancedDialog::apply()
{
    if (!window_)
        return;
    setChecked(item(window_, ID_chkBank), chkBank_ == 1);
    setChecked(item(window_, ID_chkPitch), chkPitch_ == 1);
    setText(item(window_, ID_AdvancedLabel1), label_);
}

void AdvancedDialog::showModal(HWND owner)
{
    // A fixed single border, no minimise or maximise button; the close box counts as "Done".
    if (!window_)
        create(owner, kAdvancedClass, toWide(text::get(design_.title)), WS_POPUP | WS_CAPTION | WS_SYSMENU,
               WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT);
    apply();
    runModal(owner, item(window_, ID_chkBank), hidden_);
}

void AdvancedDialog::hide()
{
    if (window_)
        endModal();
}

// The boxes tick themselves; the program keeps their values.
bool AdvancedDialog::onClick(int id)
{
    // Enter, Escape and the close box count as "Done".
    if (id == IDOK || id == IDCANCEL)
        return fire(ID_cmdDone, form::Event::Click);
    return Window::onClick(id);
}

} // namespace vantrel::win32
