#include "dialogs/frmAdvanced.h"

#include "platform/FontFit.h"
#include "platform/Twips.h"
#include "platform/MessageBox.h"
#include "platform/ProgramIcon.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace vantrel {

namespace geo = layout::advanced;

frmAdvanced::frmAdvanced(QWidget* mainWindow, std::function<void()> returnToMode)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_mainWindow(mainWindow), m_returnToMode(std::move(returnToMode))
{
    setObjectName(QStringLiteral("frmAdvanced"));
    setWindowTitle(QStringLiteral("Advanced Options"));
    setWindowIcon(programIcon());
    setModal(true);
    setFixedSize(toPixels(geo::kClientWidth, geo::kClientHeight));

    m_frame = new QGroupBox(QStringLiteral("Advanced Options:"), this);
    m_frame->setObjectName(QStringLiteral("frmAdvancedFrame"));
    m_frame->setGeometry(toPixels(geo::frmAdvanced));

    m_label = new QLabel(QStringLiteral("Label1"), m_frame);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setGeometry(toPixels(geo::Label1));
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_bank = new QCheckBox(QStringLiteral("Remove Default Bank"), m_frame);
    m_bank->setObjectName(QStringLiteral("chkBank"));
    m_bank->setGeometry(toPixels(geo::chkBank));

    m_pitch = new QCheckBox(QStringLiteral("Remove Default Pitch"), m_frame);
    m_pitch->setObjectName(QStringLiteral("chkPitch"));
    m_pitch->setGeometry(toPixels(geo::chkPitch));

    m_done = new QPushButton(QStringLiteral("Done"), this);
    m_done->setObjectName(QStringLiteral("cmdDone"));
    m_done->setGeometry(toPixels(geo::cmdDone));
    m_done->setDefault(true);
    connect(m_done, &QPushButton::clicked, this, &frmAdvanced::cmdDone_Click);

    applyFont();
    Form_Load();
}

// "MS Sans Serif" 8.25 pt, or a stand-in at a size at which the instruction that start-up puts in the
// label, and each box's caption, fit their controls.
void frmAdvanced::applyFont()
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
                                   metrics.horizontalAdvance(m_pitch->text()) <= boxRoom &&
                                   metrics.horizontalAdvance(m_frame->title()) <= labelRoom.width();
                        }));
}

void frmAdvanced::Form_Load()
{
    setBankValue(1);
    setPitchValue(1);
}

int frmAdvanced::bankValue() const
{
    return m_bank->isChecked() ? 1 : 0;
}

int frmAdvanced::pitchValue() const
{
    return m_pitch->isChecked() ? 1 : 0;
}

void frmAdvanced::setBankValue(int value)
{
    m_bank->setChecked(value == 1);
}

void frmAdvanced::setPitchValue(int value)
{
    m_pitch->setChecked(value == 1);
}

void frmAdvanced::setLabelText(const QString& text)
{
    m_label->setText(text);
}

QString frmAdvanced::labelText() const
{
    return m_label->text();
}

void frmAdvanced::cmdDone_Click()
{
    const int pitch = pitchValue();
    const int bank = bankValue();
    if (pitch == 0 && bank == 0) {
        MessageBox::show(QStringLiteral("You must select one or both options"), MessageIcon::Information,
                         QStringLiteral("Options"), this);
        return;
    }
    hide();
    if (m_mainWindow)
        m_mainWindow->repaint();
    if (m_returnToMode)
        m_returnToMode();
}

// The close box and Escape leave the dialog the way Done does, with the same check: the main
// window never stays without a mode, and the choice made in the dialog is kept.
void frmAdvanced::closeEvent(QCloseEvent* event)
{
    event->ignore();
    cmdDone_Click();
}

void frmAdvanced::reject()
{
    cmdDone_Click();
}

} // namespace vantrel
