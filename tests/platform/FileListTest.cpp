#include "FolderTree.h"

#include "engine/AppError.h"
#include "platform/FileList.h"

#include <QDir>

#include <gtest/gtest.h>

#include <functional>

using vantrel::AppError;
using vantrel::FileList;
using vantrel::test::FolderTree;

using vantrel::test::errorNumberOf;

namespace {

QStringList allFiles(const FileList& list)
{
    QStringList files;
    for (int i = 0; i < list.listCount(); ++i)
        files.append(list.file(i));
    return files;
}

} // namespace

TEST(FileList, IsNeverShown)
{
    QWidget window;
    FileList list(&window);
    window.show();
    EXPECT_FALSE(list.isVisible()) << "showing the window does not show the file list";
}

TEST(FileList, PatternMatchesIgnoringCaseOnlyOrdinaryVisibleFiles)
{
    FolderTree tree;
    ASSERT_TRUE(tree.isValid());
    tree.addFolders({"c172", "b737/aircraft.cfg", "dc3"});
    tree.addFiles(
        {"c172/Aircraft.CFG", "c172/aircraft.cfg.bak", "c172/my aircraft.cfg", "b737/panel.cfg", "dc3/.aircraft.cfg"});

    FileList list;
    list.setPattern("aircraft.cfg");
    EXPECT_EQ(list.pattern(), "aircraft.cfg");

    list.setPath(tree.path("c172"));
    EXPECT_EQ(allFiles(list), QStringList({"Aircraft.CFG"}));
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(list.fileName(), "");

    list.setPath(tree.path("b737"));
    EXPECT_EQ(list.listCount(), 0) << "a folder named aircraft.cfg is no file";
    EXPECT_EQ(list.path(), tree.path("b737"));

#ifndef _WIN32
    list.setPath(tree.path("dc3"));
    EXPECT_EQ(list.listCount(), 0) << "a dot-file is hidden";
#endif
}

TEST(FileList, WildcardsAndSortOrder)
{
    FolderTree tree;
    ASSERT_TRUE(tree.isValid());
    tree.addFolders({"dir.cfg"});
    tree.addFiles({"b.cfg", "A.cfg", "a2.CFG", "note.txt", "README", "x.cfgx"});

    FileList list;
    list.setPath(tree.root());
    EXPECT_EQ(allFiles(list), QStringList({"A.cfg", "a2.CFG", "b.cfg", "note.txt", "README", "x.cfgx"}))
        << "no pattern lists every file";

    list.setPattern("*.cfg");
    EXPECT_EQ(allFiles(list), QStringList({"A.cfg", "a2.CFG", "b.cfg"}));
    list.setPattern("?.CFG");
    EXPECT_EQ(allFiles(list), QStringList({"A.cfg", "b.cfg"}));
    list.setPattern("a*");
    EXPECT_EQ(allFiles(list), QStringList({"A.cfg", "a2.CFG"}));
    list.setPattern("*.*");
    EXPECT_EQ(list.listCount(), 6) << "*.* includes names without a dot";
    list.setPattern("readme;*.TXT");
    EXPECT_EQ(allFiles(list), QStringList({"note.txt", "README"}));
    list.setPattern("*e*e");
    EXPECT_EQ(allFiles(list), QStringList({"README"})) << "a '*' that must give back what it took";
    list.setPattern("*.cf");
    EXPECT_EQ(list.listCount(), 0);
}

#ifndef _WIN32
TEST(FileList, LinksToFilesCountDanglingLinksDoNot)
{
    FolderTree tree;
    ASSERT_TRUE(tree.isValid());
    tree.addFolders({"plane", "store"});
    tree.addFiles({"store/real.cfg"});
    tree.addLink("plane/aircraft.cfg", QFile::encodeName(tree.path("store/real.cfg")));
    tree.addLink("plane/AIRCRAFT.cfg", "missing.cfg");

    FileList list;
    list.setPattern("aircraft.cfg");
    list.setPath(tree.path("plane"));
    EXPECT_EQ(allFiles(list), QStringList({"aircraft.cfg"}));
}
#endif

TEST(FileList, SelectionByIndexAndName)
{
    FolderTree tree;
    ASSERT_TRUE(tree.isValid());
    tree.addFolders({"one", "two"});
    tree.addFiles({"one/Aircraft.CFG", "one/panel.cfg", "two/aircraft.cfg"});

    FileList list;
    list.setPattern("*.cfg");
    list.setPath(tree.path("one"));
    ASSERT_EQ(list.listCount(), 2);

    list.setListIndex(0);
    EXPECT_EQ(list.fileName(), "Aircraft.CFG");
    list.setListIndex(1);
    EXPECT_EQ(list.fileName(), "panel.cfg");
    list.setFileName("");
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(list.fileName(), "");

    list.setFileName("aircraft.cfg");
    EXPECT_EQ(list.listIndex(), 0);
    EXPECT_EQ(list.fileName(), "Aircraft.CFG");
    list.setFileName("missing.cfg");
    EXPECT_EQ(list.listIndex(), -1);

    EXPECT_NE(errorNumberOf([&] { list.setListIndex(2); }), 0);
    EXPECT_NE(errorNumberOf([&] { list.setListIndex(-2); }), 0);
    EXPECT_NE(errorNumberOf([&] { list.file(2); }), 0);
    list.setListIndex(-1);
    EXPECT_EQ(list.fileName(), "");

    list.setListIndex(1);
    list.setPath(tree.path("two"));
    EXPECT_EQ(list.listIndex(), -1) << "a new folder starts with nothing selected";
    EXPECT_EQ(list.fileName(), "");
    list.setListIndex(0);
    EXPECT_EQ(list.fileName(), "aircraft.cfg");
}

TEST(FileList, UnreadableFolderThrowsAndKeepsState)
{
    FolderTree tree;
    ASSERT_TRUE(tree.isValid());
    tree.addFolders({"plane"});
    tree.addFiles({"plane/aircraft.cfg", "file.txt"});

    FileList list;
    list.setPattern("aircraft.cfg");
    list.setPath(tree.path("plane") + QDir::separator());
    EXPECT_EQ(list.path(), tree.path("plane"));
    list.setListIndex(0);

    EXPECT_EQ(errorNumberOf([&] { list.setPath(tree.path("gone")); }), vantrel::err::PathNotFound);
    EXPECT_EQ(errorNumberOf([&] { list.setPath(tree.path("file.txt")); }), vantrel::err::PathNotFound);
    EXPECT_EQ(errorNumberOf([&] { list.setPath(QString()); }), vantrel::err::PathNotFound);
    EXPECT_EQ(list.path(), tree.path("plane"));
    EXPECT_EQ(list.fileName(), "aircraft.cfg");

    // A new pattern re-reads the folder; if the folder has gone meanwhile, the old pattern and list stay.
    ASSERT_TRUE(QDir(tree.path("plane")).removeRecursively());
    EXPECT_EQ(errorNumberOf([&] { list.setPattern("*.air"); }), vantrel::err::PathNotFound);
    EXPECT_EQ(list.pattern(), "aircraft.cfg");
    EXPECT_EQ(list.listCount(), 1);
}
