#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "platform/ExactName.h"
#include "platform/FileOperation.h"
#include "platform/PathIdentity.h"

#include <QtTest>
#include <optional>

using PathIdentity::Protection;
Q_DECLARE_METATYPE(PathIdentity::Protection)

// One path, one item: paths are made normal where they enter, the service takes no
// other, and the guards judge the item itself by device and inode. Guards are tested
// by their decision only: nothing here deletes anything outside a scratch folder.
class PathIdentityTest : public QObject
{
    Q_OBJECT
    std::optional<TempTree> m_tree;

private Q_SLOTS:
    void init() { m_tree.emplace(); }

    void isNormal_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("normal");
        QTest::newRow("root") << "/" << true;
        QTest::newRow("plain") << "/home/ann" << true;
        QTest::newRow("trailing slash") << "/home/ann/" << true;
        QTest::newRow("odd byte") << ExactName::fromBytes("/d\xff/x") << true;
        QTest::newRow("root dot") << "/." << false;
        QTest::newRow("double slash") << "//" << false;
        QTest::newRow("up from x") << "/x/.." << false;
        QTest::newRow("inner double slash") << "/a//b" << false;
        QTest::newRow("inner dot") << "/a/./b" << false;
        QTest::newRow("two trailing slashes") << "/a//" << false;
        QTest::newRow("relative") << "a/b" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dots in a name") << "/a/..b/c." << true;
    }
    void isNormal()
    {
        QFETCH(QString, path);
        QFETCH(bool, normal);
        QCOMPARE(PathIdentity::isNormal(path), normal);
        QCOMPARE(PathIdentity::isNormal(ExactName::toBytes(path)), normal);
    }

    void normalised_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected"); // relative to the scratch root; "=" for itself
        QTest::newRow("double slashes") << "//t//h/" << "/t/h";
        QTest::newRow("dot") << "/t/./h/." << "/t/h";
        QTest::newRow("up through a link goes up from its target") << "/t/h/link/.." << "/t/o";
        QTest::newRow("up then down") << "/t/h/link/../f" << "/t/o/f";
        QTest::newRow("plain up") << "/t/h/.." << "/t";
    }
    void normalised()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        m_tree->file("t/o/f", "shown");
        m_tree->file("t/h/f", "never shown");
        m_tree->folder("t/o/sub");
        m_tree->symlink("t/h/link", m_tree->path("t/o/sub"));
        QCOMPARE(PathIdentity::normalised(m_tree->root() + path), m_tree->root() + expected);
    }

    void normalisedRootAndRelative()
    {
        QCOMPARE(PathIdentity::normalised("/."), QStringLiteral("/"));
        QCOMPARE(PathIdentity::normalised("//"), QStringLiteral("/"));
        QCOMPARE(PathIdentity::normalised("/tmp/.."), QStringLiteral("/"));
        QCOMPARE(PathIdentity::normalised("relative/x"), QString());
    }

    // The guard's decision, for the paths people and attackers hand it.
    void guardDecision_data()
    {
        QTest::addColumn<QString>("path"); // "~" stands for the scratch root
        QTest::addColumn<Protection>("expected");
        QTest::newRow("root") << "/" << Protection::Root;
        QTest::newRow("root dot") << "/." << Protection::NotNormal;
        QTest::newRow("double slash") << "//" << Protection::NotNormal;
        QTest::newRow("up from x") << "/x/.." << Protection::NotNormal;
        QTest::newRow("scratch up") << "~/t/.." << Protection::NotNormal;
        QTest::newRow("link to root is a link") << "~/to-root" << Protection::None;
        QTest::newRow("home") << "~/home" << Protection::Protected;
        QTest::newRow("home through a link") << "~/via/home" << Protection::Protected;
        QTest::newRow("folder holding home") << "~" << Protection::Protected;
        QTest::newRow("link to home is a link") << "~/to-home" << Protection::None;
        QTest::newRow("data folder") << "~/t/data" << Protection::Protected;
        QTest::newRow("data folder's parent") << "~/t" << Protection::Protected;
        QTest::newRow("item in home") << "~/home/letter.txt" << Protection::None;
        QTest::newRow("folder in home") << "~/home/Documents" << Protection::None;
        QTest::newRow("missing") << "~/nowhere" << Protection::None;
    }
    void guardDecision()
    {
        QFETCH(QString, path);
        QFETCH(Protection, expected);
        m_tree->file("home/letter.txt", "x");
        m_tree->folder("home/Documents");
        m_tree->folder("t/data");
        m_tree->symlink("to-root", "/");
        m_tree->symlink("to-home", m_tree->path("home"));
        m_tree->symlink("via", m_tree->root());
        const QList<QByteArray> kept{ExactName::toBytes(m_tree->path("home")), ExactName::toBytes(m_tree->path("t/data"))};
        path.replace(QLatin1Char('~'), m_tree->root());
        QCOMPARE(PathIdentity::judgeRemoval(ExactName::toBytes(path), kept), expected);
    }

    // A mount point (here the scratch root's own volume top, wherever it is) is never
    // removed: judged on the mount the scratch folder lives on, by decision only.
    void mountPointDecision()
    {
        const QByteArray proc = "/proc";
        const auto id = PathIdentity::itemIdentity(proc);
        QVERIFY(id);
        QVERIFY(id->mountRoot);
        QCOMPARE(PathIdentity::judgeRemoval(proc, {}), Protection::MountPoint);
    }

    // The service itself refuses, names the item and touches nothing.
    void serviceRefuses_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("message");
        const int quiet = FileOperationFlag::NoConfirmation;
        const int trash = quiet | FileOperationFlag::AllowUndo;
        QTest::newRow("delete up-path") << int(FileOperationKind::Delete) << quiet << "~/t/.." << "does not name one item";
        QTest::newRow("trash dot") << int(FileOperationKind::Delete) << trash << "~/t/." << "does not name one item";
        QTest::newRow("delete double slash") << int(FileOperationKind::Delete) << quiet << "~//t" << "does not name one item";
        QTest::newRow("delete home") << int(FileOperationKind::Delete) << quiet << "~/home" << "home folder";
        QTest::newRow("trash home's parent") << int(FileOperationKind::Delete) << trash << "~" << "home folder";
        QTest::newRow("move the data folder away") << int(FileOperationKind::Move) << quiet << "~/t/data" << "data folder";
        QTest::newRow("move up-path") << int(FileOperationKind::Move) << quiet << "~/t/data/.." << "does not name one item";
    }
    void serviceRefuses()
    {
        QFETCH(int, kind);
        QFETCH(int, flags);
        QFETCH(QString, source);
        QFETCH(QString, message);
        m_tree->file("home/letter.txt", "x");
        m_tree->file("t/data/Tidyhall.ini", "x");
        m_tree->folder("target");
        FileOperationRequest request;
        request.operation = FileOperationKind(kind);
        request.sources = {source.replace(QLatin1Char('~'), m_tree->root())};
        request.target = m_tree->path("target");
        request.flags = flags;
        request.languageGreek = false;
        request.protectedPaths = {m_tree->path("home"), m_tree->path("t/data")};
        ScriptedPrompter prompter;
        const FileOperationResult r = performFileOperation(request, prompter);
        QCOMPARE(r.done, 0);
        QCOMPARE(r.failed, 1);
        QVERIFY(!prompter.prompts.isEmpty());
        QVERIFY2(prompter.last().text.contains(message), qPrintable(prompter.last().text));
        QVERIFY(m_tree->exists("home/letter.txt"));
        QVERIFY(m_tree->exists("t/data/Tidyhall.ini"));
    }

    // A link is removed as a link, whatever it leads to (a scratch folder stands in for "/").
    void linkDeletedAsLink_data()
    {
        QTest::addColumn<int>("flags");
        QTest::newRow("delete") << int(FileOperationFlag::NoConfirmation);
        QTest::newRow("trash") << int(FileOperationFlag::NoConfirmation | FileOperationFlag::AllowUndo);
    }
    void linkDeletedAsLink()
    {
        QFETCH(int, flags);
        m_tree->file("home/letter.txt", "x");
        m_tree->symlink("to-home", m_tree->path("home"));
        FileOperationRequest request;
        request.operation = FileOperationKind::Delete;
        request.sources = {m_tree->path("to-home")};
        request.flags = flags;
        request.protectedPaths = {m_tree->path("home")};
        ScriptedPrompter prompter;
        QCOMPARE(performFileOperation(request, prompter).done, 1);
        QVERIFY(!QFileInfo(m_tree->path("to-home")).isSymLink());
        QCOMPARE(m_tree->read("home/letter.txt"), QByteArray("x"));
    }
};

TIDYHALL_TEST_MAIN(PathIdentityTest)
#include "tst_PathIdentity.moc"
