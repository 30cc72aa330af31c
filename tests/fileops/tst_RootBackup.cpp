#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "ScratchMount.h"
#include "app/AppState.h"
#include "app/DataPaths.h"
#include "fileops/RootBackup.h"
#include "fileops/RootBackupGuard.h"
#include "platform/DosAttributes.h"
#include "platform/LegacyText.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

enum class Form { Lf, CrLf, Bom, BlankLines, Utf16Le, Utf16Be, Windows1253 };

QByteArray encode(const QStringList &lines, Form form)
{
    QStringList all = lines;
    if (form == Form::BlankLines) {
        all.prepend(QString());
        all.insert(1, QStringLiteral("  \t "));
        all.append(QString());
    }
    const QString text = all.join(form == Form::Lf || form == Form::BlankLines ? "\n" : "\r\n") + "\r\n";
    switch (form) {
    case Form::Bom:
        return "\xEF\xBB\xBF" + text.toUtf8();
    case Form::Utf16Le:
    case Form::Utf16Be: {
        QByteArray out = form == Form::Utf16Le ? "\xFF\xFE" : "\xFE\xFF";
        for (const QChar c : text) {
            const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
            out.append(form == Form::Utf16Le ? lo : hi).append(form == Form::Utf16Le ? hi : lo);
        }
        return out;
    }
    case Form::Windows1253:
        return encodeWindows1253(text);
    default:
        return text.toUtf8();
    }
}

class Recorder : public RootBackupObserver
{
public:
    QStringList events;
    void busy(bool on) override { events << (on ? "busy" : "idle"); }
    void copying(int done, int total, const QString &item) override
    {
        events << QStringLiteral("%1/%2 %3").arg(done).arg(total).arg(item);
    }
};

const QString Title = QStringLiteral("Root backup");
const QString Done = QStringLiteral("Η αποθήκευση ολοκληρώθηκε");

// A scratch world: data folder with the four lists, sources, and the target "T".
struct World
{
    TempTree tree;
    AppState state;
    ScriptedPrompter prompter;
    Recorder observer;
    QString t;
    World()
    {
        BuildDataPaths(state, tree.folder("data"));
        t = tree.path("T");
        tree.file("src/a.txt", "A");
        tree.file("src/Δέλτα.txt", "D");
        tree.file("src/dir/x.txt", "X");
        tree.symlink("src/dir/link", "x.txt");
    }
    QString p(const QString &relative) const { return tree.path(relative); }
    void write(const QString &file, const QStringList &lines, Form form = Form::CrLf)
    {
        tree.file("data/" + file, encode(lines, form));
    }
    // The usual lists; each test changes what it is about.
    void standardLists()
    {
        write("SpecialTargetFolder.txt", {t});
        write("SpecialSourceFiles.txt", {p("src/a.txt") + " | " + t + "/a-copy.txt"});
        write("SpecialSourceFolders.txt", {p("src/dir")});
        write("SpecialAttributes.txt", {p("src/a.txt")});
    }
    RootBackupOutcome run() { return RunRootBackup(prompter, state, observer); }
    bool archive(const QString &relative) const { return readAttributes(p(relative)).archive; }
    QStringList texts() const
    {
        QStringList out;
        for (const auto &prompt : prompter.prompts)
            out << prompt.text;
        return out;
    }
};

QString runTool(const QStringList &command)
{
    QProcess p;
    p.start(command.first(), command.mid(1));
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Mounts made by the tests stay in a mount namespace of this process alone.
bool privateMounts()
{
    return ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

} // namespace

class RootBackupTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // An absent target is asked about; a present one ends in the desktop's trash and the
    // new one holds only this run's copies.
    void target_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<PromptButton>("answer");
        QTest::newRow("absent, yes") << false << PromptButton::Yes;
        QTest::newRow("absent, no") << false << PromptButton::No;
        QTest::newRow("present") << true << PromptButton::Yes;
    }
    void target()
    {
        QFETCH(bool, present);
        QFETCH(PromptButton, answer);
        World w;
        w.standardLists();
        if (present)
            w.tree.file("T/old.txt", "old");
        else
            w.prompter.answer(answer);
        const RootBackupOutcome outcome = w.run();
        const bool yes = answer == PromptButton::Yes;
        if (present) {
            QCOMPARE(w.texts(), QStringList{Done});
        } else {
            const auto &ask = w.prompter.prompts.first();
            QCOMPARE(ask.title, Title);
            QCOMPARE(ask.text, "Ο φάκελλος «" + w.t + "» δεν υπάρχει. Θέλετε να συνεχίσετε;");
            QCOMPARE(ask.icon, PromptIcon::NoIcon);
            QCOMPARE(ask.buttons, (QList<PromptButton>{PromptButton::Yes, PromptButton::No}));
            QCOMPARE(w.prompter.prompts.size(), yes ? 2 : 1);
        }
        QCOMPARE(outcome.end, yes ? RootBackupEnd::Completed : RootBackupEnd::Declined);
        QCOMPARE(w.tree.exists("T"), yes);
        QCOMPARE(w.archive("src/a.txt"), !yes);
        if (!yes)
            return;
        QCOMPARE(QDir(w.t).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 (QStringList{"a-copy.txt", "dir"}));
        QCOMPARE(w.tree.read("T/a-copy.txt"), QByteArray("A"));
        QCOMPARE(w.tree.read("T/dir/x.txt"), QByteArray("X"));
        QCOMPARE(QFileInfo(w.p("T/dir/link")).symLinkTarget(), w.p("T/dir/x.txt"));
        QCOMPARE(w.prompter.last().text, Done);
        QCOMPARE(w.prompter.last().icon, PromptIcon::Information);
        QCOMPARE(w.observer.events.first(), "busy");
        QCOMPARE(w.observer.events.last(), "idle");
        QVERIFY(w.observer.events.contains("0/2 " + w.p("src/a.txt")));
        QVERIFY(w.observer.events.contains("1/2 " + w.p("src/dir")));
        if (!present)
            return;
        if (QStandardPaths::findExecutable("gio").isEmpty() || QStandardPaths::findExecutable("dbus-run-session").isEmpty())
            QSKIP("gio or dbus-run-session is not installed");
        const QString listed = runTool({"dbus-run-session", "--", "gio", "trash", "--list"});
        QVERIFY2(listed.contains('\t' + w.t + '\n'), qPrintable(listed));
    }

    // A listed folder that is a link is copied for its contents, under the listed name;
    // links inside stay links.
    void listedLinkIsFollowed()
    {
        World w;
        w.standardLists();
        w.tree.symlink("docs", w.p("src/dir"));
        w.write("SpecialSourceFolders.txt", {w.p("docs")});
        w.prompter.answer(PromptButton::Yes);
        QCOMPARE(w.run().end, RootBackupEnd::Completed);
        QVERIFY(QFileInfo(w.p("T/docs")).isDir() && !QFileInfo(w.p("T/docs")).isSymLink());
        QCOMPARE(w.tree.read("T/docs/x.txt"), QByteArray("X"));
        QVERIFY(QFileInfo(w.p("T/docs/link")).isSymLink());
        QVERIFY(!w.tree.exists("T/dir"));
    }

    // A volume whose trash cannot be made: asked before deleting for good, No by default.
    void noTrashAsksFirst_data()
    {
        QTest::addColumn<PromptButton>("answer");
        QTest::newRow("no") << PromptButton::No;
        QTest::newRow("yes") << PromptButton::Yes;
    }
    void noTrashAsksFirst()
    {
        QFETCH(PromptButton, answer);
        if (!privateMounts())
            QSKIP("no private mount namespace here (unshare needs CAP_SYS_ADMIN)");
        ScratchMount volume = ScratchMount::tmpfs();
        if (!volume.ok())
            QSKIP(qPrintable(volume.why()));
        World w;
        w.standardLists();
        const QString t = volume.path() + "/T";
        w.write("SpecialTargetFolder.txt", {t});
        w.write("SpecialSourceFiles.txt", {w.p("src/a.txt") + "|" + t + "/a"});
        QVERIFY(QDir().mkpath(t) && QFile(t + "/old").open(QIODevice::WriteOnly));
        QVERIFY(QFile(volume.path() + "/.Trash-" + QString::number(::getuid())).open(QIODevice::WriteOnly));
        w.prompter.answer(answer);
        const bool yes = answer == PromptButton::Yes;
        QCOMPARE(w.run().end, yes ? RootBackupEnd::Completed : RootBackupEnd::Declined);
        const auto &ask = w.prompter.prompts.first();
        QCOMPARE(ask.text, "Ο παλαιός φάκελλος προορισμού «" + t + "» δεν μπορεί να μεταφερθεί στον κάδο ανακυκλώσεως, "
                           "διότι ο δίσκος του δεν έχει κάδο.\r\n\r\nΘέλετε να διαγραφεί οριστικά, χωρίς δυνατότητα "
                           "επαναφοράς;");
        QCOMPARE(ask.icon, PromptIcon::Warning);
        QCOMPARE(ask.defaultButton, PromptButton::No);
        QCOMPARE(QFileInfo::exists(t + "/old"), !yes);
        QCOMPARE(QFileInfo::exists(t + "/a"), yes);
        QCOMPARE(w.archive("src/a.txt"), !yes);
    }

    // Each list in each form users' editors give it; the run sees the same entries.
    void listForms_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("form");
        const std::pair<const char *, Form> forms[] = {{"lf", Form::Lf},           {"crlf", Form::CrLf},
                                                       {"bom", Form::Bom},         {"blank lines", Form::BlankLines},
                                                       {"utf-16le", Form::Utf16Le}, {"utf-16be", Form::Utf16Be},
                                                       {"windows-1253", Form::Windows1253}};
        for (const char *file : {"SpecialTargetFolder.txt", "SpecialSourceFiles.txt", "SpecialSourceFolders.txt",
                                 "SpecialAttributes.txt"})
            for (const auto &[name, form] : forms)
                if (!(form == Form::BlankLines && file == QLatin1String("SpecialTargetFolder.txt")))
                    QTest::addRow("%s %s", file, name) << QString::fromLatin1(file) << int(form);
    }
    void listForms()
    {
        QFETCH(QString, file);
        QFETCH(int, form);
        World w;
        const QList<std::pair<QString, QStringList>> lists{
            {"SpecialTargetFolder.txt", {w.t}},
            {"SpecialSourceFiles.txt", {w.p("src/Δέλτα.txt") + "|" + w.t + "/Δέλτα.txt"}},
            {"SpecialSourceFolders.txt", {w.p("src/dir")}},
            {"SpecialAttributes.txt", {w.p("src/Δέλτα.txt")}}};
        for (const auto &[name, lines] : lists)
            w.write(name, lines, name == file ? Form(form) : Form::CrLf);
        w.prompter.answer(PromptButton::Yes);
        QCOMPARE(w.run().end, RootBackupEnd::Completed);
        QCOMPARE(w.prompter.last().text, Done);
        QCOMPARE(w.tree.read("T/Δέλτα.txt"), QByteArray("D"));
        QCOMPARE(w.tree.read("T/dir/x.txt"), QByteArray("X"));
        QVERIFY(!w.archive("src/Δέλτα.txt"));
    }

    // Missing or empty lists, and bad lines: told before the old target is touched.
    void checkedBeforeAnythingChanges_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("lines"); // empty with `missing` true: no file
        QTest::addColumn<bool>("missing");
        QTest::addColumn<QString>("message");
        const QString report = "Παρουσιάστηκε το σφάλμα με αριθμό %1 και περιγραφή «%2».";
        for (const char *file : {"SpecialTargetFolder.txt", "SpecialSourceFiles.txt", "SpecialSourceFolders.txt",
                                 "SpecialAttributes.txt"})
            QTest::addRow("%s missing", file) << QString(file) << QStringList() << true
                                              << report.arg(53).arg("Το αρχείο καταλόγου «%1» δεν υπάρχει.");
        QTest::newRow("empty target") << "SpecialTargetFolder.txt" << QStringList() << false
                                      << "Το αρχείο «SpecialTargetFolder.txt» δεν ορίζει φάκελλο προορισμού.";
        QTest::newRow("no bar") << "SpecialSourceFiles.txt" << QStringList{"", "/etc/hostname /x"} << false
                                << report.arg(52).arg("Η γραμμή 2 του αρχείου «SpecialSourceFiles.txt» δεν έχει "
                                                      "τη μορφή «αρχείο | προορισμός».");
        QTest::newRow("relative folder") << "SpecialSourceFolders.txt" << QStringList{"/a", " src "} << false
                                         << report.arg(52).arg("Η γραμμή 2 του αρχείου «SpecialSourceFolders.txt» "
                                                               "δεν ορίζει πλήρη διαδρομή: «src».");
        QTest::newRow("same destination twice")
            << "SpecialSourceFiles.txt" << QStringList{"/a|/d/x", "/b | /d//x"} << false
            << report.arg(58).arg("Η γραμμή 2 του αρχείου «SpecialSourceFiles.txt» ορίζει τον ίδιο προορισμό με τη "
                                  "γραμμή 1: «/d//x».");
    }
    void checkedBeforeAnythingChanges()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, lines);
        QFETCH(bool, missing);
        QFETCH(QString, message);
        World w;
        w.standardLists();
        w.tree.file("T/old.txt", "old");
        if (missing)
            QFile::remove(w.p("data/" + file));
        else
            w.write(file, lines);
        QCOMPARE(w.run().end, RootBackupEnd::NotStarted);
        QCOMPARE(w.prompter.prompts.size(), 1);
        if (message.contains("%1"))
            message = message.arg(w.p("data/" + file));
        QVERIFY2(w.prompter.last().text.startsWith(message), qPrintable(w.prompter.last().text));
        QCOMPARE(w.prompter.last().title.endsWith(", 126."), message.startsWith("Παρουσιάστηκε"));
        QVERIFY(w.tree.exists("T/old.txt"));
        QVERIFY(w.archive("src/a.txt"));
        QVERIFY(w.observer.events.isEmpty());
    }

    // Where a source is missing or a copy fails, the run goes on, says so at the end, and a
    // file whose copy failed keeps its Archive bit.
    void failuresAreNamed()
    {
        World w;
        w.tree.folder("T");
        w.write("SpecialTargetFolder.txt", {w.t});
        w.write("SpecialSourceFiles.txt", {w.p("src/none.txt") + "|" + w.t + "/n", w.p("src/a.txt") + "|" + w.p("gone/a")});
        w.write("SpecialSourceFolders.txt", {w.p("src/nodir")});
        w.write("SpecialAttributes.txt", {w.p("src/a.txt"), w.p("src/nofile")});
        w.tree.file("data/Comments_.txt", "c");
        w.tree.file("data/Comments_media%5Fusb.txt", "u");
        w.tree.file("data/Comments.txt", "no volume key");
        QCOMPARE(w.run().end, RootBackupEnd::Completed);
        QCOMPARE(w.texts().mid(0, 3),
                 (QStringList{"Το αρχείο «" + w.p("src/none.txt") + "» δεν αποθηκεύθηκε διότι δεν υπάρχει.",
                              "Ο φάκελλος «" + w.p("src/nodir") + "» δεν αποθηκεύθηκε διότι δεν υπάρχει.",
                              "Η ιδιότητα «Προς φύλαξη» του αρχείου «" + w.p("src/nofile")
                                  + "» δεν αλλάχθηκε, διότι το αρχείο αυτό δεν υπάρχει."}));
        QCOMPARE(w.prompter.prompts[1].icon, PromptIcon::Information);
        QCOMPARE(w.prompter.last().icon, PromptIcon::Warning);
        QCOMPARE(w.prompter.last().text,
                 "Η αποθήκευση ολοκληρώθηκε, αλλά τα εξής δεν αποθηκεύθηκαν:\r\n\r\n«" + w.p("src/a.txt")
                     + "»: ο φάκελλος του προορισμού «" + w.p("gone") + "» δεν υπάρχει\r\n«" + w.p("src/a.txt")
                     + "»: η ιδιότητα «Προς φύλαξη» παρέμεινε, διότι το αρχείο δεν αντιγράφηκε");
        QVERIFY(w.archive("src/a.txt"));
        QCOMPARE(QDir(w.t).entryList(QDir::Files), (QStringList{"Comments_.txt", "Comments_media%5Fusb.txt"}));
        QCOMPARE(w.prompter.unexpected, 0);
    }

    // A full disk stops the copy where it happened; nothing is marked as backed up.
    void fullVolumeStops_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::newRow("single file") << false;
        QTest::newRow("folder") << true;
    }
    void fullVolumeStops()
    {
        QFETCH(bool, folder);
        if (!privateMounts())
            QSKIP("no private mount namespace here (unshare needs CAP_SYS_ADMIN)");
        ScratchMount small = ScratchMount::tmpfs(QStringLiteral("size=1m"));
        if (!small.ok())
            QSKIP(qPrintable(small.why()));
        World w;
        const QByteArray big(700 * 1024, 'b');
        w.tree.file("src/big1", big);
        w.tree.file("src/dir/big2", big);
        const QString t = small.path() + "/T";
        w.write("SpecialTargetFolder.txt", {t});
        w.write("SpecialSourceFiles.txt", {w.p("src/big1") + "|" + t + "/big1", w.p("src/big1") + "|" + t + "/big1b",
                                           w.p("src/a.txt") + "|" + t + "/a"});
        w.write("SpecialSourceFolders.txt", {w.p("src/dir")});
        w.write("SpecialAttributes.txt", {w.p("src/big1"), w.p("src/a.txt")});
        w.prompter.answer(PromptButton::Yes);
        if (folder) {
            w.tree.file("src/dir/big3", big);
            w.write("SpecialSourceFiles.txt", QStringList{});
            w.prompter.answer(PromptButton::Cancel); // the service's Retry, Skip or Cancel
        }
        QCOMPARE(w.run().end, RootBackupEnd::Stopped);
        const QString where = folder ? w.p("src/dir") : t + "/big1b";
        const QString why = folder ? "η αντιγραφή διακόπηκε" : "ο δίσκος είναι γεμάτος";
        QVERIFY2(w.prompter.last().text.startsWith("Η αποθήκευση σταμάτησε στο «" + where + "»: " + why + ".\r\n\r\n"
                                                   "Οι ιδιότητες «Προς φύλαξη» δεν άλλαξαν."),
                 qPrintable(w.prompter.last().text));
        QVERIFY(w.archive("src/big1") && w.archive("src/a.txt"));
        QCOMPARE(w.tree.read("src/big1"), big);
        QVERIFY(!QFileInfo::exists(t + "/a"));
        QCOMPARE(w.prompter.unexpected, 0);
    }

    // The guard's decisions; nothing is deleted or trashed here.
    void guard_data()
    {
        QTest::addColumn<QString>("target"); // "~" is the home folder, "@" the scratch tree
        QTest::addColumn<RootBackupRefusal>("refusal");
        using R = RootBackupRefusal;
        QTest::newRow("empty") << "" << R::Empty;
        QTest::newRow("blanks") << "   " << R::Empty;
        QTest::newRow("relative") << "backup" << R::Relative;
        QTest::newRow("root") << "/" << R::Root;
        QTest::newRow("root, unclean") << "/tmp/.." << R::Root;
        QTest::newRow("home") << "~" << R::Home;
        QTest::newRow("holds home") << "~/.." << R::HoldsHome;
        QTest::newRow("proc, a mount point") << "/proc" << R::MountPoint;
        QTest::newRow("holds the data folder") << "@" << R::HoldsDataFolder;
        QTest::newRow("holds a source file") << "@/src" << R::HoldsSource;
        QTest::newRow("is a source folder") << "@/src/dir" << R::HoldsSource;
        QTest::newRow("is a source folder, by a second path") << "@/alias/dir/" << R::HoldsSource;
        QTest::newRow("inside a source folder") << "@/src/dir/sub" << R::InsideSource;
        QTest::newRow("not yet there, inside a source folder") << "@/src/dir/new/T" << R::InsideSource;
        QTest::newRow("a link to a folder") << "@/link" << R::SymbolicLink;
        QTest::newRow("a file") << "@/file" << R::NotFolder;
        QTest::newRow("a fresh folder") << "@/T" << R::None;
        QTest::newRow("an old backup") << "@/old" << R::None;
    }
    void guard()
    {
        QFETCH(QString, target);
        World w;
        w.tree.folder("src/dir/sub");
        w.tree.folder("old");
        w.tree.file("file");
        w.tree.symlink("link", w.p("old"));
        w.tree.symlink("alias", w.p("src"));
        target.replace('@', w.tree.root()).replace('~', QDir::homePath());
        RootBackupGuardInput input{target, QDir::homePath(), w.state.DataFolder, {w.p("src/a.txt"), w.p("src/dir")},
                                   {w.p("src/dir")}};
        const RootBackupVerdict verdict = JudgeRootBackupTarget(input);
        QTEST(verdict.refusal, "refusal");
    }
};

TIDYHALL_TEST_MAIN(RootBackupTest)
#include "tst_RootBackup.moc"
