#include "ScratchMount.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "platform/ExactName.h"
#include "platform/RuntimeError.h"
#include "platform/SafeRename.h"

#include <QDir>
#include <QtTest>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <sys/stat.h>

namespace {

// The names the folder really holds, as readdir gives them (a case-insensitive
// volume answers lstat for any spelling, so only the listing shows which one it keeps).
QStringList namesIn(const QString &folder)
{
    QStringList names;
    DIR *d = ::opendir(ExactName::toBytes(folder).constData());
    if (!d)
        return names;
    while (dirent *e = ::readdir(d)) {
        const QByteArray n(e->d_name);
        if (n != "." && n != "..")
            names << ExactName::fromBytes(n);
    }
    ::closedir(d);
    names.sort();
    return names;
}

int errnoNumberOf(const QString &folder, const QString &from, const QString &to)
{
    try {
        renameWithoutReplacing(folder, from, to);
    } catch (const RuntimeError &e) {
        return e.number;
    }
    return 0;
}

} // namespace

class SafeRenameTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typedNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("problem");
        QTest::newRow("plain") << "notes.txt" << int(TypedNameProblem::None);
        QTest::newRow("blanks kept") << "  x  " << int(TypedNameProblem::None);
        QTest::newRow("three dots") << "..." << int(TypedNameProblem::None);
        QTest::newRow("empty") << "" << int(TypedNameProblem::Empty);
        QTest::newRow("slash") << "a/b" << int(TypedNameProblem::HasSlash);
        QTest::newRow("nul") << QString("a") + QChar(0) + "b" << int(TypedNameProblem::HasNul);
        QTest::newRow("dot") << "." << int(TypedNameProblem::DotOrDotDot);
        QTest::newRow("dot dot") << ".." << int(TypedNameProblem::DotOrDotDot);
    }
    void typedNames()
    {
        QFETCH(QString, name);
        QFETCH(int, problem);
        QCOMPARE(int(checkTypedName(name)), problem);
        if (problem == int(TypedNameProblem::None))
            return;
        // The rename itself refuses what the check refuses, and nothing moves.
        TempTree tree;
        tree.folder("sub");
        tree.file("a", "A");
        QCOMPARE(errnoNumberOf(tree.root(), "a", name), ErrorNumber::BadFileName);
        QCOMPARE(namesIn(tree.root()), QStringList({"a", "sub"}));
        QCOMPARE(namesIn(tree.path("sub")), QStringList());
    }

    // Each row: the names present before, the rename, the names after, and the error.
    void renames_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("error");
        QTest::newRow("free name") << QStringList{"a"} << "a" << "b" << QStringList{"b"} << 0;
        QTest::newRow("case only") << QStringList{"case.txt"} << "case.txt" << "CASE.TXT" << QStringList{"CASE.TXT"} << 0;
        QTest::newRow("same name") << QStringList{"a"} << "a" << "a" << QStringList{"a"} << 0;
        // The other item appeared after the user was asked: it is kept.
        QTest::newRow("name taken") << QStringList{"a", "b"} << "a" << "b" << QStringList{"a", "b"}
                                    << ErrorNumber::FileAlreadyExists;
        QTest::newRow("other spelling taken") << QStringList{"a", "A"} << "a" << "A" << QStringList{"A", "a"}
                                              << ErrorNumber::FileAlreadyExists;
        QTest::newRow("source gone") << QStringList{"b"} << "a" << "c" << QStringList{"b"} << ErrorNumber::FileNotFound;
        QTest::newRow("too long") << QStringList{"a"} << "a" << QString(300, 'x') << QStringList{"a"}
                                  << ErrorNumber::BadFileName;
        QTest::newRow("odd bytes repaired") << QStringList{ExactName::fromBytes("caf\xe9")} << ExactName::fromBytes("caf\xe9")
                                            << QString::fromUtf8("café") << QStringList{QString::fromUtf8("café")} << 0;
    }
    void renames()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, after);
        QFETCH(int, error);
        TempTree tree;
        for (const QString &n : before)
            ::close(::open(ExactName::toBytes(tree.root() + "/" + n).constData(), O_CREAT | O_WRONLY, 0644));
        QCOMPARE(errnoNumberOf(tree.root(), from, to), error);
        QCOMPARE(namesIn(tree.root()), after);
    }

    // Volumes that fold letter case, with and without a rename that refuses to replace.
    void caseInsensitiveVolumes_data()
    {
        QTest::addColumn<QStringList>("mkfs");
        QTest::addColumn<QStringList>("mount");
        QTest::newRow("vfat (kernel)") << QStringList{"mkfs.vfat"} << QStringList{"mount", "-o", "loop"};
        QTest::newRow("ntfs-3g (FUSE, no RENAME_NOREPLACE)") << QStringList{"mkntfs", "-q", "-F", "-f"}
                                                              << QStringList{"ntfs-3g"};
        QTest::newRow("fusefat (FUSE, folds case)") << QStringList{"mkfs.vfat"} << QStringList{"fusefat", "-o", "rw+"};
    }
    void caseInsensitiveVolumes()
    {
        QFETCH(QStringList, mkfs);
        QFETCH(QStringList, mount);
        ScratchMount m = ScratchMount::image(16, mkfs, mount);
        if (!m.ok())
            QSKIP(qPrintable("cannot mount the image here: " + m.error()));
        const QString root = m.path();
        for (const char *n : {"case.txt", "other.txt"})
            ::close(::open(QByteArray(root.toUtf8() + "/" + n).constData(), O_CREAT | O_WRONLY, 0644));
        QDir().mkdir(root + "/folder");

        QCOMPARE(errnoNumberOf(root, "case.txt", "Case.TXT"), 0);
        QCOMPARE(errnoNumberOf(root, "folder", "FOLDER"), 0);
        QCOMPARE(errnoNumberOf(root, "other.txt", "new.txt"), 0);
        QCOMPARE(errnoNumberOf(root, "new.txt", "Case.TXT"), ErrorNumber::FileAlreadyExists);
        QCOMPARE(errnoNumberOf(root, "FOLDER", "Case.TXT"), ErrorNumber::FileAlreadyExists);
        QCOMPARE(errnoNumberOf(root, "new.txt", "FOLDER"), ErrorNumber::FileAlreadyExists);
        QStringList expected{"Case.TXT", "FOLDER", "new.txt"};
        QStringList found = namesIn(root);
        found.removeAll("$RECYCLE.BIN");
        found.removeAll("System Volume Information");
        QCOMPARE(found, expected);
    }
};

TIDYHALL_TEST_MAIN(SafeRenameTest)
#include "tst_SafeRename.moc"
