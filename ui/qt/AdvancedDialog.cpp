#include "ui/qt/AdvancedDialog.h"

#include "layout/Layout.h"
#include "ui/qt/FontFit.h"
#include "ui/qt/Pixels.h"
#include "ui/qt/ProgramIcon.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace vantrel::qt {

namespace geo = layout::advanced;

AdvancedDialog::AdvancedDialog(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmAdvanced"));
    setWindowTitle(QStringLiteral("Advanced Options"));
    setWindowIcon(programIcon());
    setModal(true);
    setFixedSize(toPixels(geo::kClientWidth, geo::kClientHeight));

    frame_ = new QGroupBox(QStringLiteral("Advanced Options:"), this);
    frame_->setObjectName(QStringLiteral("frmAdvancedFrame"));
    frame_->setGeometry(toPixels(geo::frmAdvanced));

    label_ = new QLabel(frame_);
    label_->setObjectName(QStringLiteral("Label1"));
    label_->setGeometry(toPixels(geo::Label1));
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    bank_ = new QCheckBox(QStringLiteral("Remove Default Bank"), frame_);
    bank_->setObjectName(QStringLiteral("chkBank"));
    bank_->setGeometry(toPixels(geo::chkBank));

    pitch_ = new QCheckBox(QStringLiteral("Remove Default Pitch"), frame_);
    pitch_->setObjectName(QStringLiteral("chkPitch"));
    pitch_->setGeometry(toPixels(geo::chkPitch));

    done_ = new QPushButton(QStringLiteral("Done"), this);
    done_->setObjectName(QStringLiteral("cmdDone"));
    done_->setGeometry(toPixels(geo::cmdDone));
    done_->setDefault(true);

    connect(bank_, &QCheckBox::clicked, this, [this](bool ticked) { emit bankSet(ticked ? 1 : 0); });
    connect(pitch_, &QCheckBox::clicked, this, [this](bool ticked) { emit pitchSet(ticked ? 1 : 0); });
    connect(done_, &QPushButton::clicked, this, &AdvancedDialog::doneRequested);

    applyFont();
}

// "MS Sans Serif" 8.25 pt, or a stand-in at a size at which the instruction that start-up puts in the
// label, and each box's caption, fit their controls.
void AdvancedDialog::applyFont()
{
    const QString instruction =
        QStringLiteral("Please select the default(s) you wish removed from Flight Simulator's Auto Pilot.");
    const QRect labelRoom = toPixels(geo::Label1);
    const int boxRoom = toPixels(geo::chkBank).width() - 24; // less the tick box and its gap
    setFont(fittingFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                         QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans"),
                         QStringLiteral("DejaVu Sans")},
                        8.25, [&](const QFont& font) {
                            const QFontMetrics metrics(font);
                            return wrappedTextFits(font, instruction, labelRoom) &&
                                   metrics.horizontalAdvance(pitch_->text()) <= boxRoom &&
                                   metrics.horizontalAdvance(frame_->title()) <= labelRoom.width();
                        }));
}

void AdvancedDialog::render(int bank, int pitch, const std::string& label)
{
    const QSignalBlocker bankBlocker(bank_);
    const QSignalBlocker pitchBlocker(pitch_);
    bank_->setChecked(bank == 1);
    pitch_->setChecked(pitch == 1);
    label_->setText(QString::fromStdString(label));
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
