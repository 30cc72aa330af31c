#include "PrivateMounts.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "fileops/TreeWalk.h"

#include <QtTest>
#include <sys/mount.h>

namespace {

QString g_namespaceProblem;

struct Walked
{
    QStringList folders;      // relative to the root, "" for the root
    QStringList entries;      // "folder/name" of entries not walked into
    QList<TreeWalk::Notice> notices;
};

Walked walkAll(const QString &root)
{
    Walked w;
    TreeWalk walk;
    if (!walk.start(root))
        return w;
    const QString base = walk.folderPath();
    QString folder = base;
    do {
        w.folders.append(folder.mid(base.size()));
        for (const TreeWalk::Entry &e : walk.entries())
            w.entries.append(folder.mid(base.size()) + QString::fromUtf8(e.name));
    } while (walk.nextFolder(folder));
    for (const auto &n : walk.notices())
        w.notices.append(n);
    return w;
}

} // namespace

class TreeWalkTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Pre-order, names in byte order, hidden items included, links never entered.
    void order_data()
    {
        QTest::addColumn<QStringList>("folders");   // created, in any order
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("links");     // "name=target"
        QTest::addColumn<QStringList>("walked");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("root only") << QStringList{} << QStringList{"f"} << QStringList{} << QStringList{""}
                                   << QStringList{"f"};
        QTest::newRow("descendants before the next sibling")
            << QStringList{"b", "a/z", "a/c/d", "a/c/e"} << QStringList{"a/c/d/x", "b/y"} << QStringList{}
            << QStringList{"", "a/", "a/c/", "a/c/d/", "a/c/e/", "a/z/", "b/"} << QStringList{"a/c/d/x", "b/y"};
        QTest::newRow("hidden and byte order") << QStringList{".h", "B", "a"} << QStringList{".f", "Z"} << QStringList{}
                                               << QStringList{"", ".h/", "B/", "a/"} << QStringList{".f", "Z"};
        QTest::newRow("link to a folder is an entry") << QStringList{"real"} << QStringList{}
                                                      << QStringList{"link=real"} << QStringList{"", "real/"}
                                                      << QStringList{"link"};
        QTest::newRow("link loop is not followed") << QStringList{"a"} << QStringList{}
                                                   << QStringList{"a/up=..", "a/self=."} << QStringList{"", "a/"}
                                                   << QStringList{"a/self", "a/up"};
    }
    void order()
    {
        QFETCH(QStringList, folders);
        QFETCH(QStringList, files);
        QFETCH(QStringList, links);
        QFETCH(QStringList, walked);
        QFETCH(QStringList, entries);
        TempTree tree;
        for (const QString &f : folders)
            tree.folder("t/" + f);
        for (const QString &f : files)
            tree.file("t/" + f, "data");
        for (const QString &l : links)
            tree.symlink("t/" + l.section('=', 0, 0), l.section('=', 1));
        const Walked w = walkAll(tree.path("t"));
        QCOMPARE(w.folders, walked);
        QCOMPARE(w.entries, entries);
        QVERIFY(w.notices.isEmpty());
    }

    // 100 levels below the root are walked; the 101st is reported by name, not entered.
    void depthLimit()
    {
        TempTree tree;
        QString relative = "t";
        for (int i = 1; i <= TreeWalk::MaxDepth + 2; ++i)
            relative += "/d";
        tree.folder(relative);
        const Walked w = walkAll(tree.path("t"));
        QCOMPARE(w.folders.size(), TreeWalk::MaxDepth + 1);
        QCOMPARE(w.notices.size(), 1);
        QCOMPARE(w.notices[0].problem, TreeWalk::Problem::TooDeep);
        const QString tooDeep = tree.path("t") + QString("/d").repeated(TreeWalk::MaxDepth + 1);
        QCOMPARE(w.notices[0].path, tooDeep);
        QVERIFY(describeWalkNotice(w.notices[0], false).contains(tooDeep));
        QVERIFY(describeWalkNotice(w.notices[0], true).contains(tooDeep));
    }

    void rootThatCannotBeWalked()
    {
        TempTree tree;
        tree.file("file");
        for (const char *root : {"missing", "file"}) {
            TreeWalk walk;
            QVERIFY2(!walk.start(tree.path(root)) && walk.error() != 0, root);
        }
    }

    // Names are the folder's bytes, whatever they decode to.
    void namesAreBytes()
    {
        TempTree tree;
        tree.folder("t");
        const QByteArray odd = QFile::encodeName(tree.path("t")) + "/caf\xe9";
        QVERIFY(::mkdir(odd.constData(), 0700) == 0);
        TreeWalk walk;
        QVERIFY(walk.start(tree.path("t")));
        QString folder;
        QVERIFY(walk.nextFolder(folder));
        const QByteArray seen = walk.folderBytes();
        ::rmdir(odd.constData());
        QCOMPARE(seen, odd + '/');
    }

    // Another volume inside the tree is reported and not walked; so is a bind mount
    // of the same volume, which the device number alone cannot tell.
    void mountInsideTree_data()
    {
        QTest::addColumn<bool>("bind");
        QTest::newRow("tmpfs") << false;
        QTest::newRow("bind mount") << true;
    }
    void mountInsideTree()
    {
        QFETCH(bool, bind);
        if (!g_namespaceProblem.isEmpty())
            QSKIP(qPrintable(g_namespaceProblem));
        TempTree tree;
        tree.folder("t/plain");
        tree.file("elsewhere/inside", "x");
        const QString mountPoint = tree.folder("t/mounted");
        const QByteArray at = QFile::encodeName(mountPoint);
        const int mounted = bind ? ::mount(QFile::encodeName(tree.path("elsewhere")).constData(), at.constData(), nullptr,
                                           MS_BIND, nullptr)
                                 : ::mount("tmpfs", at.constData(), "tmpfs", 0, "size=1m");
        if (mounted != 0)
            QSKIP(qPrintable("cannot mount here: " + qt_error_string(errno)));
        const Walked w = walkAll(tree.path("t"));
        ::umount2(QFile::encodeName(mountPoint).constData(), MNT_DETACH);
        QCOMPARE(w.folders, (QStringList{"", "plain/"}));
        QCOMPARE(w.notices.size(), 1);
        QCOMPARE(w.notices[0].problem, TreeWalk::Problem::OtherMount);
        QCOMPARE(w.notices[0].path, mountPoint);
    }
};

int main(int argc, char **argv)
{
    g_namespaceProblem = enterPrivateMountNamespace();
    prepareTestProcess();
    TestEnvironment environment;
    QCoreApplication app(argc, argv);
    TreeWalkTest tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_TreeWalk.moc"
