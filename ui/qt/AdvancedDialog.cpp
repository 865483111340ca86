#include "ui/qt/AdvancedDialog.h"

#include "layout/Layout.h"
#include "ui/qt/ControlBuilder.h"
#include "ui/qt/FontFit.h"
#include "ui/qt/Pixels.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include <utility>

namespace vantrel::qt {

namespace {
const layout::Window& design = layout::kAdvanced;
}

AdvancedDialog::AdvancedDialog(QWidget* mainWindow, Fire fire)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      fire_(std::move(fire))
{
    setModal(true);
    buildControls(this, design);
    connectControls(this, design, fire_);

    applyFont();
}

// The design font, or a stand-in at a size at which the instruction that start-up puts in the label, and each
// box's caption, fit their controls.
void AdvancedDialog::applyFont()
{
    const QString instruction = QString::fromStdString(text::get(text::Id::AdvancedInstruction));
    const QRect labelRoom = toPixels(layout::control(design, "Label1").rect);
    const int boxRoom = toPixels(layout::control(design, "chkBank").rect).width() - 24; // less the tick box and its gap
    setFont(fittingFont(design.font, [&](const QFont& font) {
        const QFontMetrics metrics(font);
        return wrappedTextFits(font, instruction, labelRoom) && metrics.horizontalAdvance(pitch()->text()) <= boxRoom &&
               metrics.horizontalAdvance(findChild<QGroupBox*>(QStringLiteral("frmAdvanced"))->title()) <=
                   labelRoom.width();
    }));
}

void AdvancedDialog::render(int bank, int pitch, const std::string& label)
{
    const QSignalBlocker bankBlocker(this->bank());
    const QSignalBlocker pitchBlocker(this->pitch());
    this->bank()->setChecked(bank == 1);
    this->pitch()->setChecked(pitch == 1);
    findChild<QLabel*>(QStringLiteral("Label1"))->setText(QString::fromStdString(label));
}

QCheckBox* AdvancedDialog::bank() const
{
    return findChild<QCheckBox*>(QStringLiteral("chkBank"));
}

QCheckBox* AdvancedDialog::pitch() const
{
    return findChild<QCheckBox*>(QStringLiteral("chkPitch"));
}

void AdvancedDialog::requestDone()
{
    if (const form::Wire* wire = form::findWire(design.name, "cmdDone", form::Event::Click))
        fire_(*wire, {});
}

void AdvancedDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    requestDone();
}

void AdvancedDialog::reject()
{
    requestDone();
}

} // namespace vantrel::qt
