#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "fileops/CopyMoveDelete.h"
#include "mainwin/EnumerateFolder.h"
#include "mainwin/FolderPaths.h"
#include "platform/ExactName.h"
#include "platform/FileOperation.h"
#include "platform/SafeCopy.h"

#include <QtTest>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using Kind = FileOperationKind;
namespace Flag = FileOperationFlag;

namespace {

void writeRaw(const QByteArray &path, const QByteArray &content)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    QVERIFY2(fd >= 0, path.constData());
    QCOMPARE(::write(fd, content.constData(), std::size_t(content.size())), ssize_t(content.size()));
    ::close(fd);
}

QByteArray readRaw(const QByteArray &path)
{
    QByteArray content;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return "<missing>";
    char buffer[256];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        content.append(buffer, n);
    ::close(fd);
    return content;
}

bool existsRaw(const QByteArray &path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

// Makes the item `name` in `folder`: a file holding `content`, or a folder holding one
// file "inside.txt" with it.
void makeItem(const QByteArray &folder, const QByteArray &name, bool isFolder, const QByteArray &content)
{
    const QByteArray path = folder + '/' + name;
    if (isFolder) {
        QCOMPARE(::mkdir(path.constData(), 0755), 0);
        writeRaw(path + "/inside.txt", content);
    } else {
        writeRaw(path, content);
    }
}

QByteArray contentOf(const QByteArray &path, bool isFolder)
{
    return readRaw(isFolder ? path + "/inside.txt" : path);
}

} // namespace

// Names as the folder gives them, whatever their bytes: listed, opened and handed to
// each command without ever becoming another name.
class ExactNameCommandsTest : public QObject
{
    Q_OBJECT
    std::optional<TempTree> m_tree;
    QByteArray m_work;

private Q_SLOTS:
    void init()
    {
        m_tree.emplace();
        m_work = ExactName::toBytes(m_tree->root()) + "/w";
        QCOMPARE(::mkdir(m_work.constData(), 0755), 0);
        QCOMPARE(::mkdir((m_work + "/src").constData(), 0755), 0);
        QCOMPARE(::mkdir((m_work + "/dst").constData(), 0755), 0);
    }
    void cleanup()
    {
        // QDir could not name these to remove them.
        try {
            SafeCopy::removeTree(m_work);
        } catch (...) {
        }
        m_tree.reset();
    }

    void namesThroughListingAndCommands_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("twin"); // a second item that a lossy decoding would confuse with it
        QTest::addColumn<bool>("isFolder");
        QTest::newRow("invalid UTF-8 file") << QByteArray("b\xff") << QByteArray() << false;
        QTest::newRow("U+FFFD twins, file") << QByteArray("a\xff") << QByteArray("a\xef\xbf\xbd") << false;
        QTest::newRow("U+FFFD twins, the valid one") << QByteArray("a\xef\xbf\xbd") << QByteArray("a\xff") << false;
        QTest::newRow("Windows-1253 file") << QByteArray("\xc1\xed\xf4\xdf\xe3\xf1\xe1\xf6\xef.txt") << QByteArray()
                                           << false;
        QTest::newRow("newline") << QByteArray("two\nlines") << QByteArray() << false;
        QTest::newRow("leading dash") << QByteArray("-rf") << QByteArray() << false;
        QTest::newRow("invalid UTF-8 folder") << QByteArray("d\xff") << QByteArray("d\xef\xbf\xbd") << true;
        QTest::newRow("Windows-1253 folder") << QByteArray("\xd6\xdc\xea\xe5\xeb\xeb\xef\xf2") << QByteArray() << true;
    }
    void namesThroughListingAndCommands()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, twin);
        QFETCH(bool, isFolder);
        const QByteArray src = m_work + "/src";
        const QByteArray dst = m_work + "/dst";

        struct Command
        {
            const char *what;
            Kind kind;
            int flags;
        };
        const Command commands[] = {{"copy", Kind::Copy, Flag::NoConfirmation},
                                    {"move", Kind::Move, Flag::NoConfirmation},
                                    {"delete", Kind::Delete, Flag::NoConfirmation},
                                    {"trash", Kind::Delete, Flag::NoConfirmation | Flag::AllowUndo}};
        for (const Command &command : commands) {
            SafeCopy::removeTree(src);
            SafeCopy::removeTree(dst);
            QCOMPARE(::mkdir(src.constData(), 0755), 0);
            QCOMPARE(::mkdir(dst.constData(), 0755), 0);
            makeItem(src, name, isFolder, "chosen");
            if (!twin.isEmpty())
                makeItem(src, twin, isFolder, "twin");

            // The listing keeps the exact name and shows the odd bytes.
            AppState state;
            ItemTable table;
            EnumerateFolder(table, state, ExactName::fromBytes(src), QStringLiteral("*"));
            QCOMPARE(table.size(), std::size_t(twin.isEmpty() ? 1 : 2));
            const ListedItem *listed = nullptr;
            for (const ListedItem &item : table)
                if (ExactName::toBytes(item.name) == name)
                    listed = &item;
            QVERIFY2(listed, command.what);
            QCOMPARE(listed->isFolder, isFolder);
            if (name.contains('\xff'))
                QVERIFY(ExactName::shown(listed->name).contains(QLatin1String("\\xFF")));

            if (isFolder) {
                // The tree lists it exactly, and opening it reaches it, not its twin.
                const QStringList subfolders = subfolderNames(ExactName::fromBytes(src));
                QVERIFY(subfolders.contains(listed->name));
                ItemTable inside;
                AppState insideState;
                EnumerateFolder(inside, insideState, ExactName::fromBytes(src + '/' + name), QStringLiteral("*"));
                QCOMPARE(inside.size(), std::size_t(1));
                QCOMPARE(ExactName::toBytes(insideState.CurrentPath), src + '/' + name + '/');
            }

            FileOperationRequest request;
            request.operation = command.kind;
            request.sources = SelectedItemPaths(state.CurrentPath, {listed->name});
            request.target = ExactName::fromBytes(dst + '/');
            request.flags = command.flags;
            request.languageGreek = false;
            ScriptedPrompter prompter;
            const FileOperationResult result = performFileOperation(request, prompter);
            QVERIFY2(result.done == 1 && result.failed == 0,
                     qPrintable(QString::fromLatin1(command.what) + QLatin1Char(' ')
                                + (prompter.prompts.isEmpty() ? QString() : prompter.last().text)));

            const bool kept = command.kind == Kind::Copy;
            const bool arrived = command.kind != Kind::Delete;
            QCOMPARE(existsRaw(src + '/' + name), kept);
            if (arrived)
                QCOMPARE(contentOf(dst + '/' + name, isFolder), QByteArray("chosen"));
            if (!twin.isEmpty()) {
                // The twin is never touched, and no twin of it appears in the target.
                QCOMPARE(contentOf(src + '/' + twin, isFolder), QByteArray("twin"));
                QVERIFY(!existsRaw(dst + '/' + twin));
            }
            if (command.flags & Flag::AllowUndo) {
                const QByteArray trashed = qgetenv("XDG_DATA_HOME") + "/Trash/files/" + name;
                QCOMPARE(contentOf(trashed, isFolder), QByteArray("chosen"));
                SafeCopy::removeTree(trashed);
                ::unlink((qgetenv("XDG_DATA_HOME") + "/Trash/info/" + name + ".trashinfo").constData());
            }
        }
    }

    // A path written to a text file keeps its odd bytes as escapes and reads back whole.
    void pathsAsTextRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("invalid UTF-8") << QByteArray("/data/d\xff/x");
        QTest::newRow("Windows-1253") << QByteArray("/data/\xd6\xdc\xea\xe5\xeb\xeb\xef\xf2");
        QTest::newRow("backslash before x") << QByteArray("/data/a\\xff");
    }
    void pathsAsTextRoundTrip()
    {
        QFETCH(QByteArray, path);
        const QString text = ExactName::toText(ExactName::fromBytes(path));
        QVERIFY(!ExactName::hasOddBytes(text));
        QCOMPARE(QString::fromUtf8(text.toUtf8()), text); // valid UTF-8 as it stands
        QCOMPARE(ExactName::toBytes(ExactName::fromText(text)), path);
    }
};

TIDYHALL_TEST_MAIN(ExactNameCommandsTest)
#include "tst_ExactNameCommands.moc"
