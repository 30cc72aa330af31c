#include "TempTree.h"
#include "TestEnvironment.h"
#include "platform/DosAttributes.h"
#include "platform/EntryInfo.h"
#include "platform/RuntimeError.h"

#include <QFile>
#include <QtTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

// The listing reads every entry through readEntryInfo; these cases are the ones a
// folder can hold that an ordinary file does not show.
class EntryInfoTest : public QObject
{
    Q_OBJECT
    TempTree m_tree;
    int m_dirFd = -1;

    EntryInfo read(const char *name, AttributeStore store = AttributeStore::DosAttribXattr)
    {
        return readEntryInfo(m_dirFd, name, store);
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_dirFd = ::open(QFile::encodeName(m_tree.root()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        QVERIFY(m_dirFd >= 0);
        m_tree.file("plain.txt", "12345");
        m_tree.folder("sub");
        m_tree.file(".dot", "x");
        m_tree.symlink("to-sub", m_tree.path("sub"));
        m_tree.symlink("dangling", m_tree.path("nowhere"));
        m_tree.symlink("to-plain", m_tree.path("plain.txt"));
        QVERIFY(::mkfifo(QFile::encodeName(m_tree.path("pipe")).constData(), 0644) == 0);
        QVERIFY(::chmod(QFile::encodeName(m_tree.file("ro.txt", "x")).constData(), 0444) == 0);
    }
    void cleanupTestCase() { ::close(m_dirFd); }

    void kindsOfEntry()
    {
        EntryInfo e = read("plain.txt");
        QVERIFY(!e.isFolder && e.size == 5 && e.archive && !e.hidden && !e.readOnly);
        e = read("sub");
        QVERIFY(e.isFolder && e.size == 0 && !e.archive);
        QVERIFY(read(".dot").hidden);
        e = read("to-sub");
        QVERIFY(e.isSymlink && e.isFolder && !e.dangling);
        e = read("dangling");
        QVERIFY(e.isSymlink && e.dangling && !e.isFolder && e.size == 0);
        // Never opened, so a pipe with no writer cannot hang the listing.
        e = read("pipe");
        QVERIFY(!e.isFolder && e.size == 0);
        // Where nothing can be stored, read-only comes from the permissions alone.
        e = read("ro.txt", AttributeStore::None);
        QVERIFY(e.readOnly && e.archive);
    }

    void vanishedEntry()
    {
        try {
            read("gone");
            QFAIL("a missing entry was read");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number, 53);
            QVERIFY(e.description.contains("gone"));
        }
    }

    void storedAttributes()
    {
        const QByteArray plain = QFile::encodeName(m_tree.path("plain.txt"));
        if (::setxattr(plain.constData(), "user.probe", "1", 1, 0) != 0)
            QSKIP("the temporary folder keeps no user extended attributes");
        DosAttributes a;
        a.hidden = a.system = true;
        writeAttributes(m_tree.path("plain.txt"), a);
        const EntryInfo e = read("plain.txt");
        QVERIFY(e.hidden && e.system && !e.archive && !e.attributesUnknown);
        // Through a link the listing shows the target's attributes.
        QVERIFY(read("to-plain").system);
        QVERIFY(::setxattr(plain.constData(), "user.DOSATTRIB", "garbage", 7, 0) == 0);
        const EntryInfo garbled = read("plain.txt");
        QVERIFY(garbled.attributesUnknown && garbled.archive && !garbled.hidden && !garbled.system);
    }
};

TIDYHALL_TEST_MAIN(EntryInfoTest)
#include "tst_EntryInfo.moc"
