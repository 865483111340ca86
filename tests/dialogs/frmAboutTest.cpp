#include "dialogs/FakeSysInfoPlatform.h"
#include "dialogs/frmAbout.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using vantrel::frmAbout;
using vantrel::MessageBox;
using vantrel::MessageIcon;
using vantrel::test::FakeSysInfoPlatform;

namespace {

template <typename T> T* child(QWidget& parent, const char* name)
{
    T* widget = parent.findChild<T*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Fakes the platform and records message boxes for one test; puts both back however the test ends.
class AboutSysInfoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frmAbout::setPlatformForTests(&fake);
        MessageBox::startRecording();
    }
    void TearDown() override
    {
        frmAbout::setPlatformForTests(nullptr);
        MessageBox::stopRecording();
        MessageBox::clearRecords();
    }

    void expectUnavailableMessage()
    {
        ASSERT_EQ(MessageBox::records().size(), 1);
        const auto& record = MessageBox::records().first();
        EXPECT_EQ(record.text, QStringLiteral("System Information Is Unavailable At This Time"));
        EXPECT_EQ(record.icon, MessageIcon::None);
        EXPECT_EQ(record.title, QStringLiteral("Vantrel"));
    }

    FakeSysInfoPlatform fake;
    const std::string pathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    const std::string folderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
};

} // namespace

TEST(frmAbout, ComposesItsTexts)
{
    frmAbout dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Vantrel"));
    EXPECT_EQ(child<QLabel>(dialog, "lblVersion")->text(), QStringLiteral("Version 1.5.3"));

    QLabel* title = child<QLabel>(dialog, "lblTitle");
    EXPECT_EQ(title->text(), QStringLiteral("Vantrel"));
    EXPECT_TRUE(title->font().bold());
    EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 9.75);
    EXPECT_TRUE(title->alignment() & Qt::AlignHCenter);

    // Three groups of three, one and two lines, an empty line between groups.
    const QStringList lines = dialog.description().split(QLatin1Char('\r'));
    ASSERT_EQ(lines.size(), 8) << dialog.description().toStdString();
    for (int i : {0, 1, 2, 4, 6, 7})
        EXPECT_FALSE(lines[i].trimmed().isEmpty()) << i;
    EXPECT_TRUE(lines[3].isEmpty());
    EXPECT_TRUE(lines[5].isEmpty());
    EXPECT_FALSE(dialog.description().contains(QLatin1Char('\n')));

    QLabel* description = child<QLabel>(dialog, "lblDescription");
    EXPECT_EQ(description->text(), lines.join(QLatin1Char('\n')));
    EXPECT_TRUE(description->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(description->palette().color(QPalette::WindowText), QColor(Qt::black));
    // All eight rows fit the label; the widest line fits its width.
    const QFontMetrics metrics(description->font());
    EXPECT_LE(metrics.lineSpacing() * 7 + metrics.height(), description->height());
    for (const QString& line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line), description->width()) << line.toStdString();
    const QFontMetrics titleMetrics(title->font());
    EXPECT_LE(titleMetrics.horizontalAdvance(title->text()), title->width());
}

TEST(frmAbout, EachOpeningComposesAfresh)
{
    {
        frmAbout first;
        child<QLabel>(first, "lblVersion")->setText(QStringLiteral("stale"));
        child<QLabel>(first, "lblTitle")->setText(QStringLiteral("stale"));
        first.setWindowTitle(QStringLiteral("stale"));
    }
    const QString savedName = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("Vantrel Beta"));
    {
        frmAbout second;
        EXPECT_EQ(second.windowTitle(), QStringLiteral("About Vantrel Beta"));
        EXPECT_EQ(child<QLabel>(second, "lblTitle")->text(), QStringLiteral("Vantrel Beta"));
        EXPECT_EQ(child<QLabel>(second, "lblVersion")->text(), QStringLiteral("Version 1.5.3"));
    }
    QCoreApplication::setApplicationName(savedName);
    frmAbout third;
    EXPECT_EQ(third.windowTitle(), QStringLiteral("About Vantrel"));
    EXPECT_EQ(child<QLabel>(third, "lblTitle")->text(), QStringLiteral("Vantrel"));
}

TEST(frmAbout, GeometryFollowsTheDesign)
{
    frmAbout dialog;
    // 15 twips to the pixel: 4065 x 3540 twips.
    EXPECT_EQ(dialog.size(), QSize(271, 236));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(child<QWidget>(dialog, "Picture1")->geometry(), QRect(20, 28, 32, 32));
    EXPECT_FALSE(child<QLabel>(dialog, "Picture1")->pixmap().isNull());
    EXPECT_EQ(child<QWidget>(dialog, "lblTitle")->geometry(), QRect(52, 12, 173, 32));
    EXPECT_EQ(child<QWidget>(dialog, "lblVersion")->geometry(), QRect(52, 52, 171, 15));
    EXPECT_EQ(child<QWidget>(dialog, "lblDescription")->geometry(), QRect(16, 72, 237, 105));
    EXPECT_EQ(child<QWidget>(dialog, "cmdSysInfo")->geometry(), QRect(36, 199, 83, 23));
    EXPECT_EQ(child<QWidget>(dialog, "cmdOK")->geometry(), QRect(154, 199, 84, 23));

    QFrame* line = child<QFrame>(dialog, "Line1");
    EXPECT_EQ(line->frameShape(), QFrame::HLine);
    EXPECT_EQ(line->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(line->geometry(), QRect(8, 188, 249, 2));
}

TEST(frmAbout, EscapeEnterAndOkCloseIt)
{
    struct Case
    {
        const char* name;
        std::function<void(frmAbout&)> press;
    };
    const Case cases[] = {
        {"Escape", [](frmAbout& d) { QTest::keyClick(d.focusWidget() ? d.focusWidget() : &d, Qt::Key_Escape); }},
        {"Enter", [](frmAbout& d) { QTest::keyClick(d.focusWidget() ? d.focusWidget() : &d, Qt::Key_Return); }},
        {"keypad Enter", [](frmAbout& d) { QTest::keyClick(&d, Qt::Key_Enter); }},
        {"OK", [](frmAbout& d) { QTest::mouseClick(d.findChild<QPushButton*>("cmdOK"), Qt::LeftButton); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frmAbout dialog;
        QPushButton* ok = child<QPushButton>(dialog, "cmdOK");
        EXPECT_EQ(ok->text(), QStringLiteral("OK"));
        EXPECT_TRUE(ok->isDefault());
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        c.press(dialog);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}

TEST_F(AboutSysInfoTest, SystemInfoButtonStartsTheToolAndLeavesTheDialogOpen)
{
    const std::string tool = "C:\\Windows\\System32\\msinfo32.exe";
    fake.setValue(pathKey, "PATH", 1, tool + '\0');
    fake.addStartable(tool);

    frmAbout dialog;
    QPushButton* sysInfo = child<QPushButton>(dialog, "cmdSysInfo");
    EXPECT_EQ(sysInfo->text(), QStringLiteral("&System Info..."));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    QTest::mouseClick(sysInfo, Qt::LeftButton);
    ASSERT_EQ(fake.starts.size(), 1u);
    EXPECT_EQ(fake.starts[0], tool);
    EXPECT_TRUE(MessageBox::records().isEmpty());
    EXPECT_TRUE(dialog.isVisible());

    // Alt+S is the button's access key.
    EXPECT_EQ(sysInfo->shortcut(), QKeySequence(Qt::ALT | Qt::Key_S));
    dialog.close();
}

TEST_F(AboutSysInfoTest, SecondKeyWithTheToolInItsFolder)
{
    const std::string folder = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";
#ifdef _WIN32
    const std::string program = folder + "\\MSINFO32.ExE";
#else
    const std::string program = folder + "/MSINFO32.ExE";
#endif
    fake.setValue(folderKey, "MSINFO", 1, folder + '\0');
    fake.addFile(program);
    fake.addStartable(program);

    frmAbout dialog;
    dialog.StartSysInfo();
    ASSERT_EQ(fake.starts.size(), 1u);
    EXPECT_EQ(fake.starts[0], program);
    EXPECT_TRUE(MessageBox::records().isEmpty());
}

TEST_F(AboutSysInfoTest, UnavailableToolIsReportedWithoutIconUnderTheProgramTitle)
{
    struct Case
    {
        const char* name;
        std::function<void(FakeSysInfoPlatform&)> setUp;
    };
    const std::string folder = "C:\\MSInfo";
    const Case cases[] = {
        {"nothing registered", [](FakeSysInfoPlatform&) {}},
        {"tool missing from the registered folder",
         [&](FakeSysInfoPlatform& f) { f.setValue(folderKey, "MSINFO", 1, folder); }},
        {"PATH of another type", [&](FakeSysInfoPlatform& f) { f.setValue(pathKey, "PATH", 2, "%x%\\msinfo32.exe"); }},
        {"PATH not startable", [&](FakeSysInfoPlatform& f) { f.setValue(pathKey, "PATH", 1, "C:\\gone.exe"); }},
        {"PATH of zero bytes", [&](FakeSysInfoPlatform& f) { f.setValue(pathKey, "PATH", 1, ""); }},
        {"PATH too long", [&](FakeSysInfoPlatform& f) { f.setValue(pathKey, "PATH", 1, std::string(1025, 'a')); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeSysInfoPlatform local;
        c.setUp(local);
        frmAbout::setPlatformForTests(&local);
        MessageBox::clearRecords();

        frmAbout dialog;
        dialog.show();
        dialog.StartSysInfo();
        expectUnavailableMessage();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Vantrel"));
        EXPECT_EQ(local.openHandles(), 0);
        dialog.close();
    }
}

#ifndef _WIN32
TEST_F(AboutSysInfoTest, WithoutARegistryTheMessageIsShown)
{
    frmAbout::setPlatformForTests(nullptr);
    frmAbout dialog;
    dialog.StartSysInfo();
    expectUnavailableMessage();
}
#endif
