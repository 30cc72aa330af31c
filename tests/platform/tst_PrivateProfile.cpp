#include "TestEnvironment.h"
#include "platform/PrivateProfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

} // namespace

class PrivateProfileTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString ini() const { return m_dir.filePath(QStringLiteral("t.ini")); }

private Q_SLOTS:
    void init() { QFile::remove(ini()); }

    void reading_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("defaultText");
        QTest::addColumn<int>("buffer");
        QTest::addColumn<QString>("expected");

        const QString d = QStringLiteral("dflt");
        QTest::newRow("plain") << QByteArray("[General]\r\nLanguage=1\r\n") << "General" << "Language" << d << 5 << "1";
        QTest::newRow("names ignore case") << QByteArray("[gEnErAl]\r\nlanguage=1\r\n") << "General" << "LANGUAGE" << d << 5 << "1";
        QTest::newRow("blanks trimmed") << QByteArray("  [ General ]  \r\n\t Language \t=\t 7 \t\r\n") << "General" << "Language" << d << 5 << "7";
        QTest::newRow("first section wins") << QByteArray("[A]\nk=1\n[A]\nk=2\n") << "A" << "k" << d << 5 << "1";
        QTest::newRow("first key wins") << QByteArray("[A]\nk=1\nk=2\n") << "A" << "k" << d << 5 << "1";
        QTest::newRow("key of another section") << QByteArray("[A]\nk=1\n[B]\nj=2\n") << "B" << "k" << d << 5 << "dflt";
        QTest::newRow("missing section") << QByteArray("[A]\nk=1\n") << "Z" << "k" << d << 5 << "dflt";
        QTest::newRow("missing key") << QByteArray("[A]\nk=1\n") << "A" << "q" << d << 5 << "dflt";
        QTest::newRow("key without equals") << QByteArray("[A]\nk\n") << "A" << "k" << d << 5 << "dflt";
        QTest::newRow("empty value") << QByteArray("[A]\nk=\n") << "A" << "k" << d << 5 << "";
        QTest::newRow("cut to buffer") << QByteArray("[A]\nk=12345\n") << "A" << "k" << d << 5 << "1234";
        QTest::newRow("default cut too") << QByteArray() << "A" << "k" << "abcdefgh" << 5 << "abcd";
        QTest::newRow("default trailing blanks") << QByteArray() << "A" << "k" << "  x  " << 25 << "  x";
        QTest::newRow("quotes stripped") << QByteArray("[A]\nk=\"Courier New\"\n") << "A" << "k" << d << 25 << "Courier New";
        QTest::newRow("lone CR lines") << QByteArray("[A]\rk=3\r") << "A" << "k" << d << 5 << "3";
        QTest::newRow("comment line kept apart") << QByteArray("[A]\n;k=9\nk=3\n") << "A" << "k" << d << 5 << "3";
        QTest::newRow("inline semicolon is data") << QByteArray("[A]\nk=3 ; x\n") << "A" << "k" << d << 25 << "3 ; x";
        QTest::newRow("text after bracket") << QByteArray("[A] junk\nk=3\n") << "A" << "k" << d << 5 << "3";
        QTest::newRow("greek utf8") << QByteArray("[A]\nk=Φάκελλος\n") << "A" << "k" << d << 25 << "Φάκελλος";
        QTest::newRow("greek windows-1253") << QByteArray("[A]\nk=\xd6\xdc\xea\xe5\xeb\xeb\xef\xf2\n") << "A" << "k" << d << 25 << "Φάκελλος";
        QTest::newRow("utf8 bom") << QByteArray("\xEF\xBB\xBF[A]\nk=5\n") << "A" << "k" << d << 5 << "5";
        QTest::newRow("binary junk") << QByteArray("\x00\x01\xff\xfe[A\x00\n=\n", 10) << "A" << "k" << d << 5 << "dflt";
        QTest::newRow("huge line") << (QByteArray("[A]\nk=") + QByteArray(100000, '9') + "\n") << "A" << "k" << d << 5 << "9999";
    }
    void reading()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, defaultText);
        QFETCH(int, buffer);
        QFETCH(QString, expected);
        if (!file.isNull())
            writeAll(ini(), file);
        QCOMPARE(PrivateProfile::readString(section, key, defaultText, buffer, ini()), expected);
    }

    void utf16File()
    {
        QByteArray bytes("\xFF\xFE");
        const QString text = QStringLiteral("[A]\r\nk=Ώρα\r\n");
        bytes += QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        writeAll(ini(), bytes);
        QCOMPARE(PrivateProfile::readString("A", "k", "", 25, ini()), QStringLiteral("Ώρα"));
        QVERIFY(PrivateProfile::writeString("A", "j", "2", ini()));
        QCOMPARE(PrivateProfile::readString("A", "k", "", 25, ini()), QStringLiteral("Ώρα"));
        QCOMPARE(PrivateProfile::readString("A", "j", "", 25, ini()), QStringLiteral("2"));
    }

    void writing_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("creates the file") << QByteArray() << "App1" << "key1" << "string1"
                                          << QByteArray("[App1]\r\nkey1=string1\r\n");
        QTest::newRow("appends a section") << QByteArray("[App1]\r\nkey1=string1\r\n") << "App2" << "key4" << "string4"
                                           << QByteArray("[App1]\r\nkey1=string1\r\n[App2]\r\nkey4=string4\r\n");
        QTest::newRow("appends a key to its section")
            << QByteArray("[A]\r\nk=1\r\n\r\n[B]\r\nj=2\r\n") << "a" << "n" << "3"
            << QByteArray("[A]\r\nk=1\r\nn=3\r\n\r\n[B]\r\nj=2\r\n");
        QTest::newRow("replaces in place, keeps the rest")
            << QByteArray("; my notes\n[A]\n  K = 1  \nx=y\n# other\n") << "A" << "k" << "2"
            << QByteArray("; my notes\n[A]\nK=2\nx=y\n# other\n");
        QTest::newRow("first of duplicates") << QByteArray("[A]\nk=1\nk=5\n") << "A" << "k" << "2"
                                             << QByteArray("[A]\nk=2\nk=5\n");
        QTest::newRow("unchanged value leaves the file") << QByteArray("[A]\nk = 1\n") << "A" << "k" << "1"
                                                         << QByteArray("[A]\nk = 1\n");
        QTest::newRow("last line without end") << QByteArray("[A]\nk=1") << "A" << "j" << "2"
                                               << QByteArray("[A]\nk=1\r\nj=2\r\n");
        QTest::newRow("leading blanks of value dropped") << QByteArray() << "A" << "k" << "  7"
                                                         << QByteArray("[A]\r\nk=7\r\n");
        QTest::newRow("windows-1253 file stays so")
            << QByteArray("[A]\nk=\xd6\n") << "A" << "j" << "Ώρα" << QByteArray("[A]\nk=\xd6\nj=\xbf\xf1\xe1\r\n");
    }
    void writing()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        if (!before.isEmpty())
            writeAll(ini(), before);
        QVERIFY(PrivateProfile::writeString(section, key, value, ini()));
        QCOMPARE(readAll(ini()), after);
    }

    void failingWriteKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.ini"));
        writeAll(path, "[A]\r\nk=1\r\n");
        // A folder the writer cannot create files in: the new file cannot be made, and
        // the old one must stay whole.
        // Root ignores permissions, but not an immutable folder.
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0500) == 0);
        const bool immutable = geteuid() == 0
                               && QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), dir.path()}) == 0;
        const bool wrote = PrivateProfile::writeString("A", "k", "2", path);
        if (immutable)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), dir.path()});
        ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
        if (wrote && geteuid() == 0 && !immutable)
            QSKIP("running as root where chattr +i is not available: nothing stops the write");
        QVERIFY(!wrote);
        QCOMPARE(readAll(path), QByteArray("[A]\r\nk=1\r\n"));
    }

    void unreadableFileIsNotReplaced()
    {
        const QString path = m_dir.filePath(QStringLiteral("folder.ini"));
        QDir().mkpath(path);
        QVERIFY(!PrivateProfile::writeString("A", "k", "2", path));
        QVERIFY(QFileInfo(path).isDir());
    }
};

TIDYHALL_TEST_MAIN(PrivateProfileTest)
#include "tst_PrivateProfile.moc"
