#include "ui/qt/AboutDialog.h"

#include "form/frmVantrel.h"
#include "layout/Layout.h"
#include "ui/qt/Pixels.h"
#include "ui/qt/ProgramIcon.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace vantrel::qt {

namespace geo = layout::about;

namespace {

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

QLabel* makeLabel(QWidget* parent, const char* name, const TwipRect& rect, const std::string& text)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(toPixels(rect));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    // A label breaks lines only at line feeds; the program separates its lines with carriage returns.
    label->setText(QString::fromStdString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const TwipRect& rect, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(toPixels(rect));
    return button;
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent, const form::AboutText& text)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QString::fromStdString(text.caption));
    setWindowIcon(programIcon());
    setModal(true);
    setFixedSize(toPixels(geo::kClientWidth, geo::kClientHeight));
    setFont(designFont(8.0, false));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setGeometry(toPixels(geo::Picture1));
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(programIconPixmap(picture->width()));

    makeLabel(this, "lblTitle", geo::lblTitle, text.title)->setFont(designFont(9.75, true));
    makeLabel(this, "lblVersion", geo::lblVersion, text.version);
    QLabel* description = makeLabel(this, "lblDescription", geo::lblDescription, text.description);
    QPalette black = description->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    description->setPalette(black);

    // A sunken horizontal line is the etched separator: grey on top, white one pixel below.
    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setLineWidth(1);
    line->setMidLineWidth(0);
    line->setGeometry(twips(geo::kLineLeft), twips(geo::kLineTop), twips(geo::kLineRight - geo::kLineLeft), 2);
    QPalette etched = line->palette();
    etched.setColor(QPalette::Dark, QColor(128, 128, 128));
    etched.setColor(QPalette::Light, Qt::white);
    line->setPalette(etched);

    QPushButton* sysInfo = makeButton(this, "cmdSysInfo", geo::cmdSysInfo, QStringLiteral("&System Info..."));
    QPushButton* ok = makeButton(this, "cmdOK", geo::cmdOK, QStringLiteral("OK"));
    ok->setDefault(true);
    connect(sysInfo, &QPushButton::clicked, this, &AboutDialog::sysInfoRequested);
    // OK is also the cancel button: Escape and the close box reject(), which closes the dialog like OK.
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(ok, sysInfo);
    ok->setFocus();
}

} // namespace vantrel::qt
