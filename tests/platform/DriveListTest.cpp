#include "engine/AppError.h"
#include "platform/DriveList.h"
#include "platform/FolderList.h"

#include "FolderTree.h"

#include <QDir>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

using vantrel::AppError;
using vantrel::DriveList;

using vantrel::test::errorNumberOf;

namespace {

} // namespace

TEST(DriveList, ListsTheMachinesDrives)
{
    DriveList drives;
    ASSERT_GE(drives.count(), 1);
    EXPECT_EQ(drives.drive(), drives.currentText());
#ifdef _WIN32
    for (int i = 0; i < drives.count(); ++i) {
        const QString name = drives.itemText(i);
        EXPECT_TRUE(name.at(0).isLower() && name.at(1) == u':') << name.toStdString();
    }
#else
    EXPECT_EQ(drives.count(), 1);
    EXPECT_EQ(drives.itemText(0), "/");
    EXPECT_EQ(drives.drive(), "/");
#endif
}

TEST(DriveList, SettingTheDrive)
{
    DriveList drives;
    QSignalSpy spy(&drives, &DriveList::driveChanged);
    const QString shown = drives.drive();

    drives.setDrive(shown);
    drives.setDrive(shown.left(1).toUpper() + " [whatever follows does not count]");
    EXPECT_EQ(spy.count(), 0) << "the same drive is no change";

#ifndef _WIN32
    EXPECT_EQ(errorNumberOf([&] { drives.setDrive("q:"); }), vantrel::err::DeviceUnavailable);
    EXPECT_EQ(errorNumberOf([&] { drives.setDrive("c: [SYSTEM]"); }), vantrel::err::DeviceUnavailable);
#endif
    EXPECT_EQ(errorNumberOf([&] { drives.setDrive(""); }), vantrel::err::DeviceUnavailable);
    EXPECT_EQ(errorNumberOf([&] { drives.setDrive("1"); }), vantrel::err::DeviceUnavailable);
    EXPECT_EQ(drives.drive(), shown);
    EXPECT_EQ(spy.count(), 0);
}

TEST(DriveList, CurrentFolderOnADrive)
{
    const QString current = QDir::toNativeSeparators(QDir::currentPath());
#ifdef _WIN32
    EXPECT_EQ(DriveList::currentFolderOn(current.left(2)).compare(current, Qt::CaseInsensitive), 0);
#else
    EXPECT_EQ(DriveList::currentFolderOn("/"), current);
    EXPECT_EQ(errorNumberOf([] { DriveList::currentFolderOn("q:"); }), vantrel::err::DeviceUnavailable);
#endif
    EXPECT_EQ(errorNumberOf([] { DriveList::currentFolderOn(""); }), vantrel::err::DeviceUnavailable);
}
