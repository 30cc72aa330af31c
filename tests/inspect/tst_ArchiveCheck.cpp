#include "PrivateMounts.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "inspect/ArchiveCheck.h"
#include "platform/DosAttributes.h"
#include "platform/RuntimeError.h"

#include <QtTest>
#include <sys/mount.h>
#include <unistd.h>

namespace {

QString g_namespaceProblem;

void setArchive(const QString &path, bool on)
{
    DosAttributes a = readAttributes(path);
    a.archive = on;
    writeAttributes(path, a);
}

} // namespace

class ArchiveCheckTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A file never marked reads Archive set; a folder only with its stored bit.
    void findsWhatNeedsArchiving_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("found"); // relative to the start
        QTest::addColumn<qint64>("bytes");
        QTest::newRow("everything") << "*.*"
                                    << QStringList{"", ".hidden", "a.txt", "sub", "sub/c.TXT", "sub/deep/d.doc"}
                                    << qint64(1 + 22 + 333 + 4444);
        QTest::newRow("pattern on files, folders whatever it is")
            << "*.txt" << QStringList{"", "a.txt", "sub", "sub/c.TXT"} << qint64(22 + 333);
        QTest::newRow("matching nothing") << "*.none" << QStringList{"", "sub"} << qint64(0);
    }
    void findsWhatNeedsArchiving()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, found);
        QFETCH(qint64, bytes);
        TempTree tree;
        const QString start = tree.folder("start");
        tree.file("start/.hidden", "x");
        tree.file("start/a.txt", QByteArray(22, 'a'));
        tree.file("start/b.txt", "backed up");
        tree.file("start/sub/c.TXT", QByteArray(333, 'c'));
        tree.file("start/sub/deep/d.doc", QByteArray(4444, 'd'));
        tree.symlink("start/link.txt", "a.txt");
        QVERIFY(::mkfifo(QFile::encodeName(tree.path("start/pipe.txt")).constData(), 0600) == 0);
        setArchive(start, true);
        setArchive(tree.path("start/sub"), true);
        setArchive(tree.path("start/b.txt"), false);

        QStringList shownFolders;
        ArchiveCheckObserver observer;
        observer.folderEntered = [&](const QString &f) { shownFolders.append(f); };
        QStringList reported;
        observer.itemFound = [&](const QString &item) { reported.append(item); };
        const ArchiveCheckResult r = RunArchiveCheck(start, pattern, observer);

        QStringList expected;
        for (const QString &f : found)
            expected.append(f.isEmpty() ? start : start + '/' + f);
        QCOMPARE(r.found, expected);
        QCOMPARE(reported, expected);
        QCOMPARE(shownFolders, (QStringList{start + '/', start + "/sub/", start + "/sub/deep/"}));
        const qint64 folders = std::count_if(found.begin(), found.end(), [](const QString &f) {
            return f.isEmpty() || f == "sub";
        });
        QCOMPARE(r.folders, folders);
        QCOMPARE(r.files, qint64(found.size()) - folders);
        QCOMPARE(r.bytes, bytes);
        QVERIFY(!r.stopped);
    }

    // Counts and total are 64-bit: sparse files make gigabytes cheap.
    void totalPastTwoGigabytes()
    {
        TempTree tree;
        const QString start = tree.folder("big");
        for (const char *name : {"big/one", "big/two", "big/three"}) {
            QFile f(tree.file(name));
            QVERIFY(f.open(QIODevice::ReadWrite) && f.resize(qint64(3) << 30));
        }
        const ArchiveCheckResult r = RunArchiveCheck(start, "*.*");
        QCOMPARE(r.files, qint64(3));
        QCOMPARE(r.bytes, qint64(9) << 30);
        QCOMPARE(ArchiveSummary(r.folders, r.files, r.bytes, false),
                 QString("Folders: 0. Files: 3. File size in bytes: 9,663,676,416."));
        QCOMPARE(ArchiveSummary(r.folders, r.files, r.bytes, true),
                 QString("Φάκελλοι: 0. Αρχεία: 3. Μέγεθος αρχείων σε χαρακτήρες: 9,663,676,416."));
    }

    // Stop ends the walk after the folder being read and keeps what was found.
    void stopKeepsWhatWasFound()
    {
        TempTree tree;
        const QString start = tree.folder("s");
        tree.file("s/a/1");
        tree.file("s/b/2");
        ArchiveCheckObserver observer;
        int folders = 0;
        observer.folderEntered = [&](const QString &) { ++folders; };
        observer.stopRequested = [&] { return folders == 2; };
        const ArchiveCheckResult r = RunArchiveCheck(start, "*.*", observer);
        QVERIFY(r.stopped);
        QCOMPARE(r.found, QStringList{start + "/a/1"});
    }

    void pattern_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("valid");
        QTest::newRow("stars and marks") << "*.t?t" << true;
        QTest::newRow("brackets are letters") << "[a]*" << true;
        QTest::newRow("empty means all") << "" << true;
        QTest::newRow("a folder separator") << "sub/*.txt" << false;
        QTest::newRow("a tab") << "*\t" << false;
    }
    void pattern()
    {
        QFETCH(QString, pattern);
        QFETCH(bool, valid);
        QCOMPARE(ArchiveCheckPatternIsValid(pattern), valid);
    }

    void startThatCannotBeRead()
    {
        TempTree tree;
        QVERIFY_THROWS_EXCEPTION(RuntimeError, RunArchiveCheck(tree.path("gone"), "*.*"));
    }

    // A volume's root is the drive itself: never listed, though its contents are.
    void volumeRootIsNotAnItem()
    {
        if (!g_namespaceProblem.isEmpty())
            QSKIP(qPrintable(g_namespaceProblem));
        TempTree tree;
        const QString root = tree.folder("volume");
        if (::mount("tmpfs", QFile::encodeName(root).constData(), "tmpfs", 0, "size=1m") != 0)
            QSKIP(qPrintable("cannot mount a tmpfs here: " + qt_error_string(errno)));
        const auto unmount = qScopeGuard([&] { ::umount2(QFile::encodeName(root).constData(), MNT_DETACH); });
        tree.file("volume/f", "1");
        try {
            setArchive(root, true);
        } catch (const RuntimeError &e) {
            QSKIP(qPrintable("this tmpfs keeps no attributes: " + e.description));
        }
        const ArchiveCheckResult r = RunArchiveCheck(root, "*.*");
        QCOMPARE(r.found, QStringList{root + "/f"});
        QCOMPARE(r.folders, qint64(0));
    }
};

int main(int argc, char **argv)
{
    g_namespaceProblem = enterPrivateMountNamespace();
    prepareTestProcess();
    TestEnvironment environment;
    QCoreApplication app(argc, argv);
    ArchiveCheckTest tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_ArchiveCheck.moc"
