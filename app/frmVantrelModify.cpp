// The Modify command of the main window: the selected aircraft are rewritten one by one, then the
// list of the current mode is built again.
#include "app/frmVantrel.h"

#include "dialogs/frmAdvanced.h"
#include "engine/AppError.h"
#include "engine/Rewriter.h"
#include "platform/MessageBox.h"
#include "platform/PathText.h"
#include "platform/SystemSeams.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace vantrel {

void frmVantrel::cmdYes_Click()
{
    BusyPointer::setBusy(this, true);
    AddFF();
    BusyPointer::setBusy(this, false);
    cmdYes->hide();
    cmdNo->hide();
    cmdAll->hide();
    Beep::sound();
}

void frmVantrel::AddFF()
{
    // The boxes and the simulator are read anew for every [autopilot] header written.
    engine::InsertChoice choice;
    choice.bank = [this] { return advancedDialog()->bankValue() == 1; };
    choice.pitch = [this] { return advancedDialog()->pitchValue() == 1; };
    choice.simulator = [this] { return MyFile.toLower().toStdString(); };

    const int last = List1->count() - 1;
    x = 0;
    while (x <= last) {
        try {
            if (x < List2->count() && List2->item(x)->isSelected()) {
                const QString folder = List1->item(x)->text();
                CfgFileName = folder + QDir::separator() + QStringLiteral("aircraft.cfg");
                // With neither mode chosen ("Advanced" holds the selection), nothing is touched at all.
                engine::Mode mode = engine::Mode::None;
                if (Option1->isChecked())
                    mode = engine::Mode::Remove;
                else if (Option2->isChecked())
                    mode = engine::Mode::Restore;
                engine::rewriteAircraft(toFileName(folder), mode, choice);
            }
        } catch (const AppError& error) {
            MessageBox::show(QString::fromStdString(error.report()), MessageIcon::Warning,
                             QStringLiteral("Append Error"), this);
            return;
        }
        ++x;
    }
    if (Option1->isChecked())
        LoadListRemove();
    if (Option2->isChecked())
        LoadListRestore();
}

} // namespace vantrel
