#include "TempTree.h"
#include "TestEnvironment.h"
#include "platform/PrivateProfile.h"
#include "platform/RuntimeError.h"

#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

// Key k of section A, as the program reads and writes each setting.
class PrivateProfileTest : public QObject
{
    Q_OBJECT
    static QString read(const QString &ini, const QString &defaultText = QStringLiteral("dflt"), int buffer = 25)
    {
        return PrivateProfile::readString(QStringLiteral("A"), QStringLiteral("k"), defaultText, buffer, ini);
    }

private Q_SLOTS:
    // A null `file` is a missing file.
    void reading_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("defaultText");
        QTest::addColumn<int>("buffer");
        QTest::addColumn<QString>("expected");
        const QString d = QStringLiteral("dflt");
        QTest::newRow("names ignore case") << QByteArray("[a]\r\nK=1\r\n") << d << 5 << "1";
        QTest::newRow("blanks trimmed") << QByteArray("  [ A ]  \r\n\t k \t=\t 7 \t\r\n") << d << 5 << "7";
        QTest::newRow("first of repeated keys and sections") << QByteArray("[A]\nk=1\nk=2\n[A]\nk=3\n") << d << 5 << "1";
        QTest::newRow("key of another section") << QByteArray("[B]\nk=1\n[A]\nj=2\n") << d << 5 << "dflt";
        QTest::newRow("key without equals") << QByteArray("[A]\nk\n") << d << 5 << "dflt";
        QTest::newRow("empty value") << QByteArray("[A]\nk=\n") << d << 5 << "";
        QTest::newRow("cut to buffer") << QByteArray("[A]\nk=12345\n") << d << 5 << "1234";
        QTest::newRow("default cut too") << QByteArray() << "abcdefgh" << 5 << "abcd";
        QTest::newRow("default trailing blanks") << QByteArray() << "  x  " << 25 << "  x";
        QTest::newRow("quotes stripped") << QByteArray("[A]\nk=\"Courier New\"\n") << d << 25 << "Courier New";
        QTest::newRow("lone CR lines") << QByteArray("[A]\rk=3\r") << d << 5 << "3";
        QTest::newRow("comment line apart, inline semicolon data") << QByteArray("[A]\n;k=9\nk=3 ; x\n") << d << 25 << "3 ; x";
        QTest::newRow("text after bracket") << QByteArray("[A] junk\nk=3\n") << d << 5 << "3";
        QTest::newRow("greek windows-1253") << QByteArray("[A]\nk=\xd6\xdc\xea\xe5\xeb\xeb\xef\xf2\n") << d << 25 << "Φάκελλος";
        QTest::newRow("utf8 bom") << QByteArray("\xEF\xBB\xBF[A]\nk=5\n") << d << 5 << "5";
        QTest::newRow("binary junk") << QByteArray("\x00\x01\xff\xfe[A\x00\n=\n", 10) << d << 5 << "dflt";
        QTest::newRow("huge line") << (QByteArray("[A]\nk=") + QByteArray(100000, '9') + "\n") << d << 5 << "9999";
    }
    void reading()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, defaultText);
        QFETCH(int, buffer);
        TempTree tree;
        if (!file.isNull())
            tree.file(QStringLiteral("t.ini"), file);
        QTEST(read(tree.path(QStringLiteral("t.ini")), defaultText, buffer), "expected");
    }

    void utf16FileIsReadAndKeptOnWrite()
    {
        TempTree tree;
        const QString text = QStringLiteral("\uFEFF[A]\r\nk=Ώρα\r\n");
        const QString ini = tree.file(QStringLiteral("t.ini"), QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2));
        QVERIFY(PrivateProfile::writeString("A", "j", "2", ini));
        QCOMPARE(read(ini), QStringLiteral("Ώρα"));
        QCOMPARE(PrivateProfile::readString("A", "j", "", 25, ini), QStringLiteral("2"));
    }

    // Writes k=value in section A; a null `before` is a missing file.
    void writing_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("creates the file, value's leading blanks dropped") << QByteArray() << "  v" << QByteArray("[A]\r\nk=v\r\n");
        QTest::newRow("appends a section") << QByteArray("[B]\r\nk=1\r\n") << "v" << QByteArray("[B]\r\nk=1\r\n[A]\r\nk=v\r\n");
        QTest::newRow("appends a key to its section") << QByteArray("[a]\r\nj=1\r\n\r\n[B]\r\nk=2\r\n") << "3"
                                                      << QByteArray("[a]\r\nj=1\r\nk=3\r\n\r\n[B]\r\nk=2\r\n");
        QTest::newRow("replaces the first in place, keeps the rest")
            << QByteArray("; my notes\n[A]\n  K = 1  \nx=y\nk=5\n# other\n") << "2"
            << QByteArray("; my notes\n[A]\nK=2\nx=y\nk=5\n# other\n");
        QTest::newRow("unchanged value leaves the file") << QByteArray("[A]\nk = 1\n") << "1" << QByteArray("[A]\nk = 1\n");
        QTest::newRow("last line without end") << QByteArray("[A]\nj=1") << "2" << QByteArray("[A]\nj=1\r\nk=2\r\n");
        QTest::newRow("windows-1253 file stays so")
            << QByteArray("[A]\nj=\xd6\n") << "Ώρα" << QByteArray("[A]\nj=\xd6\nk=\xbf\xf1\xe1\r\n");
        // A character the code page lacks turns the file into UTF-8, every line kept.
        QTest::newRow("windows-1253 file becomes UTF-8")
            << QByteArray("; \xd3\xf7\xfc\xeb\xe9\xef\n[A]\nj=\xd6\n") << "/日本/"
            << QByteArray("\xEF\xBB\xBF; Σχόλιο\n[A]\nj=Φ\nk=/日本/\r\n");
        // The reader drops trailing blanks and one pair of quotes: such values are quoted.
        QTest::newRow("trailing blank") << QByteArray() << "/data/folder " << QByteArray("[A]\r\nk=\"/data/folder \"\r\n");
        QTest::newRow("value in quotes") << QByteArray() << "'x'" << QByteArray("[A]\r\nk=\"'x'\"\r\n");
    }
    void writing()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, value);
        TempTree tree;
        if (!before.isNull())
            tree.file(QStringLiteral("t.ini"), before);
        QVERIFY(PrivateProfile::writeString(QStringLiteral("A"), QStringLiteral("k"), value, tree.path(QStringLiteral("t.ini"))));
        QTEST(tree.read(QStringLiteral("t.ini")), "after");
        QCOMPARE(PrivateProfile::readString("A", "k", "", 1024, tree.path(QStringLiteral("t.ini"))), value.startsWith(u' ') ? value.trimmed() : value);
    }

    void failingWriteKeepsTheOldFile()
    {
        TempTree tree;
        const QString ini = tree.file(QStringLiteral("s.ini"), "[A]\r\nk=1\r\n");
        // A folder the writer cannot create files in: the new file cannot be made, and
        // the old one must stay whole. Root ignores permissions, but not an immutable folder.
        const QByteArray folder = QFile::encodeName(tree.root());
        QCOMPARE(::chmod(folder.constData(), 0500), 0);
        const bool immutable = geteuid() == 0 && QProcess::execute(QStringLiteral("chattr"), {"+i", tree.root()}) == 0;
        const bool wrote = PrivateProfile::writeString("A", "k", "2", ini);
        if (immutable)
            QProcess::execute(QStringLiteral("chattr"), {"-i", tree.root()});
        ::chmod(folder.constData(), 0700);
        if (wrote && geteuid() == 0 && !immutable)
            QSKIP("running as root where chattr +i is not available: nothing stops the write");
        QVERIFY(!wrote);
        QCOMPARE(tree.read(QStringLiteral("s.ini")), QByteArray("[A]\r\nk=1\r\n"));
    }

    // A disk that fills up in the middle of the write: the old file stays whole (a
    // file-size limit stands in for the full disk, and stops root as well).
    void writeCutShortKeepsTheOldFile()
    {
        TempTree tree;
        const QByteArray old = "[A]\r\nk=1\r\n" + QByteArray(300, ';') + "\r\n";
        const QString ini = tree.file(QStringLiteral("s.ini"), old);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit tight = saved;
        tight.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &tight);
        const bool wrote = PrivateProfile::writeString("A", "k", "2", ini);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        QVERIFY(!wrote);
        QCOMPARE(tree.read(QStringLiteral("s.ini")), old);
        QCOMPARE(QDir(tree.root()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("s.ini")});
    }

    // A value with a line break would add keys or sections of its own.
    void lineBreaksInAValueAreRefused()
    {
        TempTree tree;
        const QString ini = tree.file(QStringLiteral("s.ini"), "[A]\r\nk=1\r\n");
        QVERIFY(!PrivateProfile::writeString("A", "k", "x\n[B]\nj=2", ini));
        QCOMPARE(tree.read(QStringLiteral("s.ini")), QByteArray("[A]\r\nk=1\r\n"));
    }

    // A Windows-1253 file with a byte the code page does not define cannot move to UTF-8
    // without losing it: a value the code page cannot hold is refused, saying why.
    void undefinedBytesRefuseTheConversion()
    {
        TempTree tree;
        const QByteArray before = "[A]\r\nj=\x81\xd6\r\n";
        const QString ini = tree.file(QStringLiteral("s.ini"), before);
        try {
            PrivateProfile::writeStrings({{"A", "k", QStringLiteral("日本")}}, ini);
            QFAIL("the write was not refused");
        } catch (const RuntimeError &e) {
            QVERIFY(e.describe(false).startsWith(QStringLiteral("The value holds characters")));
            QVERIFY(e.describe(true).endsWith(ini));
        }
        QCOMPARE(tree.read(QStringLiteral("s.ini")), before);
        // What the code page can hold is still written in it.
        QVERIFY(PrivateProfile::writeString("A", "k", QStringLiteral("Ώρα"), ini));
        QCOMPARE(tree.read(QStringLiteral("s.ini")), before + "k=\xbf\xf1\xe1\r\n");
    }

    // A file that cannot be read is never replaced: its other settings would be lost.
    void unreadableFileIsNotReplaced()
    {
        TempTree tree;
        const QString ini = tree.folder(QStringLiteral("folder.ini"));
        QVERIFY(!PrivateProfile::writeString("A", "k", "2", ini));
        QVERIFY(QFileInfo(ini).isDir());
    }
};

TIDYHALL_TEST_MAIN(PrivateProfileTest)
#include "tst_PrivateProfile.moc"
