#include "ScratchMount.h"
#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "fileops/RenameCommands.h"
#include "fileops/RenameTexts.h"
#include "platform/DosAttributes.h"
#include "platform/ExactName.h"

#include <QDir>
#include <QtTest>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Answers like ScriptedPrompter; an answer may first make an item appear, as another
// program could between the question and the rename.
class RacingPrompter : public ScriptedPrompter
{
public:
    QString folder;
    QString appearsWith; // created just before this answer is returned
    QString askText(const QString &title, const QString &text, const QString &initialText) override
    {
        initialTexts << initialText;
        const QString answer = ScriptedPrompter::askText(title, text, initialText);
        if (!appearsWith.isEmpty() && answer == appearsWith)
            ::close(::open(ExactName::toBytes(folder + appearsWith).constData(), O_CREAT | O_WRONLY, 0644));
        return answer;
    }
    QStringList initialTexts;
};

// Each prompt in a word or two, so a table row can list what the user met.
QStringList promptLog(const ScriptedPrompter &p)
{
    QStringList log;
    for (const ScriptedPrompter::Prompt &prompt : p.prompts) {
        if (prompt.isTextInput)
            log << "ask";
        else if (prompt.title.endsWith(QStringLiteral(".")) && prompt.title.contains(QStringLiteral(", 0")))
            log << "error " + prompt.title.right(4).left(3);
        else if (prompt.text.startsWith(QString::fromUtf8(RenameTexts::NameInUseHead.english)))
            log << "in use";
        else if (prompt.text.startsWith(QString::fromUtf8(RenameTexts::ReadOnlyHead.english)))
            log << "read-only?";
        else if (prompt.text == typedNameProblemText(TypedNameProblem::HasSlash, false))
            log << "slash";
        else if (prompt.text == typedNameProblemText(TypedNameProblem::HasNul, false))
            log << "nul";
        else if (prompt.text == typedNameProblemText(TypedNameProblem::DotOrDotDot, false))
            log << "dot";
        else
            log << "other: " + prompt.text;
    }
    return log;
}

QStringList namesIn(const QString &folder)
{
    QStringList names;
    DIR *d = ::opendir(ExactName::toBytes(folder).constData());
    while (dirent *e = d ? ::readdir(d) : nullptr) {
        const QByteArray n(e->d_name);
        if (n != "." && n != "..")
            names << ExactName::fromBytes(n);
    }
    if (d)
        ::closedir(d);
    names.sort();
    return names;
}

} // namespace

class RenameCommandsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textFileNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::newRow("appended") << "notes" << "notes.txt";
        QTest::newRow("upper kept") << "NOTES.TXT" << "NOTES.TXT";
        QTest::newRow("mixed kept") << "a.TxT" << "a.TxT";
        QTest::newRow("other extension") << "notes.doc" << "notes.doc.txt";
        QTest::newRow("blanks kept") << " x " << " x .txt";
    }
    void textFileNames()
    {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        QCOMPARE(newTextFileName(typed), name);
    }

    // One selected item: the answers typed, the names afterwards, the prompts met and
    // whether the listing was refreshed.
    void renameOneItem_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("appears");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<bool>("refreshed");
        const QStringList ab{"a", "b"};
        QTest::newRow("new name, answer trimmed") << QStringList{"a"} << false << QStringList{"  c  "} << ""
                                        << QStringList{"c"} << QStringList{"ask"} << true;
        QTest::newRow("case only") << QStringList{"a"} << false << QStringList{"A"} << "" << QStringList{"A"}
                                   << QStringList{"ask"} << true;
        QTest::newRow("in use, asked again") << ab << false << QStringList{"b", "c"} << "" << QStringList{"b", "c"}
                                             << QStringList{"ask", "in use", "ask"} << true;
        QTest::newRow("appears before the rename")
            << QStringList{"a"} << false << QStringList{"b", "c"} << "b" << QStringList{"b", "c"}
            << QStringList{"ask", "in use", "ask"} << true;
        QTest::newRow("cancel") << QStringList{"a"} << false << QStringList{""} << "" << QStringList{"a"}
                                << QStringList{"ask"} << true;
        QTest::newRow("blank answer") << QStringList{"a"} << false << QStringList{"   "} << "" << QStringList{"a"}
                                      << QStringList{"ask"} << true;
        QTest::newRow("slash, dot, dot-dot, nul refused")
            << QStringList{"a"} << false << QStringList{"../x", ".", "..", QString("x") + QChar(0), ""} << ""
            << QStringList{"a"} << QStringList{"ask", "slash", "ask", "dot", "ask", "dot", "ask", "nul", "ask"} << true;
        QTest::newRow("too long") << QStringList{"a"} << false << QStringList{QString(300, 'x')} << ""
                                  << QStringList{"a"} << QStringList{"ask", "error 070"} << false;
        QTest::newRow("read-only, yes") << QStringList{"a"} << true << QStringList{"c"} << "" << QStringList{"c"}
                                        << QStringList{"read-only?", "ask"} << true;
        QTest::newRow("read-only, no") << QStringList{"a"} << true << QStringList{} << "" << QStringList{"a"}
                                       << QStringList{"read-only?"} << false;
        QTest::newRow("odd bytes repaired")
            << QStringList{ExactName::fromBytes("caf\xe9")} << false << QStringList{QString::fromUtf8("café")} << ""
            << QStringList{QString::fromUtf8("café")} << QStringList{"ask"} << true;
        // Offered back unchanged, a name with blanks is the item's own name.
        QTest::newRow("blanks kept") << QStringList{" a "} << false << QStringList{" a "} << "" << QStringList{" a "}
                                     << QStringList{"ask"} << true;
    }
    void renameOneItem()
    {
        QFETCH(QStringList, before);
        QFETCH(bool, readOnly);
        QFETCH(QStringList, answers);
        QFETCH(QString, appears);
        QFETCH(QStringList, after);
        QFETCH(QStringList, log);
        QFETCH(bool, refreshed);
        TempTree tree;
        const QString folder = tree.root() + "/";
        for (const QString &n : before)
            ::close(::open(ExactName::toBytes(folder + n).constData(), O_CREAT | O_WRONLY, 0644));
        if (readOnly)
            ::chmod(ExactName::toBytes(folder + before.first()).constData(), 0444);
        AppState state;
        state.LanguageGreek = false;
        state.CurrentPath = folder;
        RacingPrompter prompter;
        prompter.folder = folder;
        prompter.appearsWith = appears;
        for (const QString &a : answers)
            prompter.answerText(a);
        if (readOnly)
            prompter.answer(answers.isEmpty() ? PromptButton::No : PromptButton::Yes);
        bool wasRefreshed = false;
        RenameHooks hooks;
        hooks.openRenameDialog = [](const QStringList &) { QFAIL("one item needs no dialog"); };
        hooks.refreshFiles = [&] { wasRefreshed = true; };
        RenameSelection({folder + before.first() + QChar(0)}, state, prompter, hooks);
        QCOMPARE(promptLog(prompter), log);
        QCOMPARE(namesIn(tree.root()), after);
        QCOMPARE(wasRefreshed, refreshed);
        QCOMPARE(prompter.unexpected, 0);
        if (!prompter.initialTexts.isEmpty())
            QCOMPARE(prompter.initialTexts.first(), ExactName::shown(before.first()));
    }

    void severalItemsOpenTheDialog()
    {
        AppState state;
        ScriptedPrompter prompter;
        QStringList given;
        int refreshed = 0;
        RenameHooks hooks;
        hooks.openRenameDialog = [&](const QStringList &entries) { given = entries; };
        hooks.refreshFiles = [&] { ++refreshed; };
        const QStringList entries{QString("/x/a") + QChar(0), QString("/x/b") + QChar(0)};
        RenameSelection(entries, state, prompter, hooks);
        QCOMPARE(given, entries);
        QCOMPARE(refreshed, 1);
        RenameSelection({}, state, prompter, hooks);
        QCOMPARE(refreshed, 1);
        QVERIFY(prompter.prompts.isEmpty());
    }

    // New folder and new text file: what exists, the answers, what exists after, the
    // prompts met. An existing item of the name is never touched.
    void createItems_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("folder") << true << QStringList{"new"} << QStringList{"f.txt", "new"} << QStringList{"ask"};
        QTest::newRow("folder with blanks") << true << QStringList{" new "} << QStringList{" new ", "f.txt"}
                                            << QStringList{"ask"};
        QTest::newRow("folder name in use") << true << QStringList{"f.txt", "g"} << QStringList{"f.txt", "g"}
                                            << QStringList{"ask", "in use", "ask"};
        QTest::newRow("folder over a hidden file") << true << QStringList{".hidden", ""}
                                                   << QStringList{"f.txt"} << QStringList{"ask", "in use", "ask"};
        QTest::newRow("folder cancelled") << true << QStringList{""} << QStringList{"f.txt"} << QStringList{"ask"};
        QTest::newRow("folder refused names") << true << QStringList{"a/b", "..", ""} << QStringList{"f.txt"}
                                              << QStringList{"ask", "slash", "ask", "dot", "ask"};
        QTest::newRow("folder too long") << true << QStringList{QString(256, 'x')} << QStringList{"f.txt"}
                                         << QStringList{"ask", "error 079"};
        QTest::newRow("text file") << false << QStringList{"notes"} << QStringList{"f.txt", "notes.txt"}
                                   << QStringList{"ask"};
        QTest::newRow("text file never truncates") << false << QStringList{"f", "F"} << QStringList{"F.txt", "f.txt"}
                                                   << QStringList{"ask", "in use", "ask"};
        QTest::newRow("text file refused") << false << QStringList{"../up", ""} << QStringList{"f.txt"}
                                           << QStringList{"ask", "slash", "ask"};
        QTest::newRow("text file too long") << false << QStringList{QString(253, 'x')} << QStringList{"f.txt"}
                                            << QStringList{"ask", "error 080"};
    }
    void createItems()
    {
        QFETCH(bool, folder);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, after);
        QFETCH(QStringList, log);
        TempTree tree;
        tree.file("f.txt", "kept");
        tree.file(".hidden", "kept");
        AppState state;
        state.LanguageGreek = false;
        state.CurrentPath = tree.root() + "/";
        ScriptedPrompter prompter;
        for (const QString &a : answers)
            prompter.answerText(a);
        int refreshed = 0;
        const auto refresh = [&] { ++refreshed; };
        if (folder)
            CreateNewFolder(state, prompter, refresh);
        else
            CreateNewTextFile(state, prompter, refresh);
        QStringList names = namesIn(tree.root());
        names.removeAll(".hidden");
        QCOMPARE(names, after);
        QCOMPARE(promptLog(prompter), log);
        QCOMPARE(refreshed, after.size() > 1 ? 1 : 0);
        QCOMPARE(tree.read("f.txt"), QByteArray("kept"));
        QCOMPARE(tree.read(".hidden"), QByteArray("kept"));
        for (const QString &n : after)
            if (!folder && n != "f.txt")
                QCOMPARE(QFileInfo(tree.root() + "/" + n).size(), 0);
    }

    // What the volume refuses (a read-only mount, a name FAT cannot hold) ends in the
    // error report with nothing changed and nothing refreshed.
    void refusedByTheVolume_data()
    {
        QTest::addColumn<QString>("volume");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("log");
        for (const char *volume : {"read-only", "fusefat"}) {
            const QString bad = QString::fromLatin1(volume) == "fusefat" ? "a?b" : "b";
            QTest::addRow("%s, rename", volume) << volume << "rename" << bad << "ask,error 070";
            QTest::addRow("%s, new folder", volume) << volume << "folder" << bad << "ask,error 079";
            QTest::addRow("%s, new text file", volume) << volume << "text" << bad << "ask,error 080";
        }
        QTest::newRow("fusefat, trailing dot is a name of its own")
            << "fusefat" << "rename" << "a." << "ask";
    }
    void refusedByTheVolume()
    {
        QFETCH(QString, volume);
        QFETCH(QString, command);
        QFETCH(QString, answer);
        QFETCH(QString, log);
        std::optional<ScratchMount> tmpfs;
        std::optional<ScratchMount> fat;
        QString root;
        if (volume == "read-only") {
            tmpfs.emplace(ScratchMount::tmpfs());
            if (!tmpfs->ok())
                QSKIP(qPrintable("cannot mount a tmpfs here: " + tmpfs->why()));
            root = tmpfs->path();
        } else {
            fat.emplace(ScratchMount::image(8, {"mkfs.vfat"}, {"fusefat", "-o", "rw+"}));
            if (!fat->ok())
                QSKIP(qPrintable("cannot mount a FAT image with fusefat here: " + fat->error()));
            root = fat->path();
        }
        ::close(::open(QFile::encodeName(root + "/a").constData(), O_CREAT | O_WRONLY, 0644));
        if (tmpfs)
            QVERIFY(tmpfs->setReadOnly(true));
        AppState state;
        state.LanguageGreek = false;
        state.CurrentPath = root + "/";
        ScriptedPrompter prompter;
        prompter.answerText(answer);
        prompter.answerText("");
        int refreshed = 0;
        const auto refresh = [&] { ++refreshed; };
        if (command == "rename")
            RenameSelection({root + "/a" + QChar(0)}, state, prompter, {[](const QStringList &) {}, refresh});
        else if (command == "folder")
            CreateNewFolder(state, prompter, refresh);
        else
            CreateNewTextFile(state, prompter, refresh);
        QCOMPARE(promptLog(prompter).join(','), log);
        if (log.contains("error")) {
            QCOMPARE(namesIn(root), QStringList{"a"});
            QCOMPARE(refreshed, 0);
        } else {
            QCOMPARE(namesIn(root), QStringList{"a."});
        }
        if (tmpfs)
            tmpfs->setReadOnly(false);
    }

    // The Greek new-text-file prompt names the extension in Greek capitals.
    void greekPrompt()
    {
        TempTree tree;
        AppState state;
        state.LanguageGreek = true;
        state.CurrentPath = tree.root() + "/";
        ScriptedPrompter prompter;
        prompter.answerText("");
        CreateNewTextFile(state, prompter, [] {});
        QCOMPARE(prompter.last().title, QString::fromUtf8("Δημιουργία νέου αρχείου κειμένου"));
        QVERIFY(prompter.last().text.contains(QString::fromUtf8("«.\u03a4\u03a7\u03a4»")));
        QVERIFY(prompter.last().text.contains(NewLine + NewLine));
    }
};

TIDYHALL_TEST_MAIN(RenameCommandsTest)
#include "tst_RenameCommands.moc"
