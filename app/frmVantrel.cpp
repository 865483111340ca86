#include "app/frmVantrel.h"

#include "catalogue/Catalogue.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmAdvanced.h"
#include "engine/AppError.h"
#include "platform/DriveList.h"
#include "platform/FileList.h"
#include "platform/FontFit.h"
#include "platform/FolderList.h"
#include "platform/Twips.h"
#include "platform/MessageBox.h"
#include "platform/PathText.h"
#include "platform/ProgramIcon.h"
#include "os/FileSearch.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace vantrel {

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

} // namespace

frmVantrel::frmVantrel(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmVantrel"));
    setWindowTitle(QStringLiteral("Vantrel"));
    setWindowIcon(programIcon());
    resize(toPixels(geo::kClientWidth, geo::kClientHeight));
    createControls();
    applyFonts();

    // Open centred on the screen.
    if (QScreen* screen = QApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

frmVantrel::~frmVantrel()
{
    Form_Terminate();
}

void frmVantrel::createControls()
{
    frmLeveler = new QGroupBox(QStringLiteral(" Autopilot Wing Leveler "), this);
    frmLeveler->setObjectName(QStringLiteral("frmLeveler"));
    frmLeveler->setGeometry(toPixels(geo::frmLeveler));

    Option1 = new QRadioButton(QStringLiteral("Remove"), frmLeveler);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setGeometry(toPixels(geo::Option1));
    Option1->setChecked(true);

    Option2 = new QRadioButton(QStringLiteral("Restore"), frmLeveler);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option2->setGeometry(toPixels(geo::Option2));

    Option3 = new QRadioButton(QStringLiteral("Advanced"), frmLeveler);
    Option3->setObjectName(QStringLiteral("Option3"));
    Option3->setGeometry(toPixels(geo::Option3));
    Option3->setEnabled(false);

    List2 = new QListWidget(this);
    List2->setObjectName(QStringLiteral("List2"));
    List2->setGeometry(toPixels(geo::List2));
    List2->setSelectionMode(QAbstractItemView::MultiSelection);
    List2->setUniformItemSizes(true);
    paintBlackGreen(List2);
    List2->hide();

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(toPixels(geo::List1));
    List1->setUniformItemSizes(true);
    List1->hide();

    frmDriveDialog = new QGroupBox(QStringLiteral(" Aircraft Directory: "), this);
    frmDriveDialog->setObjectName(QStringLiteral("frmDriveDialog"));
    frmDriveDialog->setGeometry(toPixels(geo::frmDriveDialog));

    Drive1 = new DriveList(frmDriveDialog);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->setGeometry(toPixels(geo::Drive1));
    paintBlackGreen(Drive1);

    Label2 = new QLabel(frmDriveDialog);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(toPixels(geo::Label2));

    Dir1 = new FolderList(frmDriveDialog);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setGeometry(toPixels(geo::Dir1));
    paintBlackGreen(Dir1);
    // The folder list opens on the process's current folder; no navigation runs for it.
    try {
        Dir1->setPath(QDir::currentPath());
    } catch (const AppError&) {
    }

    Label3 = new QLabel(frmDriveDialog);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(toPixels(geo::Label3));
    Label3->hide();

    Label1 = new QLabel(kSelectRequest, frmDriveDialog);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(toPixels(geo::Label1));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setWordWrap(true);
    {
        QPalette palette = Label1->palette();
        palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
        Label1->setPalette(palette);
    }

    File1 = new FileList(frmDriveDialog);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setGeometry(toPixels(geo::File1));
    File1->setPattern(QStringLiteral("aircraft.cfg"));
    paintBlackGreen(File1);
    File1->hide();

    cmdYes = new QPushButton(QStringLiteral("Modify"), frmDriveDialog);
    cmdYes->setObjectName(QStringLiteral("cmdYes"));
    cmdYes->setGeometry(toPixels(geo::cmdYes));
    cmdYes->hide();

    cmdAll = new QPushButton(QStringLiteral("All"), frmDriveDialog);
    cmdAll->setObjectName(QStringLiteral("cmdAll"));
    cmdAll->setGeometry(toPixels(geo::cmdAll));
    cmdAll->hide();

    cmdNo = new QPushButton(QStringLiteral("Clear"), frmDriveDialog);
    cmdNo->setObjectName(QStringLiteral("cmdNo"));
    cmdNo->setGeometry(toPixels(geo::cmdNo));
    cmdNo->hide();

    cmdQuit = new QPushButton(QStringLiteral("Quit"), frmDriveDialog);
    cmdQuit->setObjectName(QStringLiteral("cmdQuit"));
    cmdQuit->setGeometry(toPixels(geo::cmdQuit));

    Label4 = new QLabel(QStringLiteral("About"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(toPixels(geo::Label4));
    Label4->setCursor(Qt::PointingHandCursor);
    {
        QPalette palette = Label4->palette();
        palette.setColor(QPalette::WindowText, QColor(0, 0, 192));
        Label4->setPalette(palette);
    }
    Label4->installEventFilter(this);

    // The selection list lies over the lower part of the "Aircraft Directory" frame: it must be on top
    // of the frame, or the frame would take its clicks.
    List2->raise();
    Label4->raise();

    // Keyboard order of the design: File1, Dir1, Drive1, cmdYes, cmdNo, cmdQuit, List1, List2, cmdAll,
    // Option1, Option2, Option3. Hidden and disabled controls are skipped by the toolkit itself.
    const QList<QWidget*> order{File1, Dir1,  Drive1, cmdYes,  cmdNo,   cmdQuit,
                                List1, List2, cmdAll, Option1, Option2, Option3};
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    File1->setFocusPolicy(Qt::NoFocus);
    List1->setFocusPolicy(Qt::NoFocus);
    Dir1->setFocus();

    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option1_Click();
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option2_Click();
    });
    connect(Option3, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option3_Click();
    });
    connect(Drive1, &DriveList::driveChanged, this, &frmVantrel::Drive1_Change);
    connect(Dir1, &FolderList::pathChanged, this, &frmVantrel::Dir1_Change);
    // A folder that cannot be opened by a double-click is reported like any failed folder selection.
    connect(Dir1, &FolderList::openFailed, this, [this](int number, const QString& description) {
        MessageBox::show(QStringLiteral("Error %1 %2").arg(number).arg(description), MessageIcon::Warning,
                         QStringLiteral("Directory Select Error"), this);
    });
    connect(List2, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_scanDepth == 0)
            List2_Click();
    });
    connect(List2, &QListWidget::currentRowChanged, this, [this] {
        if (m_scanDepth == 0)
            List2_Click();
    });
    connect(cmdAll, &QPushButton::clicked, this, &frmVantrel::cmdAll_Click);
    connect(cmdNo, &QPushButton::clicked, this, &frmVantrel::cmdNo_Click);
    connect(cmdYes, &QPushButton::clicked, this, &frmVantrel::cmdYes_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &frmVantrel::cmdQuit_Click);
}

// The window's design font is "Small Fonts" 6.75 pt, a narrow face of Windows. Elsewhere the nearest
// narrow face stands in, at a size at which the longest caption the window can show fits its label.
void frmVantrel::applyFonts()
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

frmAdvanced* frmVantrel::advancedDialog()
{
    if (!m_advanced)
        m_advanced = new frmAdvanced(this, [this] { returnToLastMode(); });
    return m_advanced;
}

void frmVantrel::returnToLastMode()
{
    if (LastChoice == 1)
        Option1->setChecked(true);
    else
        Option2->setChecked(true);
}

bool frmVantrel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label4 && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && Label4->rect().contains(mouse->position().toPoint())) {
            Label4_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- Mode options and window events ----

void frmVantrel::Option1_Click()
{
    LastChoice = 1;
    Option3->setEnabled(true);
    LoadListRemove();
}

void frmVantrel::Option2_Click()
{
    LastChoice = 2;
    Option3->setEnabled(false);
    LoadListRestore();
}

void frmVantrel::Option3_Click()
{
    advancedDialog()->exec();
}

void frmVantrel::Label4_Click()
{
    frmAbout about(this);
    about.exec();
}

void frmVantrel::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void frmVantrel::Form_Unload()
{
    if (!m_quitting)
        cmdQuit->click();
}

void frmVantrel::Form_Terminate()
{
    if (!m_quitting)
        cmdQuit_Click();
}

// ---- Navigation ----

void frmVantrel::Drive1_Change()
{
    // A drive that cannot be read leaves the lists where they were and says why; the drive list goes
    // back to the drive of the folder still shown.
    try {
        Dir1->setPath(DriveList::currentFolderOn(Drive1->drive()));
    } catch (const AppError& error) {
        MessageBox::show(QString::fromStdString(error.report()), MessageIcon::Warning,
                         QStringLiteral("Directory Select Error"), this);
        const QSignalBlocker blocker(Drive1);
        try {
            Drive1->setDrive(Dir1->path());
        } catch (const AppError&) {
        }
    }
}

void frmVantrel::hideListArea()
{
    m_listAreaShown = false;
    List2->hide();
    Label1->show();
    Label2->hide();
    Label3->hide();
    cmdAll->hide();
    cmdNo->hide();
    // Modify goes too: it would act on the selection of a list that is no longer on screen.
    cmdYes->hide();
}

void frmVantrel::Dir1_Change()
{
    const QString path = Dir1->path();
    if (path.right(8).toLower() != QLatin1String("aircraft")) {
        hideListArea();
        return;
    }
    try {
        const QString simulatorFolder = path.left(path.size() - 8);
        bool simulatorFound = false;
        MyFile = fromFileName(os::findOrdinaryFile(toFileName(simulatorFolder + QStringLiteral("fs9.exe")))).toLower();
        if (MyFile == QLatin1String("fs9.exe")) {
            simulatorFound = true;
        } else {
            MyFile = fromFileName(os::findOrdinaryFile(toFileName(simulatorFolder + QStringLiteral("fs2000.exe"))))
                         .toLower();
            simulatorFound = MyFile == QLatin1String("fs2000.exe");
        }
        if (!simulatorFound) {
            hideListArea();
            return;
        }
        File1->setFileName(QString());
        List1->clear();
        List2->clear();
        cmdYes->hide();
        cmdNo->hide();
        cmdAll->hide();
        File1->setPath(path);
        Label2->setText(totalAircraftCaption(Dir1->listCount(), path));
        Label1->hide();
        Label2->show();
        Label3->show();
        List2->show();
        m_listAreaShown = true;
        LoadListRemove();
        if (currentIsMessageEntry()) {
            cmdYes->hide();
            cmdNo->hide();
            cmdAll->hide();
        }
    } catch (const AppError& error) {
        MessageBox::show(QString::fromStdString(error.report()), MessageIcon::Warning,
                         QStringLiteral("Directory Select Error"), this);
    }
}

} // namespace vantrel
