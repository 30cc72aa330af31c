// A volume mounted deep inside a tree deleted by several threads: no thread enters
// it, and the delete stops there with "busy", as with one thread.
#include "ScratchMount.h"
#include "TempTree.h"
#include "platform/ExactName.h"
#include "platform/SafeCopy.h"

#include <QtTest>
#include <optional>

namespace {

// Big enough to be shared out when the removal chooses for itself.
void fillTree(TempTree &tree, const QString &top)
{
    for (int d = 0; d < 20; ++d)
        for (int f = 0; f < 60; ++f)
            tree.file(QStringLiteral("%1/d%2/sub/f%3").arg(top).arg(d).arg(f), "x");
}

} // namespace

class ParallelRemovalMountsTest : public QObject
{
    Q_OBJECT
    std::optional<TempTree> m_tree;

private Q_SLOTS:
    void init() { m_tree.emplace(); }
    void cleanup() { m_tree.reset(); }

    void mountDeepInsideIsNeverEntered_data()
    {
        QTest::addColumn<int>("workers");
        QTest::addColumn<bool>("bind");
        QTest::newRow("bind mount, one thread") << 1 << true;
        QTest::newRow("bind mount, several") << 4 << true;
        QTest::newRow("other volume, one thread") << 1 << false;
        QTest::newRow("other volume, several") << 4 << false;
    }
    void mountDeepInsideIsNeverEntered()
    {
        QFETCH(int, workers);
        QFETCH(bool, bind);
        fillTree(*m_tree, QStringLiteral("tree"));
        // A bind mount of a folder of this volume (same device: only the mount itself
        // tells), or of another volume (another device).
        std::optional<ScratchMount> volume;
        QString source = m_tree->folder(QStringLiteral("home"));
        if (!bind) {
            volume.emplace(ScratchMount::tmpfs());
            if (!volume->ok())
                QSKIP(qPrintable(volume->why()));
            source = volume->path();
        }
        QFile keep(source + QStringLiteral("/keep.txt"));
        QVERIFY(keep.open(QIODevice::WriteOnly) && keep.write("precious") == 8);
        keep.close();
        const QString at = m_tree->folder(QStringLiteral("tree/d13/sub/deeper/mnt"));
        ScratchMount mount = ScratchMount::bind(source, at);
        if (!mount.ok())
            QSKIP(qPrintable(mount.why()));
        int err = 0;
        QByteArray failed;
        try {
            SafeCopy::removeTreeAs(ExactName::toBytes(m_tree->path(QStringLiteral("tree"))), {}, false, workers);
        } catch (const FileError &e) {
            err = e.err;
            failed = e.path;
        }
        QCOMPARE(err, EBUSY);
        QCOMPARE(failed, ExactName::toBytes(at));
        QCOMPARE(m_tree->read(QStringLiteral("tree/d13/sub/deeper/mnt/keep.txt")), QByteArray("precious"));
        QVERIFY(!QFile::exists(m_tree->path(QStringLiteral("tree/d13/sub/deeper/mnt/f0"))));
    }
};

QTEST_GUILESS_MAIN(ParallelRemovalMountsTest)
#include "tst_ParallelRemovalMounts.moc"
