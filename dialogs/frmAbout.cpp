#include "dialogs/frmAbout.h"

#include "platform/Twips.h"
#include "platform/MessageBox.h"
#include "platform/ProgramIcon.h"
#include "os/NativeSysInfoPlatform.h"
#include "os/SysInfo.h"

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStringList>

namespace vantrel {

namespace geo = layout::about;

namespace {

SysInfoPlatform* g_platformForTests = nullptr;

// The dialog was designed in MS Sans Serif; where that is missing, DejaVu Sans is close enough in
// line height that all eight credit lines stay inside their label (Nimbus Sans, the usual stand-in
// for Arial on Linux, is two pixels taller per line and loses the last one).
QFont designFont(qreal pointSize, bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QLabel* makeLabel(QWidget* parent, const char* name, const TwipRect& rect)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(toPixels(rect));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowIcon(programIcon());
    setModal(true);
    setFixedSize(toPixels(geo::kClientWidth, geo::kClientHeight));
    setFont(designFont(8.0, false));

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Picture1"));
    m_picture->setGeometry(toPixels(geo::Picture1));
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setPixmap(programIconPixmap(m_picture->width()));

    m_title = makeLabel(this, "lblTitle", geo::lblTitle);
    m_title->setFont(designFont(9.75, true));

    m_version = makeLabel(this, "lblVersion", geo::lblVersion);

    m_descriptionLabel = makeLabel(this, "lblDescription", geo::lblDescription);
    QPalette black = m_descriptionLabel->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    m_descriptionLabel->setPalette(black);

    // A sunken horizontal line is the etched separator: grey on top, white one pixel below.
    m_line = new QFrame(this);
    m_line->setObjectName(QStringLiteral("Line1"));
    m_line->setFrameShape(QFrame::HLine);
    m_line->setFrameShadow(QFrame::Sunken);
    m_line->setLineWidth(1);
    m_line->setMidLineWidth(0);
    m_line->setGeometry(twips(geo::kLineLeft), twips(geo::kLineTop), twips(geo::kLineRight - geo::kLineLeft), 2);
    QPalette etched = m_line->palette();
    etched.setColor(QPalette::Dark, QColor(128, 128, 128));
    etched.setColor(QPalette::Light, Qt::white);
    m_line->setPalette(etched);

    m_sysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    m_sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    m_sysInfo->setGeometry(toPixels(geo::cmdSysInfo));
    connect(m_sysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setGeometry(toPixels(geo::cmdOK));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    setTabOrder(m_ok, m_sysInfo);
    m_ok->setFocus();

    Form_Load();
}

void frmAbout::Form_Load()
{
    const QString title = applicationTitle();
    setWindowTitle(QStringLiteral("About ") + title);
    m_version->setText(QStringLiteral("Version %1.%2.%3")
                           .arg(VANTREL_VERSION_MAJOR)
                           .arg(VANTREL_VERSION_MINOR)
                           .arg(VANTREL_VERSION_REVISION));
    m_title->setText(title);

    const QStringList lines = {
        QStringLiteral("Vantrel"),
        QStringLiteral("Autopilot wing leveler switch"),
        QStringLiteral("for FS2004 and FS2000"),
        QString(),
        QStringLiteral("Made by the Vantrel team"),
        QString(),
        QStringLiteral("Free software for flight simulator pilots"),
        QStringLiteral("Thanks to every tester"),
    };
    m_description = lines.join(QLatin1Char('\r'));
    // A label breaks lines only at line feeds.
    QString shown = m_description;
    m_descriptionLabel->setText(shown.replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

QString frmAbout::description() const
{
    return m_description;
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::reject()
{
    cmdOK_Click();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    SysInfoPlatform& platform = g_platformForTests ? *g_platformForTests : NativeSysInfoPlatform::instance();
    if (!startSysInfo(platform))
        MessageBox::show(QStringLiteral("System Information Is Unavailable At This Time"), MessageIcon::None,
                         applicationTitle(), this);
}

void frmAbout::setPlatformForTests(SysInfoPlatform* platform)
{
    g_platformForTests = platform;
}

QString frmAbout::applicationTitle()
{
    // Without a name of its own an application is named after its executable file; that is no title.
    const QString name = QCoreApplication::applicationName();
    if (name.isEmpty() || name == QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName())
        return QStringLiteral("Vantrel");
    return QGuiApplication::applicationDisplayName();
}

} // namespace vantrel
