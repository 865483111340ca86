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

namespace vantrel::qt {

namespace {
const layout::Window& design = layout::kAdvanced;
}

AdvancedDialog::AdvancedDialog(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setModal(true);
    buildControls(this, design);
    connect(bank(), &QCheckBox::clicked, this, [this](bool ticked) { emit bankSet(ticked ? 1 : 0); });
    connect(pitch(), &QCheckBox::clicked, this, [this](bool ticked) { emit pitchSet(ticked ? 1 : 0); });
    connect(findChild<QPushButton*>(QStringLiteral("cmdDone")), &QPushButton::clicked, this,
            &AdvancedDialog::doneRequested);

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

void AdvancedDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit doneRequested();
}

void AdvancedDialog::reject()
{
    emit doneRequested();
}

} // namespace vantrel::qt
