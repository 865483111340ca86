#include "ui/qt/MainWindow.h"

#include "browse/DriveModel.h"
#include "browse/FolderModel.h"
#include "form/frmVantrel.h"
#include "layout/Layout.h"
#include "layout/Order.h"
#include "ui/qt/AboutDialog.h"
#include "ui/qt/AdvancedDialog.h"
#include "ui/qt/ControlBuilder.h"
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
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
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

namespace {

const layout::Window& design = layout::kMain;

// The events by which a person acts on a window; the releases that end a press or a key are not among them.
bool isUserAction(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
        return true;
    default:
        return false;
    }
}

QString caption(text::Id id)
{
    return QString::fromStdString(text::get(id));
}

} // namespace

class MainWindow::InputDropper : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override { return isUserAction(event->type()); }
};

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    dropper_ = new InputDropper(this);
    createControls();
    applyFonts();
    connectControls(this, design, toProgram());
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
    buildControls(this, design);
    Option3 = findChild<QRadioButton*>(QStringLiteral("Option3"));
    List2 = findChild<SelectionList*>(QStringLiteral("List2"));
    Drive1 = findChild<DriveComboBox*>(QStringLiteral("Drive1"));
    Label2 = findChild<QLabel*>(QStringLiteral("Label2"));
    Dir1 = findChild<FolderListWidget*>(QStringLiteral("Dir1"));
    Label3 = findChild<QLabel*>(QStringLiteral("Label3"));
    Label1 = findChild<QLabel*>(QStringLiteral("Label1"));
    cmdYes = findChild<QPushButton*>(QStringLiteral("cmdYes"));
    cmdAll = findChild<QPushButton*>(QStringLiteral("cmdAll"));
    cmdNo = findChild<QPushButton*>(QStringLiteral("cmdNo"));
    cmdQuit = findChild<QPushButton*>(QStringLiteral("cmdQuit"));
    optionButtons().first()->setChecked(true);
    // The options are one group for the keyboard, which the window keeps itself: one Tab stop, on the chosen option,
    // and the arrow keys choose among them.
    for (QRadioButton* option : optionButtons()) {
        option->setAutoExclusive(false);
        option->installEventFilter(this);
    }
    Dir1->setFocus();
}

template <typename... Params, typename... Args>
void MainWindow::forward(void (form::frmVantrel::*handler)(Params...), const Args&... args)
{
    if (presenter_ == nullptr)
        return;
    // Bound first: with the parameter pack captured by the lambda itself, AddressSanitizer saw GCC 12's code read
    // out of the stack frame.
    const auto call = std::bind(handler, presenter_, args...);
    // The program renders at the end of the event itself (the render rule of form/View.h).
    presenter_->runEvent(call);
}

Fire MainWindow::toProgram()
{
    return [this](const form::Wire& wire, const form::EventInput& input) {
        if (presenter_ != nullptr)
            presenter_->runEvent([&] { presenter_->fire(wire, input); });
    };
}

// The window's design font, or a stand-in at a size at which the longest caption the window can show fits its
// label.
void MainWindow::applyFonts()
{
    const QString longest = caption(text::Id::ListDisabled) + caption(text::Id::WidestCount);
    const int room = toPixels(layout::control(design, "Label3").rect).width();
    setFont(fittingFont(design.font,
                        [&](const QFont& font) { return QFontMetrics(font).horizontalAdvance(longest) <= room; }));

    const layout::Control& label1 = layout::control(design, "Label1");
    const QRect labelRoom = toPixels(label1.rect);
    Label1->setFont(fittingFont(layout::fontOf(design, label1),
                                [&](const QFont& font) { return wrappedTextFits(font, Label1->text(), labelRoom); }));
}

// The window's font is smaller than East Asian text needs: a list that shows such a name gets text of at least
// the size it needs.
void MainWindow::fitScripts(QListWidget* list)
{
    QFont font = this->font();
    int minimum = 0;
    for (int i = 0; i < list->count() && minimum == 0; ++i)
        minimum = minimumPixelHeight(list->item(i)->text());
    // In device pixels: on a scaled screen the window's own font may be large enough.
    const qreal scale = list->devicePixelRatioF();
    if (QFontInfo(font).pixelSize() * scale < minimum)
        font.setPixelSize(static_cast<int>(std::ceil(minimum / scale)));
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

QList<QRadioButton*> MainWindow::optionButtons() const
{
    QList<QRadioButton*> options;
    for (const layout::Control* row : layout::optionButtons(design))
        options.append(findChild<QRadioButton*>(QLatin1String(row->name)));
    return options;
}

void MainWindow::renderOptions(const form::WindowState& state)
{
    const QList<QRadioButton*> options = optionButtons();
    for (QRadioButton* option : options) {
        const QSignalBlocker blocker(option);
        const bool chosen = options.indexOf(option) + 1 == state.option;
        option->setChecked(chosen);
        // Tab reaches the group at its chosen option only.
        option->setFocusPolicy(chosen ? Qt::StrongFocus : Qt::ClickFocus);
    }
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

std::vector<int> MainWindow::shownSelection() const
{
    return List2->highlighted();
}

void MainWindow::setWorking(bool working)
{
    if (working || !dropping_)
        return;
    // What reached the window while the work went on is dropped too, before anything else is handled.
    QCoreApplication::processEvents();
    qApp->removeEventFilter(dropper_);
    dropping_ = false;
    QApplication::restoreOverrideCursor();
}

void MainWindow::stayResponsive(const form::WindowState& state)
{
    if (!dropping_) {
        dropping_ = true;
        qApp->installEventFilter(dropper_);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    Label3->setText(QString::fromStdString(state.label3));
    QCoreApplication::processEvents();
}

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
    box.setText(withLineFeeds(text));
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
    if (advanced_ == nullptr)
        advanced_ = new AdvancedDialog(this, toProgram());
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
    AboutDialog about(this, text, toProgram());
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

bool MainWindow::moveAmongOptions(QRadioButton* button, int key)
{
    int step = 0;
    if (key == Qt::Key_Left || key == Qt::Key_Up)
        step = -1;
    else if (key == Qt::Key_Right || key == Qt::Key_Down)
        step = 1;
    const QList<QRadioButton*> options = optionButtons();
    const int from = options.indexOf(button) + 1;
    if (step == 0 || from == 0 || presenter_ == nullptr)
        return false;
    const int to = form::optionAfter(presenter_->state(), from, step);
    options[to - 1]->setFocus(step < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    forward(&form::frmVantrel::chooseOption, to);
    // "Advanced" hands the choice back to a mode when its dialog closes: the focus follows the chosen option.
    const int chosen = presenter_->state().option;
    if (chosen >= 1 && chosen <= options.size() && options[chosen - 1]->isEnabled()) {
        // Without a window manager nothing activates the window again after a dialog.
        if (!isActiveWindow())
            activateWindow();
        options[chosen - 1]->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (auto* option = qobject_cast<QRadioButton*>(watched); option && optionButtons().contains(option)) {
        if (event->type() == QEvent::KeyPress)
            return moveAmongOptions(option, static_cast<QKeyEvent*>(event)->key());
        // The focus comes back to an option that is no longer the chosen one (the window activated again after the
        // Advanced dialog): it goes on to the chosen one, where the keyboard expects it. A click's focus stays.
        if (event->type() == QEvent::FocusIn && !option->isChecked() &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason && presenter_ != nullptr) {
            const int chosen = presenter_->state().option;
            const QList<QRadioButton*> options = optionButtons();
            if (chosen >= 1 && chosen <= options.size() && options[chosen - 1]->isEnabled())
                options[chosen - 1]->setFocus(Qt::OtherFocusReason);
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vantrel::qt
