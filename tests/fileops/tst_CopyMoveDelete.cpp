#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "fileops/CopyMoveDelete.h"
#include "fileops/OperationFlags.h"
#include "platform/FileOperation.h"
#include "platform/RuntimeError.h"

#include <QtTest>

using Kind = FileOperationKind;
Q_DECLARE_METATYPE(FileOperationKind)

// Stands in for the main window and the file-operation service, and records what
// the commands asked of them.
struct FakeMainWindow
{
    QList<FileOperationCall> calls;
    QList<int> optionPages;
    QStringList recentAnswers; // what the recent-paths dialog returns, in turn
    QList<TargetFolderAnswer> folderAnswers;
    QStringList folderTitles;
    QStringList folderMarkers;
    int recentShown = 0;
    int refreshed = 0;
    int broughtToFront = 0;
    bool runnerThrows = false;
    std::function<void(AppState &)> userInOptions;

    FileCommandHooks hooks(AppState &state)
    {
        FileCommandHooks h;
        h.openOptions = [this, &state] {
            optionPages.append(state.OptionsPage);
            state.OptionsPage = 0;
            if (userInOptions)
                userInOptions(state);
        };
        h.target.recallRecentPath = [this] {
            ++recentShown;
            return recentAnswers.isEmpty() ? QString() : recentAnswers.takeFirst();
        };
        h.target.askTargetFolder = [this](const QString &title, const QString &marker) {
            folderTitles.append(title);
            folderMarkers.append(marker);
            return folderAnswers.isEmpty() ? TargetFolderAnswer{} : folderAnswers.takeFirst();
        };
        h.target.bringToFront = [this] { ++broughtToFront; };
        h.run = [this](const FileOperationCall &call) {
            calls.append(call);
            if (runnerThrows)
                throw RuntimeError(ErrorNumber::DiskFull, "No space left on device");
            return FileOperationOutcome{};
        };
        h.refreshFiles = [this] { ++refreshed; };
        h.bringToFront = [this] { ++broughtToFront; };
        return h;
    }

    void command(Kind kind, const QStringList &names, AppState &state, Prompter &prompter)
    {
        if (kind == Kind::Delete)
            DeleteSelection(names, state, prompter, hooks(state));
        else
            CopyOrMoveSelection(kind, names, state, prompter, hooks(state));
    }
};

class CopyMoveDeleteTest : public QObject
{
    Q_OBJECT
    TempTree m_tree;
    QString m_listed;
    QString m_target;

    AppState state()
    {
        AppState s;
        s.LanguageGreek = false;
        s.CurrentPath = m_listed;
        s.ShowOptions = false;
        s.SelectTarget = false;
        return s;
    }

    // The names as the listing shows them, blanks and all, in listing order.
    static QStringList selection() { return {"zeta", " x", "x ", "Αρχείο.txt"}; }

    QStringList fullPaths() const
    {
        QStringList paths;
        for (const QString &name : selection())
            paths.append(m_listed + name);
        return paths;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_listed = m_tree.folder("listed") + '/';
        m_target = m_tree.folder("target dir") + '/';
    }

    // Written by the command, read by the service.
    void itemListText_data()
    {
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("written"); // else only read
        const QString nul(QChar(0));
        QTest::newRow("empty is a lone NUL pair") << QStringList{} << nul + nul << true;
        QTest::newRow("two, blanks kept") << QStringList{"/a/ x", "/a/x "} << "/a/ x" + nul + "/a/x " + nul + nul << true;
        QTest::newRow("after the pair") << QStringList{"/a"} << "/a" + nul + nul + "/b" + nul + nul << false;
        QTest::newRow("no terminator") << QStringList{"/a"} << QStringLiteral("/a") << false;
    }
    void itemListText()
    {
        QFETCH(QStringList, paths);
        QFETCH(QString, text);
        QFETCH(bool, written);
        if (written)
            QCOMPARE(ItemListText(paths), text);
        QCOMPARE(pathsFromItemListText(text), paths);
    }

    // The flags handed to the service follow the options, for every combination, with
    // the selection's full paths and the chosen target.
    void selectionIsHandedOver_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<bool>("rename");
        QTest::addColumn<bool>("verify");
        QTest::addColumn<int>("deleteOption");
        QTest::addColumn<uint>("flags");
        QTest::newRow("copy, shell asks") << Kind::Copy << true << false << true << 0 << 0u;
        QTest::newRow("copy, replace without asking") << Kind::Copy << false << false << true << 0 << 0x10u;
        QTest::newRow("copy, rename on collision") << Kind::Copy << true << true << false << 0 << 0x8u;
        QTest::newRow("move, shell asks") << Kind::Move << true << false << false << 0 << 0u;
        QTest::newRow("move, replace without asking") << Kind::Move << false << false << true << 0 << 0x10u;
        QTest::newRow("move, rename on collision") << Kind::Move << true << true << true << 0 << 0x8u;
        QTest::newRow("delete 1, trash, asking") << Kind::Delete << false << false << false << 1 << 0x40u;
        QTest::newRow("delete 2, trash, no question") << Kind::Delete << false << false << false << 2 << 0x50u;
        QTest::newRow("delete 3, for good, asking") << Kind::Delete << false << false << false << 3 << 0u;
        QTest::newRow("delete 4, for good, no question") << Kind::Delete << false << false << false << 4 << 0x10u;
        QTest::newRow("delete 0 as 1") << Kind::Delete << false << false << false << 0 << 0x40u;
        QTest::newRow("delete 9 as 1") << Kind::Delete << false << false << false << 9 << 0x40u;
    }
    void selectionIsHandedOver()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, confirm);
        QFETCH(bool, rename);
        QFETCH(bool, verify);
        QFETCH(int, deleteOption);
        QFETCH(uint, flags);
        const bool move = kind == Kind::Move;
        AppState s = state();
        (move ? s.MoveConfirm : s.CopyConfirm) = confirm;
        (move ? s.MoveRename : s.CopyRename) = rename;
        (move ? s.MoveVerify : s.CopyVerify) = verify;
        s.DeleteOption = deleteOption;
        FakeMainWindow main;
        main.folderAnswers.append({m_target, 0, {}});
        ScriptedPrompter p;
        if (verify)
            p.answer(PromptButton::Yes);
        main.command(kind, selection(), s, p);

        // The program itself never asks before a delete; the service does.
        QCOMPARE(p.prompts.size(), verify ? 1 : 0);
        if (verify) {
            QCOMPARE(p.last().title, move ? QStringLiteral("Move verification") : QStringLiteral("Copy verification"));
            QCOMPARE(p.last().buttons, (QList<PromptButton>{PromptButton::Yes, PromptButton::No}));
            QVERIFY(p.last().text.contains('\'' + m_target + "'.\r\n\r\n"));
        }
        QCOMPARE(main.calls.size(), 1);
        const FileOperationCall &call = main.calls.first();
        QCOMPARE(call.operation, kind);
        QCOMPARE(call.sources, fullPaths());
        QCOMPARE(call.flags, flags);
        QCOMPARE(call.prompter, &p);
        QCOMPARE(uint(kind == Kind::Delete ? s.DeleteFlags : move ? s.MoveFlags : s.CopyFlags), flags);
        if (kind == Kind::Delete) {
            QVERIFY(main.folderTitles.isEmpty() && call.target.isEmpty());
        } else {
            QCOMPARE(main.folderTitles, QStringList{move ? "Select the target for moving" : "Select the target for copying"});
            QCOMPARE(main.folderMarkers, QStringList{"do not alter this text"});
            QCOMPARE(call.target, m_target);
        }
        // A copy leaves the listing as it is; a move or a delete refreshes it at once.
        QCOMPARE(main.refreshed, kind == Kind::Copy ? 0 : 1);
        QCOMPARE(main.broughtToFront, kind == Kind::Copy ? 1 : 0);
    }

    void copyIntoTheShownFolderRefreshesIt()
    {
        AppState s = state();
        s.CopyVerify = false;
        FakeMainWindow main;
        main.folderAnswers.append({s.CurrentPath, 0, {}});
        ScriptedPrompter p;
        main.command(Kind::Copy, selection(), s, p);
        QCOMPARE(main.calls.size(), 1);
        QCOMPARE(main.refreshed, 1);
    }

    void verificationTexts_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("text");
        QTest::newRow("copy en") << Kind::Copy << false
                                 << "You have chosen to copy the selected folders and/or files to '/t/'.\r\n\r\n"
                                    "Is it certain that you want to proceed with the copying?";
        QTest::newRow("move el") << Kind::Move << true
                                 << "Επιλέξατε τη μετακίνηση των επιλεγμένων φακέλλων ή/και αρχείων στον "
                                    "προορισμό «/t/».\r\n\r\nΘέλετε πράγματι να προχωρήσετε στη "
                                    "διαδικασία της μετακινήσεως;";
    }
    void verificationTexts()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, greek);
        QFETCH(QString, text);
        QCOMPARE(CopyMoveVerificationText(kind, "/t/", greek), text);
    }

    // Nothing is handed to the service, and the listing stays as it is.
    void nothingHappens_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("chooserCancelled");
        QTest::addColumn<int>("prompts");
        QTest::newRow("copy, chooser cancelled") << Kind::Copy << selection() << true << 0;
        QTest::newRow("move, chooser cancelled") << Kind::Move << selection() << true << 0;
        QTest::newRow("copy, verification No") << Kind::Copy << selection() << false << 1;
        QTest::newRow("move, verification No") << Kind::Move << selection() << false << 1;
        // Not even the options dialog or a chooser opens.
        QTest::newRow("move, nothing selected") << Kind::Move << QStringList{} << false << 0;
        QTest::newRow("delete, nothing selected") << Kind::Delete << QStringList{} << false << 0;
    }
    void nothingHappens()
    {
        QFETCH(Kind, kind);
        QFETCH(QStringList, names);
        QFETCH(bool, chooserCancelled);
        QFETCH(int, prompts);
        AppState s = state();
        s.ShowOptions = names.isEmpty();
        s.SelectTarget = names.isEmpty();
        FakeMainWindow main;
        main.folderAnswers.append({chooserCancelled ? QString() : m_target, 0, {}});
        ScriptedPrompter p;
        p.answer(PromptButton::No);
        main.command(kind, names, s, p);
        QCOMPARE(p.prompts.size(), prompts);
        QCOMPARE(main.folderTitles.size(), names.isEmpty() ? 0 : 1);
        QVERIFY(main.optionPages.isEmpty());
        QCOMPARE(main.recentShown, 0);
        QVERIFY(main.calls.isEmpty());
        QCOMPARE(main.refreshed, 0);
    }

    void recentPathsComeFirstWhenSelectTargetIsOn_data()
    {
        QTest::addColumn<bool>("selectTarget");
        QTest::addColumn<QString>("recalled");
        QTest::addColumn<int>("recentShown");
        QTest::addColumn<int>("folderDialogs");
        QTest::newRow("recalled path is the target") << true << "target dir" << 1 << 0;
        QTest::newRow("recent paths cancelled") << true << "" << 1 << 1;
        QTest::newRow("select target off") << false << "target dir" << 0 << 1;
    }
    void recentPathsComeFirstWhenSelectTargetIsOn()
    {
        QFETCH(bool, selectTarget);
        QFETCH(QString, recalled);
        QFETCH(int, recentShown);
        QFETCH(int, folderDialogs);
        AppState s = state();
        s.SelectTarget = selectTarget;
        s.CopyVerify = false;
        FakeMainWindow main;
        // Saved paths carry no trailing separator; the service still gets one.
        if (!recalled.isEmpty())
            main.recentAnswers.append(m_tree.path(recalled));
        main.folderAnswers.append({m_target, 0, {}});
        ScriptedPrompter p;
        main.command(Kind::Copy, selection(), s, p);
        QCOMPARE(main.recentShown, recentShown);
        QCOMPARE(main.folderTitles.size(), folderDialogs);
        QCOMPARE(main.calls.size(), 1);
        QCOMPARE(main.calls.first().target, m_target);
    }

    // The options dialog opens first, at the operation's page, and what the user
    // chooses there applies at once: here, no more questions.
    void optionsShowFirstAtTheOperationsPage_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("page");
        QTest::newRow("delete") << Kind::Delete << 0;
        QTest::newRow("copy") << Kind::Copy << 1;
        QTest::newRow("move") << Kind::Move << 2;
    }
    void optionsShowFirstAtTheOperationsPage()
    {
        QFETCH(Kind, kind);
        QFETCH(int, page);
        AppState s = state();
        s.ShowOptions = true;
        s.OptionsPage = 3;
        FakeMainWindow main;
        main.userInOptions = [](AppState &st) {
            st.DeleteOption = 4;
            st.CopyVerify = st.CopyConfirm = false;
            st.MoveVerify = st.MoveConfirm = false;
        };
        main.folderAnswers.append({m_target, 0, {}});
        ScriptedPrompter p;
        main.command(kind, selection(), s, p);
        QCOMPARE(main.optionPages, QList<int>{page});
        QCOMPARE(p.prompts.size(), 0);
        QCOMPARE(main.calls.size(), 1);
        QCOMPARE(main.calls.first().flags, std::uint32_t(OperationFlag::NoConfirmation));
    }

    void failuresAreReportedWithTheOperationsCode_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QStringList>("added"); // to the selection
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("calls");
        QTest::newRow("copy, chooser error") << Kind::Copy << "chooser" << QStringList{} << "074" << 71 << 0;
        QTest::newRow("copy, target gone") << Kind::Copy << "gone" << QStringList{} << "074" << 76 << 0;
        QTest::newRow("move, name with a slash") << Kind::Move << "" << QStringList{"a/b"} << "075" << 52 << 0;
        QTest::newRow("copy, dot-dot name") << Kind::Copy << "" << QStringList{".."} << "074" << 52 << 0;
        QTest::newRow("delete, empty name") << Kind::Delete << "" << QStringList{""} << "066" << 52 << 0;
        QTest::newRow("delete, dot") << Kind::Delete << "" << QStringList{"."} << "066" << 52 << 0;
        QTest::newRow("delete, the parent's item") << Kind::Delete << "" << QStringList{"../other"} << "066" << 52 << 0;
        // The listing is refreshed after a failure half-way.
        QTest::newRow("move, service fails") << Kind::Move << "runner" << QStringList{} << "075" << 61 << 1;
        QTest::newRow("delete, service fails") << Kind::Delete << "runner" << QStringList{} << "066" << 61 << 1;
    }
    void failuresAreReportedWithTheOperationsCode()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, failure);
        QFETCH(QStringList, added);
        QFETCH(QString, code);
        QFETCH(int, number);
        QFETCH(int, calls);
        AppState s = state();
        s.CopyVerify = false;
        s.MoveVerify = false;
        FakeMainWindow main;
        if (failure == "chooser")
            main.folderAnswers.append({QString(), 71, "Disk not ready"});
        else
            main.folderAnswers.append({failure == "gone" ? m_tree.path("gone/") : m_target, 0, {}});
        main.runnerThrows = failure == "runner";
        ScriptedPrompter p;
        main.command(kind, selection() + added, s, p);
        QCOMPARE(p.prompts.size(), 1);
        QCOMPARE(p.last().title, s.AppTitle + ", " + code + '.');
        QVERIFY(p.last().text.startsWith(QStringLiteral("Error condition %1 ").arg(number)));
        QCOMPARE(main.calls.size(), calls);
        QCOMPARE(main.refreshed, calls);
    }
};

TIDYHALL_TEST_MAIN(CopyMoveDeleteTest)
#include "tst_CopyMoveDelete.moc"
