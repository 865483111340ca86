#include "ui/qt/AboutDialog.h"

#include "form/frmVantrel.h"
#include "layout/Layout.h"
#include "text/Catalogue.h"
#include "ui/qt/ControlBuilder.h"
#include "ui/qt/FontFit.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace vantrel::qt {

namespace {

// The design face or a stand-in of its line height (layout::standInFaces()). The body text is a quarter point
// smaller than the design's, which keeps the last credit line inside its label in a stand-in too.
QFont designFont(layout::FontRole role)
{
    const layout::Face face = layout::faceOf(role);
    QFont font(QLatin1String(face.family));
    font.setFamilies(standInFamilies(role, layout::FaceFit::LineHeight));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(face.bold ? face.points : 8.0);
    font.setBold(face.bold);
    return font;
}

void setLines(QLabel* label, const std::string& text)
{
    label->setText(withLineFeeds(text));
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
