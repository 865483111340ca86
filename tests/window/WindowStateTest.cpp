// The main window as it is created and the Advanced dialog on its own.
#include "WindowTestSupport.h"

#include "settings/OptionCode.h"
#include "dialogs/frmAdvanced.h"
#include "platform/FolderList.h"
#include "platform/Twips.h"
#include "platform/MessageBox.h"

#include <QCheckBox>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtTest/QTest>

namespace vantrel::test {
namespace {

class WindowStateTest : public WindowTest
{
};

TEST_F(WindowStateTest, CreationStateShowsOnlyTheDesignControls)
{
    frmVantrel& w = window();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Vantrel"));
    EXPECT_FALSE(w.windowIcon().isNull());
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(w.size(), toPixels(layout::main::kClientWidth, layout::main::kClientHeight));

    EXPECT_EQ(child<QGroupBox>("frmLeveler")->title(), QStringLiteral(" Autopilot Wing Leveler "));
    EXPECT_EQ(child<QGroupBox>("frmDriveDialog")->title(), QStringLiteral(" Aircraft Directory: "));
    EXPECT_TRUE(child<QRadioButton>("Option1")->isChecked());
    EXPECT_FALSE(child<QRadioButton>("Option2")->isChecked());
    EXPECT_FALSE(child<QRadioButton>("Option3")->isChecked());
    EXPECT_FALSE(child<QRadioButton>("Option3")->isEnabled());
    EXPECT_EQ(child<QRadioButton>("Option3")->text(), QStringLiteral("Advanced"));
    EXPECT_EQ(child<QLabel>("Label1")->text(), QStringLiteral("Please Select  Flight Simulator's Aircraft Directory"));
    EXPECT_EQ(child<QLabel>("Label4")->text(), QStringLiteral("About"));
    EXPECT_EQ(child<QPushButton>("cmdQuit")->text(), QStringLiteral("Quit"));
    EXPECT_EQ(child<QPushButton>("cmdYes")->text(), QStringLiteral("Modify"));
    EXPECT_EQ(child<QPushButton>("cmdAll")->text(), QStringLiteral("All"));
    EXPECT_EQ(child<QPushButton>("cmdNo")->text(), QStringLiteral("Clear"));

    for (const char* name : {"Label1", "Label2", "Label4", "cmdQuit", "Dir1", "Drive1", "frmLeveler", "frmDriveDialog"})
        EXPECT_TRUE(shown(name)) << name;
    for (const char* name : {"List1", "List2", "Label3", "File1", "cmdYes", "cmdAll", "cmdNo"})
        EXPECT_FALSE(shown(name)) << name;
    EXPECT_TRUE(child<QLabel>("Label2")->text().isEmpty());

    // The folder list opens on the current folder.
    EXPECT_EQ(child<FolderList>("Dir1")->path(), QDir::toNativeSeparators(QDir::currentPath()));

    // Colours of the design: blue request, dark blue link, green on black lists.
    EXPECT_EQ(child<QLabel>("Label1")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(child<QLabel>("Label4")->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    EXPECT_EQ(child<QListWidget>("List2")->palette().color(QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(child<QListWidget>("List2")->palette().color(QPalette::Text), QColor(0, 255, 0));
    EXPECT_EQ(child<QListWidget>("List2")->selectionMode(), QAbstractItemView::MultiSelection);

    // Every shared variable starts empty, false or 0.
    EXPECT_TRUE(w.Data.isEmpty() && w.MyFile.isEmpty() && w.ErrorMsg.isEmpty() && w.CfgFileName.isEmpty());
    EXPECT_FALSE(w.Modified || w.SelectAll || w.BackupDone || w.Pitch || w.Bank);
    EXPECT_EQ(w.x + w.StartOfName + w.EndOfName + w.LastChoice + w.FindBank + w.FindPitch, 0);
}

TEST_F(WindowStateTest, GeometryFollowsTheDesignAndCaptionsFit)
{
    EXPECT_EQ(child<QPushButton>("cmdQuit")->geometry(), QRect(148, 228, 33, 21));
    EXPECT_EQ(child<QListWidget>("List2")->geometry(), toPixels(layout::main::List2));
    EXPECT_EQ(child<QGroupBox>("frmDriveDialog")->geometry(), QRect(12, 56, 197, 261));

    // No caption may be cut: each fits the control that shows it.
    for (const char* name : {"Option1", "Option2", "Option3"}) {
        auto* option = child<QRadioButton>(name);
        EXPECT_LE(option->sizeHint().width(), option->width() + 2) << name;
    }
    for (const char* name : {"cmdYes", "cmdAll", "cmdNo", "cmdQuit"}) {
        auto* button = child<QPushButton>(name);
        EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()), button->width() - 4) << name;
    }
    // Every control can be reached by the mouse: none lies under another (the list under its frame, say).
    auto* list = child<QListWidget>("List2");
    list->show();
    for (QWidget* control : {static_cast<QWidget*>(list), child<QWidget>("Label4"), child<QWidget>("cmdQuit"),
                             child<QWidget>("Dir1"), child<QWidget>("Option3")}) {
        QWidget* hit = window().childAt(control->mapTo(&window(), control->rect().center()));
        EXPECT_TRUE(hit == control || control->isAncestorOf(hit))
            << control->objectName().toStdString() << " is covered by "
            << (hit ? hit->objectName().toStdString() : "nothing");
    }
    list->hide();

    auto* label3 = child<QLabel>("Label3");
    EXPECT_LE(
        QFontMetrics(label3->font()).horizontalAdvance(QStringLiteral("Aircraft with Wing Leveler Disabled: 10000")),
        label3->width());
}

TEST_F(WindowStateTest, FocusOrderFollowsTheDesign)
{
    window().show();
    const QList<QWidget*> expected{child<QWidget>("Dir1"), child<QWidget>("Drive1"), child<QWidget>("cmdQuit"),
                                   child<QWidget>("Option1")};
    // Hidden and disabled controls are skipped; the folder list has the focus first.
    QWidget* current = child<QWidget>("Dir1");
    current->setFocus();
    for (int i = 1; i < expected.size(); ++i) {
        QWidget* next = current->nextInFocusChain();
        while (next != current && (!next->isVisible() || !next->isEnabled() || !(next->focusPolicy() & Qt::TabFocus)))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, expected[i]) << "after " << current->objectName().toStdString() << " came "
                                     << next->objectName().toStdString();
        current = next;
    }
}

TEST_F(WindowStateTest, AdvancedDialogIsCreatedOnceWithBothBoxesTicked)
{
    frmAdvanced* dialog = window().advancedDialog();
    EXPECT_EQ(dialog, window().advancedDialog());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Advanced Options"));
    EXPECT_EQ(dialog->bankValue(), 1);
    EXPECT_EQ(dialog->pitchValue(), 1);
    EXPECT_EQ(dialog->labelText(), QStringLiteral("Label1"));
    EXPECT_EQ(dialog->findChild<QCheckBox*>(QStringLiteral("chkBank"))->text(), QStringLiteral("Remove Default Bank"));
    EXPECT_EQ(dialog->findChild<QCheckBox*>(QStringLiteral("chkPitch"))->text(),
              QStringLiteral("Remove Default Pitch"));
    EXPECT_EQ(dialog->findChild<QPushButton*>(QStringLiteral("cmdDone"))->text(), QStringLiteral("Done"));

    // The instruction that start-up puts in the label is shown whole.
    dialog->setLabelText(
        QStringLiteral("Please select the default(s) you wish removed from Flight Simulator's Auto Pilot."));
    auto* label = dialog->findChild<QLabel*>(QStringLiteral("Label1"));
    const QRect needed =
        QFontMetrics(label->font()).boundingRect(QRect(0, 0, label->width(), 100000), Qt::TextWordWrap, label->text());
    EXPECT_LE(needed.height(), label->height());
    for (const char* name : {"chkBank", "chkPitch"}) {
        auto* box = dialog->findChild<QCheckBox*>(QString::fromLatin1(name));
        EXPECT_LE(box->sizeHint().width(), box->width() + 2) << name;
    }
}

TEST_F(WindowStateTest, DoneRefusesNeitherBoxAndOtherwiseReturnsToTheLastMode)
{
    frmAdvanced* dialog = window().advancedDialog();
    window().LastChoice = 2;
    dialog->show();
    dialog->setBankValue(0);
    dialog->setPitchValue(0);
    dialog->cmdDone_Click();
    ASSERT_EQ(MessageBox::records().size(), 1);
    EXPECT_EQ(MessageBox::records()[0].text, QStringLiteral("You must select one or both options"));
    EXPECT_EQ(MessageBox::records()[0].title, QStringLiteral("Options"));
    EXPECT_EQ(MessageBox::records()[0].icon, MessageIcon::Information);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(child<QRadioButton>("Option1")->isChecked());

    // Ticking either box lets Done close it; LastChoice 2 selects "Restore", which runs its handler.
    QTest::mouseClick(dialog->findChild<QCheckBox*>(QStringLiteral("chkPitch")), Qt::LeftButton);
    EXPECT_EQ(dialog->pitchValue(), 1);
    EXPECT_EQ(dialog->bankValue(), 0) << "the boxes do not interlock";
    dialog->cmdDone_Click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(child<QRadioButton>("Option2")->isChecked());
    EXPECT_EQ(window().LastChoice, 2);
    EXPECT_FALSE(child<QRadioButton>("Option3")->isEnabled());

    // The close box is Done: it keeps the choice and enforces the same check.
    dialog->show();
    dialog->setPitchValue(0);
    dialog->close();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(MessageBox::records().size(), 2);
    dialog->setBankValue(1);
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->bankValue(), 1);
    EXPECT_EQ(dialog->pitchValue(), 0);
}

TEST(OptionCode, RoundTripsAndRejectsOtherNumbers)
{
    EXPECT_EQ(encodeOptionCode(1, 1), "3");
    EXPECT_EQ(encodeOptionCode(1, 0), "2");
    EXPECT_EQ(encodeOptionCode(0, 1), "1");
    EXPECT_EQ(encodeOptionCode(0, 0), "");
    EXPECT_EQ(encodeOptionCode(2, 1), "") << "a greyed box fits no code";
    for (int bank : {0, 1}) {
        for (int pitch : {0, 1}) {
            if (bank == 0 && pitch == 0)
                continue;
            int b = 7;
            int p = 7;
            ASSERT_TRUE(decodeOptionCode(std::stoll(encodeOptionCode(bank, pitch)), b, p));
            EXPECT_EQ(b, bank);
            EXPECT_EQ(p, pitch);
        }
    }
    int b = 1;
    int p = 1;
    EXPECT_FALSE(decodeOptionCode(4, b, p));
    EXPECT_FALSE(decodeOptionCode(0, b, p));
    EXPECT_EQ(b + p, 2) << "other numbers leave the boxes alone";
}

} // namespace
} // namespace vantrel::test

namespace vantrel::test {
namespace {

class WindowEventsTest : public WindowTest
{
};

TEST_F(WindowEventsTest, AboutLinkOpensAFreshModalDialogEachTime)
{
    window().show();
    auto* link = child<QLabel>("Label4");
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    QStringList titles;
    QList<QWidget*> dialogs;
    for (int i = 0; i < 2; ++i) {
        // The dialog is modal: look at it from inside its own loop, then close it with Escape.
        QTimer::singleShot(0, &window(), [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            titles << modal->windowTitle();
            dialogs << modal;
            QTest::keyClick(modal, Qt::Key_Escape);
            if (modal->isVisible())
                modal->close();
        });
        QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, link->rect().center());
    }
    EXPECT_EQ(titles, (QStringList{QStringLiteral("About Vantrel"), QStringLiteral("About Vantrel")}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(window().findChildren<QDialog*>(QString(), Qt::FindDirectChildrenOnly).size() <= 1)
        << "only the Advanced dialog, if anything, stays";
}

TEST_F(WindowEventsTest, DriveChangeShowsThatDrivesCurrentFolder)
{
    Installation sim = makeInstallation(m_work.path() + QStringLiteral("/Sim"));
    sim.addAircraft(QStringLiteral("Cub"), plainCfg());
    startUp();
    navigateTo(sim.aircraftFolder);
    ASSERT_TRUE(shown("List2"));
    window().Drive1_Change();
    EXPECT_EQ(child<FolderList>("Dir1")->path(), QDir::toNativeSeparators(QDir::currentPath()));
    EXPECT_FALSE(shown("List2"));
    EXPECT_TRUE(shown("Label1"));
    EXPECT_TRUE(messages().isEmpty());
}

} // namespace
} // namespace vantrel::test
