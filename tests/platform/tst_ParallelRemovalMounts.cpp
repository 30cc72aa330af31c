// A volume mounted deep inside a tree deleted by several threads: no thread enters
// it, the delete stops there with "busy", and the user is asked as with one thread.
#include "ScratchMount.h"
#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "platform/ExactName.h"
#include "platform/FileOperation.h"
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

    // Deleted for good through the service, which chooses the threads itself: the user
    // is asked about the mount each time (Retry removes what it can again, then Skip).
    void userIsAskedAsBefore()
    {
        fillTree(*m_tree, QStringLiteral("tree"));
        m_tree->file(QStringLiteral("home/keep.txt"), "precious");
        const QString at = m_tree->folder(QStringLiteral("tree/d4/sub/mnt"));
        ScratchMount mount = ScratchMount::bind(m_tree->path(QStringLiteral("home")), at);
        if (!mount.ok())
            QSKIP(qPrintable(mount.why()));
        ScriptedPrompter prompter;
        prompter.answer(PromptButton::Retry);
        prompter.answer(PromptButton::Skip);
        FileOperationRequest r;
        r.operation = FileOperationKind::Delete;
        r.sources = {m_tree->path(QStringLiteral("tree"))};
        r.flags = FileOperationFlag::NoConfirmation;
        r.languageGreek = false;
        FileOperationProgress progress;
        const FileOperationResult result = performFileOperation(r, prompter, progress);
        QCOMPARE(prompter.prompts.size(), 2);
        QCOMPARE(prompter.unexpected, 0);
        for (const ScriptedPrompter::Prompt &p : std::as_const(prompter.prompts)) {
            QVERIFY2(p.text.contains(QStringLiteral("mounted")) && p.text.contains(at), qPrintable(p.text));
            QCOMPARE(p.buttons, (QList<PromptButton>{PromptButton::Retry, PromptButton::Skip, PromptButton::Cancel}));
        }
        QCOMPARE(result.skipped, 1);
        QCOMPARE(result.done, 0);
        QVERIFY(!result.cancelled);
        QCOMPARE(m_tree->read(QStringLiteral("tree/d4/sub/mnt/keep.txt")), QByteArray("precious"));
        QCOMPARE(m_tree->read(QStringLiteral("home/keep.txt")), QByteArray("precious"));
    }
};

QTEST_GUILESS_MAIN(ParallelRemovalMountsTest)
#include "tst_ParallelRemovalMounts.moc"
