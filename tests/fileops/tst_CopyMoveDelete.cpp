#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "fileops/CopyMoveDelete.h"
#include "fileops/OperationFlags.h"
#include "platform/RuntimeError.h"

#include <QtTest>

// Stands in for the main window and the file-operation service, and records what
// the commands asked of them.
struct FakeMainWindow
{
    QList<FileOperationCall> calls;
    QList<int> optionPages;
    QStringList recentAnswers;   // what the recent-paths dialog returns, in turn
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
                throw RuntimeError(ErrorNumber::DiskFull, QStringLiteral("No space left on device"));
            return FileOperationOutcome{};
        };
        h.refreshFiles = [this] { ++refreshed; };
        h.bringToFront = [this] { ++broughtToFront; };
        return h;
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
    static QStringList selection()
    {
        return {QStringLiteral("zeta"), QStringLiteral(" x"), QStringLiteral("x "), QStringLiteral("Αρχείο.txt")};
    }

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
        m_listed = m_tree.folder(QStringLiteral("listed")) + QLatin1Char('/');
        m_target = m_tree.folder(QStringLiteral("target dir")) + QLatin1Char('/');
    }

    void itemListText_data()
    {
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty is a lone NUL pair") << QStringList{} << QString(2, QChar(0));
        QTest::newRow("one") << QStringList{QStringLiteral("/a/b")} << QStringLiteral("/a/b") + QChar(0) + QChar(0);
        QTest::newRow("two, blanks kept") << QStringList{QStringLiteral("/a/ x"), QStringLiteral("/a/x ")}
                                          << QStringLiteral("/a/ x") + QChar(0) + QStringLiteral("/a/x ") + QChar(0) + QChar(0);
    }
    void itemListText()
    {
        QFETCH(QStringList, paths);
        QFETCH(QString, text);
        QCOMPARE(ItemListText(paths), text);
    }

    void copyAndMoveHandOverTheSelection_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<bool>("rename");
        QTest::addColumn<bool>("verify");
        QTest::addColumn<uint>("flags");
        const auto copy = int(FileOperationKind::Copy);
        const auto move = int(FileOperationKind::Move);
        QTest::newRow("copy, shell asks") << copy << true << false << true << 0u;
        QTest::newRow("copy, replace without asking") << copy << false << false << true << 0x10u;
        QTest::newRow("copy, rename on collision") << copy << true << true << false << 0x8u;
        QTest::newRow("move, shell asks") << move << true << false << false << 0u;
        QTest::newRow("move, replace without asking") << move << false << false << true << 0x10u;
        QTest::newRow("move, rename on collision") << move << true << true << true << 0x8u;
    }
    void copyAndMoveHandOverTheSelection()
    {
        QFETCH(int, operation);
        QFETCH(bool, confirm);
        QFETCH(bool, rename);
        QFETCH(bool, verify);
        QFETCH(uint, flags);
        const auto kind = FileOperationKind(operation);
        const bool move = kind == FileOperationKind::Move;
        AppState s = state();
        (move ? s.MoveConfirm : s.CopyConfirm) = confirm;
        (move ? s.MoveRename : s.CopyRename) = rename;
        (move ? s.MoveVerify : s.CopyVerify) = verify;
        FakeMainWindow main;
        main.folderAnswers.append({m_target, 0, {}});
        ScriptedPrompter p;
        if (verify)
            p.answer(PromptButton::Yes);

        CopyOrMoveSelection(kind, selection(), s, p, main.hooks(s));

        QCOMPARE(main.recentShown, 0);
        QCOMPARE(main.folderTitles, QStringList{move ? QStringLiteral("Select the target for moving")
                                                     : QStringLiteral("Select the target for copying")});
        QCOMPARE(main.folderMarkers, QStringList{QStringLiteral("do not alter this text")});
        QCOMPARE(p.prompts.size(), verify ? 1 : 0);
        if (verify) {
            QCOMPARE(p.last().title, move ? QStringLiteral("Move verification") : QStringLiteral("Copy verification"));
            QCOMPARE(p.last().icon, PromptIcon::Question);
            QCOMPARE(p.last().buttons, (QList<PromptButton>{PromptButton::Yes, PromptButton::No}));
            QVERIFY(p.last().text.contains(QLatin1Char('\'') + m_target + QStringLiteral("'.\r\n\r\n")));
        }
        QCOMPARE(main.calls.size(), 1);
        const FileOperationCall &call = main.calls.first();
        QCOMPARE(call.operation, kind);
        QCOMPARE(call.sources, fullPaths());
        QCOMPARE(call.target, m_target);
        QCOMPARE(call.flags, flags);
        QCOMPARE(call.prompter, &p);
        QCOMPARE(uint(move ? s.MoveFlags : s.CopyFlags), flags);
        // A copy leaves the listing as it is; a move refreshes it at once.
        QCOMPARE(main.refreshed, move ? 1 : 0);
        QCOMPARE(main.broughtToFront, move ? 0 : 1);
        QCOMPARE(p.unexpected, 0);
    }

    void verificationTexts_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("text");
        QTest::newRow("copy en") << int(FileOperationKind::Copy) << false
                                 << QStringLiteral("You have chosen to copy the selected folders and/or files to '/t/'.\r\n\r\n"
                                                   "Is it certain that you want to proceed with the copying?");
        QTest::newRow("move el") << int(FileOperationKind::Move) << true
                                 << QStringLiteral("Επιλέξατε τη μετακίνηση των επιλεγμένων φακέλλων ή/και αρχείων στον "
                                                   "προορισμό «/t/».\r\n\r\nΘέλετε πράγματι να προχωρήσετε στη "
                                                   "διαδικασία της μετακινήσεως;");
    }
    void verificationTexts()
    {
        QFETCH(int, operation);
        QFETCH(bool, greek);
        QFETCH(QString, text);
        QCOMPARE(CopyMoveVerificationText(FileOperationKind(operation), QStringLiteral("/t/"), greek), text);
    }

    void noTargetOrNoEndsTheOperation_data()
    {
        QTest::addColumn<bool>("cancelTarget");
        QTest::addColumn<int>("prompts");
        QTest::newRow("target chooser cancelled") << true << 0;
        QTest::newRow("verification answered No") << false << 1;
    }
    void noTargetOrNoEndsTheOperation()
    {
        QFETCH(bool, cancelTarget);
        QFETCH(int, prompts);
        for (const auto kind : {FileOperationKind::Copy, FileOperationKind::Move}) {
            AppState s = state();
            FakeMainWindow main;
            main.folderAnswers.append({cancelTarget ? QString() : m_target, 0, {}});
            ScriptedPrompter p;
            if (!cancelTarget)
                p.answer(PromptButton::No);
            CopyOrMoveSelection(kind, selection(), s, p, main.hooks(s));
            QCOMPARE(p.prompts.size(), prompts);
            QVERIFY(main.calls.isEmpty());
            QCOMPARE(main.refreshed, 0);
        }
    }

    void anEmptySelectionAsksNothing()
    {
        for (const auto kind : {FileOperationKind::Copy, FileOperationKind::Move}) {
            AppState s = state();
            s.ShowOptions = true;
            s.SelectTarget = true;
            FakeMainWindow main;
            ScriptedPrompter p;
            CopyOrMoveSelection(kind, {}, s, p, main.hooks(s));
            QVERIFY(main.optionPages.isEmpty());
            QCOMPARE(main.recentShown, 0);
            QVERIFY(main.folderTitles.isEmpty());
            QVERIFY(p.prompts.isEmpty());
            QVERIFY(main.calls.isEmpty());
        }
    }

    void recentPathsComeFirstWhenSelectTargetIsOn_data()
    {
        QTest::addColumn<bool>("selectTarget");
        QTest::addColumn<QString>("recalled");
        QTest::addColumn<int>("recentShown");
        QTest::addColumn<int>("folderDialogs");
        QTest::newRow("recalled path is the target") << true << QStringLiteral("target dir") << 1 << 0;
        QTest::newRow("recent paths cancelled") << true << QString() << 1 << 1;
        QTest::newRow("select target off") << false << QStringLiteral("target dir") << 0 << 1;
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
        CopyOrMoveSelection(FileOperationKind::Copy, selection(), s, p, main.hooks(s));
        QCOMPARE(main.recentShown, recentShown);
        QCOMPARE(main.folderTitles.size(), folderDialogs);
        QCOMPARE(main.calls.size(), 1);
        QCOMPARE(main.calls.first().target, m_target);
    }

    void optionsShowFirstAtTheOperationsPage()
    {
        AppState s = state();
        s.ShowOptions = true;
        FakeMainWindow main;
        // The user turns off the verification and the replace question in the dialog.
        main.userInOptions = [](AppState &st) {
            st.MoveVerify = false;
            st.MoveConfirm = false;
        };
        main.folderAnswers.append({m_target, 0, {}});
        ScriptedPrompter p;
        CopyOrMoveSelection(FileOperationKind::Move, selection(), s, p, main.hooks(s));
        QCOMPARE(main.optionPages, QList<int>{2});
        QCOMPARE(p.prompts.size(), 0);
        QCOMPARE(main.calls.first().flags, std::uint32_t(OperationFlag::NoConfirmation));

        main.folderAnswers.append({m_target, 0, {}});
        p.answer(PromptButton::Yes);
        CopyOrMoveSelection(FileOperationKind::Copy, selection(), s, p, main.hooks(s));
        QCOMPARE(main.optionPages, (QList<int>{2, 1}));
    }

    void failuresAreReportedWithTheOperationsCode_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<QString>("case_");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("calls");
        QTest::addColumn<int>("refreshed");
        const auto copy = int(FileOperationKind::Copy);
        const auto move = int(FileOperationKind::Move);
        QTest::newRow("copy, chooser error") << copy << QStringLiteral("chooser") << QStringLiteral("074") << 71 << 0 << 0;
        QTest::newRow("move, chooser error") << move << QStringLiteral("chooser") << QStringLiteral("075") << 71 << 0 << 0;
        QTest::newRow("copy, target gone") << copy << QStringLiteral("gone") << QStringLiteral("074") << 76 << 0 << 0;
        QTest::newRow("move, name with a slash") << move << QStringLiteral("slash") << QStringLiteral("075") << 52 << 0 << 0;
        QTest::newRow("copy, dot-dot name") << copy << QStringLiteral("dotdot") << QStringLiteral("074") << 52 << 0 << 0;
        QTest::newRow("move, service fails half-way") << move << QStringLiteral("runner") << QStringLiteral("075") << 61 << 1 << 1;
    }
    void failuresAreReportedWithTheOperationsCode()
    {
        QFETCH(int, operation);
        QFETCH(QString, case_);
        QFETCH(QString, code);
        QFETCH(int, number);
        QFETCH(int, calls);
        QFETCH(int, refreshed);
        AppState s = state();
        s.CopyVerify = false;
        s.MoveVerify = false;
        FakeMainWindow main;
        QStringList names = selection();
        if (case_ == QLatin1String("chooser"))
            main.folderAnswers.append({QString(), 71, QStringLiteral("Disk not ready")});
        else if (case_ == QLatin1String("gone"))
            main.folderAnswers.append({m_tree.path(QStringLiteral("gone/")), 0, {}});
        else
            main.folderAnswers.append({m_target, 0, {}});
        if (case_ == QLatin1String("slash"))
            names.append(QStringLiteral("a/b"));
        if (case_ == QLatin1String("dotdot"))
            names.append(QStringLiteral(".."));
        main.runnerThrows = case_ == QLatin1String("runner");
        ScriptedPrompter p;
        CopyOrMoveSelection(FileOperationKind(operation), names, s, p, main.hooks(s));
        QCOMPARE(p.prompts.size(), 1);
        QCOMPARE(p.last().title, s.AppTitle + QStringLiteral(", ") + code + QLatin1Char('.'));
        QVERIFY(p.last().text.startsWith(QStringLiteral("Error condition %1 ").arg(number)));
        QCOMPARE(main.calls.size(), calls);
        QCOMPARE(main.refreshed, refreshed);
    }

    void deleteFlagsFollowTheOption_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<uint>("flags");
        QTest::newRow("1 trash, asking") << 1 << 0x40u;
        QTest::newRow("2 trash, no question") << 2 << 0x50u;
        QTest::newRow("3 for good, asking") << 3 << 0u;
        QTest::newRow("4 for good, no question") << 4 << 0x10u;
        QTest::newRow("0 as 1") << 0 << 0x40u;
        QTest::newRow("9 as 1") << 9 << 0x40u;
    }
    void deleteFlagsFollowTheOption()
    {
        QFETCH(int, option);
        QFETCH(uint, flags);
        AppState s = state();
        s.DeleteOption = option;
        FakeMainWindow main;
        ScriptedPrompter p;
        DeleteSelection(selection(), s, p, main.hooks(s));
        QCOMPARE(main.calls.size(), 1);
        const FileOperationCall &call = main.calls.first();
        QCOMPARE(call.operation, FileOperationKind::Delete);
        QCOMPARE(call.sources, fullPaths());
        QVERIFY(call.target.isEmpty());
        QCOMPARE(call.flags, flags);
        QCOMPARE(uint(s.DeleteFlags), flags);
        QCOMPARE(main.refreshed, 1);
        // The program itself never asks before a delete; the service does.
        QVERIFY(p.prompts.isEmpty());
    }

    void deleteShowsOptionsFirstAndUsesTheirOutcome()
    {
        AppState s = state();
        s.ShowOptions = true;
        s.OptionsPage = 3;
        FakeMainWindow main;
        main.userInOptions = [](AppState &st) { st.DeleteOption = 4; };
        ScriptedPrompter p;
        DeleteSelection({QStringLiteral(" x")}, s, p, main.hooks(s));
        QCOMPARE(main.optionPages, QList<int>{0});
        QCOMPARE(main.calls.first().flags, std::uint32_t(OperationFlag::NoConfirmation));
        QCOMPARE(main.calls.first().sources, QStringList{m_listed + QStringLiteral(" x")});
    }

    void deleteWithNothingSelectedDoesNothing()
    {
        AppState s = state();
        s.ShowOptions = true;
        FakeMainWindow main;
        ScriptedPrompter p;
        DeleteSelection({}, s, p, main.hooks(s));
        QVERIFY(main.optionPages.isEmpty());
        QVERIFY(main.calls.isEmpty());
        QCOMPARE(main.refreshed, 0);
    }

    void deleteFailureIsReportedAndTheListingRefreshed()
    {
        AppState s = state();
        FakeMainWindow main;
        main.runnerThrows = true;
        ScriptedPrompter p;
        DeleteSelection(selection(), s, p, main.hooks(s));
        QCOMPARE(p.prompts.size(), 1);
        QCOMPARE(p.last().title, s.AppTitle + QStringLiteral(", 066."));
        QCOMPARE(main.refreshed, 1);
    }

    void deleteRefusesNamesOutsideTheFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("dot") << QStringLiteral(".");
        QTest::newRow("dot-dot") << QStringLiteral("..");
        QTest::newRow("slash") << QStringLiteral("../other");
    }
    void deleteRefusesNamesOutsideTheFolder()
    {
        QFETCH(QString, name);
        AppState s = state();
        FakeMainWindow main;
        ScriptedPrompter p;
        DeleteSelection({QStringLiteral("fine"), name}, s, p, main.hooks(s));
        QVERIFY(main.calls.isEmpty());
        QCOMPARE(p.last().title, s.AppTitle + QStringLiteral(", 066."));
        QVERIFY(p.last().text.startsWith(QStringLiteral("Error condition 52 ")));
    }
};

TIDYHALL_TEST_MAIN(CopyMoveDeleteTest)
#include "tst_CopyMoveDelete.moc"
