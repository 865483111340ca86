#include "ui/qt/AboutDialog.h"

#include "form/frmVantrel.h"
#include "layout/Layout.h"
#include "text/Catalogue.h"
#include "ui/qt/ControlBuilder.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace vantrel::qt {

namespace {

// The dialog was designed in MS Sans Serif; where that is missing, DejaVu Sans is close enough in
// line height that all eight credit lines stay inside their label (Nimbus Sans, the usual stand-in
// for Arial on Linux, is two pixels taller per line and loses the last one). The body text is a quarter
// point smaller than the design's, for the same reason.
QFont designFont(layout::FontRole role)
{
    const layout::Face face = layout::faceOf(role);
    QFont font(QLatin1String(face.family));
    font.setFamilies({QLatin1String(face.family), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(face.bold ? face.points : 8.0);
    font.setBold(face.bold);
    return font;
}

void setLines(QLabel* label, const std::string& text)
{
    // A label breaks lines only at line feeds; the program separates its lines with carriage returns.
    label->setText(QString::fromStdString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent, const form::AboutText& text, const Fire& fire)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint)
{
    setModal(true);
    buildControls(this, layout::kAbout);
    setWindowTitle(QString::fromStdString(text.caption));
    setFont(designFont(layout::kAbout.font));
    auto* title = findChild<QLabel*>(QStringLiteral("lblTitle"));
    title->setFont(designFont(layout::fontOf(layout::kAbout, layout::control(layout::kAbout, "lblTitle"))));
    setLines(title, text.title);
    setLines(findChild<QLabel*>(QStringLiteral("lblVersion")), text.version);
    setLines(findChild<QLabel*>(QStringLiteral("lblDescription")), text.description);

    connectControls(this, layout::kAbout, fire);
    auto* ok = findChild<QPushButton*>(QStringLiteral("cmdOK"));
    // OK is also the cancel button: Escape and the close box reject(), which closes the dialog like OK.
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ok->setFocus();
}

} // namespace vantrel::qt
