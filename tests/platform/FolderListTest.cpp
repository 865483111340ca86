#include "FolderTree.h"

#include "engine/AppError.h"
#include "platform/FileList.h"
#include "platform/FolderList.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

using vantrel::AppError;
using vantrel::FolderList;
using vantrel::test::FolderTree;

using vantrel::test::errorNumberOf;

namespace {

QStringList allEntries(const FolderList& list)
{
    QStringList entries;
    for (int i = 0; i < list.listCount(); ++i)
        entries.append(list.list(i));
    return entries;
}

QListWidgetItem* itemWithText(const FolderList& list, const QString& text)
{
    const auto found = list.findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

// Restores the process's current folder when a test that moved it ends, whichever way it ends.
class CurrentFolderGuard
{
public:
    CurrentFolderGuard() : saved_(QDir::currentPath()) {}
    ~CurrentFolderGuard() { QDir::setCurrent(saved_); }

private:
    QString saved_;
};

} // namespace

TEST(FolderList, ListsSubFoldersSortedIgnoringCaseAsFullPaths)
{
    FolderTree tree;
    ASSERT_TRUE(tree.isValid());
    tree.addFolders({"beta", "Alpha", "gamma", "alpha2", "Zulu", "Beta2/inner", ".hidden"});
    tree.addFiles({"aircraft.cfg", "Delta"});

    FolderList list;
    list.setPath(tree.root());

    EXPECT_EQ(list.listCount(), 6);
    EXPECT_EQ(allEntries(list), QStringList({tree.path("Alpha"), tree.path("alpha2"), tree.path("beta"),
                                             tree.path("Beta2"), tree.path("gamma"), tree.path("Zulu")}));
}

TEST(FolderList, EmptyFolderAndBadIndexes)
{
    FolderTree tree;
    ASSERT_TRUE(tree.isValid());
    tree.addFiles({"only-a-file"});

    FolderList list;
    list.setPath(tree.root());
    EXPECT_EQ(list.listCount(), 0);
    EXPECT_NE(errorNumberOf([&] { list.list(0); }), 0);
    EXPECT_NE(errorNumberOf([&] { list.list(-1); }), 0);
}

#ifndef _WIN32
TEST(FolderList, LinksToFoldersCountAndLoopsDoNotHang)
{
    FolderTree tree;
    ASSERT_TRUE(tree.isValid());
    tree.addFolders({"aircraft/real", "elsewhere/target"});
    tree.addFiles({"elsewhere/plain.txt"});
    tree.addLink("aircraft/linked", QFile::encodeName(tree.path("elsewhere/target")));
    tree.addLink("aircraft/loop", "..");
    tree.addLink("aircraft/dangling", "nowhere");
    tree.addLink("aircraft/to-a-file", QFile::encodeName(tree.path("elsewhere/plain.txt")));

    FolderList list;
    list.setPath(tree.path("aircraft"));
    EXPECT_EQ(allEntries(list),
              QStringList({tree.path("aircraft/linked"), tree.path("aircraft/loop"), tree.path("aircraft/real")}));

    // Opening the loop goes one level deeper by name, as a link is followed, and lists only that level.
    list.setPath(list.list(1));
    EXPECT_EQ(list.path(), tree.path("aircraft/loop"));
    EXPECT_EQ(list.listCount(), 2); // "aircraft" and "elsewhere", seen through the link
}
#endif

TEST(FolderList, PathIsNormalised)
{
    FolderTree tree;
    ASSERT_TRUE(tree.isValid());
    tree.addFolders({"sim/aircraft/c172"});

    FolderList list;
    list.setPath(tree.path("sim/aircraft") + QDir::separator());
    EXPECT_EQ(list.path(), tree.path("sim/aircraft"));

    list.setPath(tree.root() + "/sim/aircraft/c172/../../aircraft//.");
    EXPECT_EQ(list.path(), tree.path("sim/aircraft"));

    {
        CurrentFolderGuard guard;
        ASSERT_TRUE(QDir::setCurrent(tree.path("sim")));
        list.setPath("aircraft/c172");
        EXPECT_EQ(list.path(), tree.path("sim/aircraft/c172"));
    }

    const QString root = QDir::toNativeSeparators(QDir::rootPath());
    list.setPath(root);
    EXPECT_EQ(list.path(), root);
    EXPECT_TRUE(list.path().endsWith(QDir::separator())) << "a root keeps its separator";
    EXPECT_GT(list.listCount(), 0);
}

TEST(FolderList, ChangeSignalOncePerRealChangeAndSynchronous)
{
    FolderTree tree;
    ASSERT_TRUE(tree.isValid());
    tree.addFolders({"one/sub", "two"});

    FolderList list;
    QSignalSpy spy(&list, &FolderList::pathChanged);

    bool inCall = false;
    QStringList seenPaths;
    QList<int> seenCounts;
    QList<bool> seenInCall;
    QObject::connect(&list, &FolderList::pathChanged, [&] {
        seenPaths.append(list.path());
        seenCounts.append(list.listCount());
        seenInCall.append(inCall);
    });
    auto setPath = [&](const QString& path) {
        inCall = true;
        list.setPath(path);
        inCall = false;
    };

    setPath(tree.path("one"));
    EXPECT_EQ(spy.count(), 1);
    setPath(tree.path("one"));
    setPath(tree.path("one") + QDir::separator());
    setPath(tree.path("one/sub/.."));
    EXPECT_EQ(spy.count(), 1) << "the same folder, however written, is no change";

    setPath(tree.path("two"));
    setPath(tree.path("one"));
    EXPECT_EQ(spy.count(), 3);

    // The handler runs inside the call and already sees the new folder and its sub-folders.
    EXPECT_EQ(seenPaths, QStringList({tree.path("one"), tree.path("two"), tree.path("one")}));
    EXPECT_EQ(seenCounts, QList<int>({1, 0, 1}));
    EXPECT_EQ(seenInCall, QList<bool>({true, true, true}));
}

TEST(FolderList, SamePathAndRefreshRereadWithoutSignal)
{
    FolderTree tree;
    ASSERT_TRUE(tree.isValid());
    tree.addFolders({"a"});

    FolderList list;
    list.setPath(tree.root());
    QSignalSpy spy(&list, &FolderList::pathChanged);
    EXPECT_EQ(list.listCount(), 1);

    tree.addFolders({"b"});
    list.setPath(tree.root());
    EXPECT_EQ(list.listCount(), 2);

    tree.addFolders({"c"});
    list.refresh();
    EXPECT_EQ(allEntries(list), QStringList({tree.path("a"), tree.path("b"), tree.path("c")}));
    EXPECT_EQ(spy.count(), 0);
}

TEST(FolderList, MissingFolderThrowsPathNotFoundAndKeepsPath)
{
    FolderTree tree;
    ASSERT_TRUE(tree.isValid());
    tree.addFolders({"sim/aircraft"});
    tree.addFiles({"sim/fs9.exe"});

    FolderList list;
    list.setPath(tree.path("sim"));
    QSignalSpy spy(&list, &FolderList::pathChanged);
    const int rows = list.count();

    for (const QString& bad :
         {tree.path("sim/missing"), tree.path("sim/fs9.exe"), tree.path("gone/aircraft"), QString()}) {
        EXPECT_EQ(errorNumberOf([&] { list.setPath(bad); }), vantrel::err::PathNotFound) << bad.toStdString();
        EXPECT_EQ(list.path(), tree.path("sim"));
        EXPECT_EQ(allEntries(list), QStringList({tree.path("sim/aircraft")}));
        EXPECT_EQ(list.count(), rows);
    }
    EXPECT_EQ(spy.count(), 0);
}

TEST(FolderList, ShowsAncestorsThenSubFolders)
{
    FolderTree tree;
    ASSERT_TRUE(tree.isValid());
    tree.addFolders({"sim/aircraft/c172", "sim/aircraft/B737"});

    FolderList list;
    list.setPath(tree.path("sim/aircraft"));

    const QStringList levels = tree.path("sim/aircraft").split(QDir::separator(), Qt::SkipEmptyParts);
    // Root, every level down to the folder itself, then the two sub-folders.
    ASSERT_EQ(list.count(), 1 + levels.size() + 2);
    EXPECT_EQ(list.item(0)->text(), QDir::toNativeSeparators(QDir::rootPath()));
    for (int i = 0; i < levels.size(); ++i)
        EXPECT_EQ(list.item(1 + i)->text(), levels.at(i));
    EXPECT_EQ(list.item(list.count() - 2)->text(), "B737");
    EXPECT_EQ(list.item(list.count() - 1)->text(), "c172");
    EXPECT_EQ(list.currentRow(), levels.size()) << "the folder shown is the current entry";
}

TEST(FolderList, DoubleClickAndEnterOpenEntries)
{
    FolderTree tree;
    ASSERT_TRUE(tree.isValid());
    tree.addFolders({"sim/aircraft/c172", "sim/aircraft/B737"});

    FolderList list;
    list.resize(300, 600);
    list.setPath(tree.path("sim"));
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QSignalSpy spy(&list, &FolderList::pathChanged);
    // Other receivers of the view's own double-click signal still get an item that is alive.
    QStringList doubleClicked;
    QObject::connect(&list, &QListWidget::itemDoubleClicked,
                     [&](QListWidgetItem* item) { doubleClicked.append(item->text()); });

    auto doubleClick = [&](const QString& text) {
        QListWidgetItem* item = itemWithText(list, text);
        ASSERT_NE(item, nullptr) << text.toStdString();
        list.scrollToItem(item);
        // The order in which a real double-click arrives: the second press comes with the double-click event.
        const QPoint at = list.visualItemRect(item).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        QTest::mousePress(list.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at);
    };

    doubleClick("aircraft");
    EXPECT_EQ(list.path(), tree.path("sim/aircraft"));
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(list.listCount(), 2);

    doubleClick("sim"); // an ancestor
    EXPECT_EQ(list.path(), tree.path("sim"));
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(doubleClicked, QStringList({"aircraft", "sim"}));

    list.setCurrentItem(itemWithText(list, "aircraft"));
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(list.path(), tree.path("sim/aircraft"));
    EXPECT_EQ(spy.count(), 3);

    // A folder that vanished after it was listed: reported, dropped from the list, the path stays.
    QSignalSpy failures(&list, &FolderList::openFailed);
    ASSERT_TRUE(QDir(tree.path("sim/aircraft/c172")).removeRecursively());
    doubleClick("c172");
    EXPECT_EQ(list.path(), tree.path("sim/aircraft"));
    EXPECT_EQ(spy.count(), 3);
    ASSERT_EQ(failures.count(), 1);
    EXPECT_EQ(failures.at(0).at(0).toInt(), vantrel::err::PathNotFound);
    EXPECT_EQ(allEntries(list), QStringList({tree.path("sim/aircraft/B737")}));
}

TEST(FolderList, ManySubFolders)
{
    FolderTree tree;
    ASSERT_TRUE(tree.isValid());
    QStringList names;
    for (int i = 0; i < 3000; ++i)
        names.append(QStringLiteral("%1plane%2").arg(i % 2 ? "A" : "a").arg(2999 - i, 4, 10, QChar(u'0')));
    tree.addFolders(names);

    FolderList list;
    list.setPath(tree.root());
    ASSERT_EQ(list.listCount(), 3000);
    for (int i = 1; i < list.listCount(); ++i)
        ASSERT_LT(list.list(i - 1).compare(list.list(i), Qt::CaseInsensitive), 0) << i;
    EXPECT_EQ(list.list(0), tree.path("Aplane0000"));
}

#ifndef _WIN32
TEST(FolderList, NamesThatAreNotUtf8RoundTrip)
{
    FolderTree tree;
    ASSERT_TRUE(tree.isValid());
    tree.addFolders({"sim/aircraft"});
    const QByteArray latin1Name("Caf\xe9 \xff\xfe");
    const QByteArray full = tree.addRawFolder("sim/aircraft", latin1Name);
    tree.addRawFolder("sim/aircraft", "Ç-utf8");

    FolderList list;
    list.setPath(tree.path("sim/aircraft"));
    ASSERT_EQ(list.listCount(), 2);
    const QString odd = list.list(0);
    EXPECT_EQ(FolderList::encodePath(odd), full);
    EXPECT_EQ(list.list(1), tree.path("sim/aircraft/Ç-utf8"));

    list.setPath(odd);
    EXPECT_EQ(list.path(), odd);

    // The hidden file list reaches files inside it through the same path.
    const QByteArray cfgBytes = full + "/aircraft.cfg";
    FILE* file = std::fopen(cfgBytes.constData(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    vantrel::FileList files;
    files.setPattern("aircraft.cfg");
    files.setPath(odd);
    EXPECT_EQ(files.listCount(), 1);
    EXPECT_EQ(FolderList::encodePath(files.path() + QDir::separator() + files.file(0)), cfgBytes);
}

TEST(FolderList, PathCodingRoundTrips)
{
    const QList<QByteArray> samples = {
        "/plain/ascii",        "/caf\xc3\xa9/\xe2\x82\xac",  "/\xf0\x9f\x9b\xa9 plane",
        "/latin1 caf\xe9",     "/\xc0\xaf overlong",         "/\xed\xa0\x80 surrogate",
        "/truncated \xe2\x82", "/\xf5\x80\x80\x80 too high", QByteArray("/a\x80\xbf", 4)};
    for (const QByteArray& bytes : samples) {
        const QString text = FolderList::decodePath(bytes);
        EXPECT_EQ(FolderList::encodePath(text), bytes) << bytes.toHex().constData();
    }
    EXPECT_EQ(FolderList::decodePath("/caf\xc3\xa9"), QString::fromUtf8("/caf\xc3\xa9"));
    EXPECT_EQ(FolderList::decodePath("/latin1 caf\xe9").size(), 12);
}
#endif
