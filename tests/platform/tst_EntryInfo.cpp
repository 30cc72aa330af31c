#include "TempTree.h"
#include "TestEnvironment.h"
#include "platform/DosAttributes.h"
#include "platform/EntryInfo.h"
#include "platform/FileTimes.h"
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
private Q_SLOTS:
    void init()
    {
        m_tree = std::make_unique<TempTree>();
        m_dirFd = ::open(QFile::encodeName(m_tree->root()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        QVERIFY(m_dirFd >= 0);
    }
    void cleanup()
    {
        ::close(m_dirFd);
        m_tree.reset();
    }

    void entries()
    {
        const bool xattrs = ::setxattr(QFile::encodeName(m_tree->root()).constData(), "user.probe", "1", 1, 0) == 0;
        m_tree->file(QStringLiteral("plain.txt"), "12345");
        m_tree->folder(QStringLiteral("sub"));
        m_tree->file(QStringLiteral(".dot"), "x");
        m_tree->symlink(QStringLiteral("to-sub"), m_tree->path(QStringLiteral("sub")));
        m_tree->symlink(QStringLiteral("dangling"), m_tree->path(QStringLiteral("nowhere")));
        QVERIFY(::mkfifo(QFile::encodeName(m_tree->path(QStringLiteral("pipe"))).constData(), 0644) == 0);

        EntryInfo e = readEntryInfo(m_dirFd, "plain.txt", AttributeStore::DosAttribXattr);
        QVERIFY(!e.isFolder && e.size == 5 && e.archive && !e.hidden && !e.readOnly);

        e = readEntryInfo(m_dirFd, "sub", AttributeStore::DosAttribXattr);
        QVERIFY(e.isFolder && e.size == 0 && !e.archive);

        QVERIFY(readEntryInfo(m_dirFd, ".dot", AttributeStore::DosAttribXattr).hidden);

        e = readEntryInfo(m_dirFd, "to-sub", AttributeStore::DosAttribXattr);
        QVERIFY(e.isSymlink && e.isFolder && !e.dangling);

        e = readEntryInfo(m_dirFd, "dangling", AttributeStore::DosAttribXattr);
        QVERIFY(e.isSymlink && e.dangling && !e.isFolder && e.size == 0);

        // Never opened, so a pipe with no writer cannot hang the listing.
        e = readEntryInfo(m_dirFd, "pipe", AttributeStore::DosAttribXattr);
        QVERIFY(!e.isFolder && e.size == 0);

        if (!xattrs)
            QSKIP("the temporary folder keeps no user extended attributes");
        DosAttributes a;
        a.hidden = a.system = true;
        writeAttributes(m_tree->path(QStringLiteral("plain.txt")), a);
        e = readEntryInfo(m_dirFd, "plain.txt", AttributeStore::DosAttribXattr);
        QVERIFY(e.hidden && e.system && !e.archive && !e.attributesUnknown);
        // Through a link the listing shows the target's attributes.
        m_tree->symlink(QStringLiteral("to-plain"), m_tree->path(QStringLiteral("plain.txt")));
        QVERIFY(readEntryInfo(m_dirFd, "to-plain", AttributeStore::DosAttribXattr).system);

        QVERIFY(::setxattr(QFile::encodeName(m_tree->path(QStringLiteral("plain.txt"))).constData(),
                           "user.DOSATTRIB", "garbage", 7, 0) == 0);
        e = readEntryInfo(m_dirFd, "plain.txt", AttributeStore::DosAttribXattr);
        QVERIFY(e.attributesUnknown && e.archive && !e.hidden && !e.system);
    }

    void vanishedEntry()
    {
        try {
            readEntryInfo(m_dirFd, "gone", AttributeStore::DosAttribXattr);
            QFAIL("a missing entry was read");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number, 53);
            QVERIFY(e.description.contains(QStringLiteral("gone")));
        }
    }

    void readOnlyByPermissions()
    {
        const QString path = m_tree->file(QStringLiteral("ro.txt"), "x");
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
        QVERIFY(readEntryInfo(m_dirFd, "ro.txt", AttributeStore::None).readOnly);
        QVERIFY(readEntryInfo(m_dirFd, "ro.txt", AttributeStore::None).archive);
    }

private:
    std::unique_ptr<TempTree> m_tree;
    int m_dirFd = -1;
};

TIDYHALL_TEST_MAIN(EntryInfoTest)
#include "tst_EntryInfo.moc"
