#include "ui/qt/MainWindow.h"

#include "browse/DriveModel.h"
#include "browse/FolderModel.h"
#include "form/frmVantrel.h"
#include "layout/Layout.h"
#include "ui/qt/AboutDialog.h"
#include "ui/qt/AdvancedDialog.h"
#include "ui/qt/DriveComboBox.h"
#include "ui/qt/FolderListWidget.h"
#include "ui/qt/FontFit.h"
#include "ui/qt/Pixels.h"
#include "ui/qt/ProgramIcon.h"
#include "ui/qt/SelectionList.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSessionManager>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace vantrel::qt {

namespace geo = layout::main;

namespace {

const QString kSelectRequest = QStringLiteral("Please Select  Flight Simulator's Aircraft Directory");

void paintBlackGreen(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::Text, QColor(0, 255, 0));
    palette.setColor(QPalette::WindowText, QColor(0, 255, 0));
    palette.setColor(QPalette::ButtonText, QColor(0, 255, 0));
    palette.setColor(QPalette::Button, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void paintText(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

template <typename Control, typename... Args>
Control* makeControl(QWidget* parent, const char* name, const TwipRect& place, Args&&... args)
{
    auto* control = new Control(std::forward<Args>(args)..., parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(toPixels(place));
    return control;
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmVantrel"));
    setWindowTitle(QStringLiteral("Vantrel"));
    setWindowIcon(programIcon());
    resize(toPixels(geo::kClientWidth, geo::kClientHeight));
    createControls();
    applyFonts();
    connectControls();
    // Logging off or shutting down sends no close event: the end of the desktop session runs Quit all the same,
    // so that the settings are saved.
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { forward(&form::frmVantrel::Form_Unload); });

    // Open centred on the screen.
    if (QScreen* screen = QApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::setPresenter(form::frmVantrel* presenter)
{
    presenter_ = presenter;
}

void MainWindow::createControls()
{
    frmLeveler =
        makeControl<QGroupBox>(this, "frmLeveler", geo::frmLeveler, QStringLiteral(" Autopilot Wing Leveler "));
    Option1 = makeControl<QRadioButton>(frmLeveler, "Option1", geo::Option1, QStringLiteral("Remove"));
    Option2 = makeControl<QRadioButton>(frmLeveler, "Option2", geo::Option2, QStringLiteral("Restore"));
    Option3 = makeControl<QRadioButton>(frmLeveler, "Option3", geo::Option3, QStringLiteral("Advanced"));
    Option1->setChecked(true);
    Option3->setEnabled(false);

    List2 = makeControl<SelectionList>(this, "List2", geo::List2);
    paintBlackGreen(List2);
    List2->hide();

    frmDriveDialog =
        makeControl<QGroupBox>(this, "frmDriveDialog", geo::frmDriveDialog, QStringLiteral(" Aircraft Directory: "));
    Drive1 = makeControl<DriveComboBox>(frmDriveDialog, "Drive1", geo::Drive1);
    paintBlackGreen(Drive1);
    Label2 = makeControl<QLabel>(frmDriveDialog, "Label2", geo::Label2);
    Dir1 = makeControl<FolderListWidget>(frmDriveDialog, "Dir1", geo::Dir1);
    paintBlackGreen(Dir1);
    Label3 = makeControl<QLabel>(frmDriveDialog, "Label3", geo::Label3);
    Label3->hide();

    Label1 = makeControl<QLabel>(frmDriveDialog, "Label1", geo::Label1, kSelectRequest);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setWordWrap(true);
    paintText(Label1, QColor(0, 0, 255));

    cmdYes = makeControl<QPushButton>(frmDriveDialog, "cmdYes", geo::cmdYes, QStringLiteral("Modify"));
    cmdAll = makeControl<QPushButton>(frmDriveDialog, "cmdAll", geo::cmdAll, QStringLiteral("All"));
    cmdNo = makeControl<QPushButton>(frmDriveDialog, "cmdNo", geo::cmdNo, QStringLiteral("Clear"));
    cmdQuit = makeControl<QPushButton>(frmDriveDialog, "cmdQuit", geo::cmdQuit, QStringLiteral("Quit"));
    cmdYes->hide();
    cmdAll->hide();
    cmdNo->hide();

    Label4 = makeControl<QLabel>(this, "Label4", geo::Label4, QStringLiteral("About"));
    Label4->setCursor(Qt::PointingHandCursor);
    paintText(Label4, QColor(0, 0, 192));
    Label4->installEventFilter(this);

    // The selection list lies over the lower part of the "Aircraft Directory" frame: it must be on top
    // of the frame, or the frame would take its clicks.
    List2->raise();
    Label4->raise();

    // Keyboard order of the design: Dir1, Drive1, cmdYes, cmdNo, cmdQuit, List2, cmdAll, Option1, Option2,
    // Option3. Hidden and disabled controls are skipped by the toolkit itself.
    const QList<QWidget*> order{Dir1, Drive1, cmdYes, cmdNo, cmdQuit, List2, cmdAll, Option1, Option2, Option3};
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    Dir1->setFocus();
}

template <typename... Args> void MainWindow::forward(void (form::frmVantrel::*handler)(Args...), Args... args)
{
    if (presenter_ == nullptr)
        return;
    // Bound first: with the parameter pack captured by the lambda itself, AddressSanitizer saw GCC 12's code read
    // out of the stack frame.
    const auto call = std::bind(handler, presenter_, args...);
    presenter_->runEvent([&] {
        call();
        render(presenter_->state());
    });
}

void MainWindow::connectControls()
{
    const QList<QRadioButton*> options{Option1, Option2, Option3};
    for (int i = 0; i < options.size(); ++i) {
        connect(options[i], &QRadioButton::clicked, this,
                [this, option = i + 1] { forward(&form::frmVantrel::chooseOption, option); });
    }
    connect(Drive1, &QComboBox::activated, this,
            [this](int index) { forward(&form::frmVantrel::Drive1_Select, index); });
    connect(Drive1, &DriveComboBox::aboutToDropDown, this, [this] { forward(&form::frmVantrel::Drive1_DropDown); });
    connect(Dir1, &FolderListWidget::entryOpened, this,
            [this](int entry) { forward(&form::frmVantrel::Dir1_Open, entry); });
    connect(List2, &SelectionList::entryToggled, this,
            [this](int entry) { forward(&form::frmVantrel::List2_Toggle, entry); });
    connect(List2, &QListWidget::currentRowChanged, this,
            [this](int entry) { forward(&form::frmVantrel::List2_SetCurrent, entry); });
    connect(cmdYes, &QPushButton::clicked, this, [this] { forward(&form::frmVantrel::cmdYes_Click); });
    connect(cmdAll, &QPushButton::clicked, this, [this] { forward(&form::frmVantrel::cmdAll_Click); });
    connect(cmdNo, &QPushButton::clicked, this, [this] { forward(&form::frmVantrel::cmdNo_Click); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { forward(&form::frmVantrel::cmdQuit_Click); });
}

// The window's design font is "Small Fonts" 6.75 pt, a narrow face of Windows. Elsewhere the nearest
// narrow face stands in, at a size at which the longest caption the window can show fits its label.
void MainWindow::applyFonts()
{
    const QString longest = QStringLiteral("Aircraft with Wing Leveler Disabled: 99999");
    const int room = toPixels(geo::Label3).width();
    setFont(fittingFont({QStringLiteral("Small Fonts"), QStringLiteral("DejaVu Sans Condensed"),
                         QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial Narrow"),
                         QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("DejaVu Sans")},
                        6.75,
                        [&](const QFont& font) { return QFontMetrics(font).horizontalAdvance(longest) <= room; }));

    const QRect labelRoom = toPixels(geo::Label1);
    Label1->setFont(fittingFont(
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
         QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")},
        8.25, [&](const QFont& font) { return wrappedTextFits(font, kSelectRequest, labelRoom); }));
}

// Ideographs (and the other scripts of East Asia, from U+2E80 on) are illegible below about 12 pixels, and the
// window's font is smaller: a list that shows such a name gets text of at least that size.
void MainWindow::fitScripts(QListWidget* list)
{
    QFont font = this->font();
    for (int i = 0; i < list->count(); ++i) {
        const QString text = list->item(i)->text();
        if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x2E80; })) {
            // In device pixels: on a scaled screen the window's own font may be large enough.
            const qreal scale = list->devicePixelRatioF();
            if (QFontInfo(font).pixelSize() * scale < 12)
                font.setPixelSize(static_cast<int>(std::ceil(12 / scale)));
            break;
        }
    }
    if (list->font() != font)
        list->setFont(font);
}

// ---- Drawing ----

void MainWindow::render(const form::WindowState& state)
{
    renderOptions(state);
    renderBrowser(state);
    renderList(state);

    Label2->setText(QString::fromStdString(state.label2));
    Label2->setVisible(state.label2Visible);
    Label3->setText(QString::fromStdString(state.label3));
    Label3->setVisible(state.label3Visible);
    Label1->setVisible(state.label1Visible);
    cmdYes->setVisible(state.cmdYesVisible);
    cmdAll->setVisible(state.cmdAllVisible);
    cmdNo->setVisible(state.cmdNoVisible);

    chkBank_ = state.chkBank;
    chkPitch_ = state.chkPitch;
    advancedLabel_ = state.advancedLabel;
    if (advanced_ != nullptr)
        advanced_->render(chkBank_, chkPitch_, advancedLabel_);
}

void MainWindow::renderOptions(const form::WindowState& state)
{
    const QList<QRadioButton*> options{Option1, Option2, Option3};
    for (QRadioButton* option : options) {
        const QSignalBlocker blocker(option);
        // An exclusive group cannot be left without a chosen button, which is what the program asks for
        // while none is chosen.
        option->setAutoExclusive(false);
        option->setChecked(options.indexOf(option) + 1 == state.option);
    }
    for (QRadioButton* option : options)
        option->setAutoExclusive(true);
    Option3->setEnabled(state.option3Enabled);
}

void MainWindow::renderBrowser(const form::WindowState& state)
{
    if (state.Drive1 != nullptr && (state.Drive1 != driveModel_ || state.Drive1->revision() != driveRevision_)) {
        const QSignalBlocker blocker(Drive1);
        Drive1->clear();
        for (const std::string& drive : state.Drive1->drives())
            Drive1->addItem(QString::fromStdString(drive));
        Drive1->setCurrentIndex(state.Drive1->index());
        driveModel_ = state.Drive1;
        driveRevision_ = state.Drive1->revision();
    }
    // A folder list refilled loses its scroll position and current line, so only a changed one is.
    if (state.Dir1 != nullptr && (state.Dir1 != folderModel_ || state.Dir1->revision() != folderRevision_)) {
        const QSignalBlocker blocker(Dir1);
        Dir1->fill(*state.Dir1);
        fitScripts(Dir1);
        folderModel_ = state.Dir1;
        folderRevision_ = state.Dir1->revision();
    }
}

void MainWindow::renderList(const form::WindowState& state)
{
    const QSignalBlocker blocker(List2);
    const bool refill = state.list2Revision != list2Revision_;
    if (refill) {
        List2->setUpdatesEnabled(false);
        List2->clear();
        QStringList texts;
        texts.reserve(static_cast<qsizetype>(state.list2.size()));
        for (const form::ListEntry& entry : state.list2)
            texts.append(QString::fromStdString(entry.text));
        List2->addItems(texts);
        fitScripts(List2);
        List2->setUpdatesEnabled(true);
        list2Revision_ = state.list2Revision;
    }
    if (refill || state.selectionRevision != selectionRevision_) {
        std::vector<bool> selected;
        selected.reserve(state.list2.size());
        for (const form::ListEntry& entry : state.list2)
            selected.push_back(entry.selected);
        List2->showSelection(selected, state.list2Current);
        selectionRevision_ = state.selectionRevision;
    }
    List2->setVisible(state.list2Visible);
}

// ---- What the program asks of the window ----

void MainWindow::showMessage(const std::string& text, form::MessageIcon icon, const std::string& title)
{
    QWidget* parent = QApplication::activeModalWidget();
    QMessageBox box(parent != nullptr ? parent : this);
    switch (icon) {
    case form::MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case form::MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case form::MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    box.setWindowTitle(QString::fromStdString(title));
    // The program composes its reports with a lone carriage return between the error and the step
    // under way; a label only breaks lines at line feeds.
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shown);
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void MainWindow::beep()
{
    QApplication::beep();
}

void MainWindow::setBusy(bool busy)
{
    if (busy) {
        ++busyDepth_;
        setCursor(Qt::WaitCursor);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0) {
        --busyDepth_;
        QApplication::restoreOverrideCursor();
        if (busyDepth_ == 0)
            unsetCursor();
    }
}

void MainWindow::showAdvanced()
{
    if (advanced_ == nullptr) {
        advanced_ = new AdvancedDialog(this);
        connect(advanced_, &AdvancedDialog::bankSet, this,
                [this](int value) { forward(&form::frmVantrel::chkBank_Set, value); });
        connect(advanced_, &AdvancedDialog::pitchSet, this,
                [this](int value) { forward(&form::frmVantrel::chkPitch_Set, value); });
        connect(advanced_, &AdvancedDialog::doneRequested, this, [this] { forward(&form::frmVantrel::cmdDone_Click); });
    }
    advanced_->render(chkBank_, chkPitch_, advancedLabel_);
    advanced_->exec();
}

void MainWindow::hideAdvanced()
{
    if (advanced_ != nullptr)
        advanced_->hide();
}

void MainWindow::showAbout()
{
    const form::AboutText text = form::aboutText();
    AboutDialog about(this, text);
    connect(&about, &AboutDialog::sysInfoRequested, this, [this] { forward(&form::frmVantrel::cmdSysInfo_Click); });
    about.exec();
}

void MainWindow::refresh()
{
    repaint();
}

void MainWindow::endProgram()
{
    std::fflush(nullptr);
    std::_Exit(0);
}

// ---- Window events ----

void MainWindow::closeEvent(QCloseEvent* event)
{
    forward(&form::frmVantrel::Form_Unload);
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label4 && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && Label4->rect().contains(mouse->position().toPoint())) {
            forward(&form::frmVantrel::Label4_Click);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vantrel::qt
