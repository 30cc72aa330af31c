#include "TempTree.h"
#include "TestEnvironment.h"
#include "ScratchMount.h"
#include "output/CommentsFile.h"
#include "output/PrintLayout.h"
#include "output/PrintPaths.h"
#include "output/PrintTextFile.h"
#include "platform/ExactName.h"
#include "platform/LegacyText.h"
#include "platform/RuntimeError.h"

#include <QProcess>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Records what a printout sends, a page break as the line "<new page>".
struct RecordingSink : PrintSink
{
    QStringList lines;
    QList<int> emphasised;
    void newPage() override { lines << QStringLiteral("<new page>"); }
    void writeLine(const QString &line, bool bold) override
    {
        if (bold)
            emphasised << int(lines.size());
        lines << line;
    }
};

PrintItemTexts item(const QString &name, const QString &size = {}, const QString &flags = {})
{
    PrintItemTexts t;
    t.name = name;
    t.size = size;
    t.date = QStringLiteral("06/12/2026");
    t.time = QStringLiteral("20:36:38");
    t.folder = flags.contains(QLatin1Char('+'));
    t.hidden = flags.contains(QLatin1Char('H'));
    t.system = flags.contains(QLatin1Char('S'));
    t.readOnly = flags.contains(QLatin1Char('R'));
    t.archive = flags.contains(QLatin1Char('A'));
    return t;
}

QString itemLineOf(int i)
{
    return ListingItemLine(item(QStringLiteral("αρχείο %1.txt").arg(i), QString::number(i)));
}

QByteArray commentLine(const QByteArray &name, const QByteArray &comment)
{
    return name.leftJustified(300, ' ') + comment.leftJustified(100, ' ');
}

} // namespace

class PrintRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void itemLine_data()
    {
        QTest::addColumn<PrintItemTexts>("texts");
        QTest::addColumn<QString>("expected");
        const QString mid = QStringLiteral(" | 06/12/2026 20:36:38 | ");
        QTest::newRow("hidden archive folder, no size") << item("Data", "", "+HA")
                                                        << "+ H     A" + mid + "............. | Data";
        QTest::newRow("file without attributes") << item("a.txt", "1.234") << "         " + mid + "........1.234 | a.txt";
        QTest::newRow("all four attributes") << item("x", "0", "HSRA") << "  H S R A" + mid + "............0 | x";
        QTest::newRow("12 GiB widens the size field")
            << item("big.img", "12.884.901.888") << "         " + mid + "12.884.901.888 | big.img";
        QTest::newRow("exactly 13 characters") << item("b", "1.884.901.888") << "         " + mid + "1.884.901.888 | b";
        QTest::newRow("101 characters whole") << item(QString(101, 'n')) << "         " + mid + "............. | " + QString(101, 'n');
        QTest::newRow("102 characters cut") << item(QString(102, 'n')) << "         " + mid + "............. | " + QString(98, 'n') + "...";
        QTest::newRow("line break shown") << item("two\nlines\r") << "         " + mid + "............. | two¶lines¶";
        QTest::newRow("odd byte as its text form") << item(ExactName::fromBytes("caf\xe9")) << "         " + mid + "............. | caf\\xE9";
        QTest::newRow("Greek name, outer spaces") << item("  Φάκελλος  ", "", "+") << "+        " + mid + "............. | Φάκελλος";
        PrintItemTexts longDate = item("d");
        longDate.date = QStringLiteral("Κυριακή 06/12/2026");
        longDate.time = QStringLiteral("8:01:02");
        QTest::newRow("long date keeps its end, short time aligned")
            << longDate << "          | 06/12/2026  8:01:02 | ............. | d";
    }
    void itemLine()
    {
        QFETCH(PrintItemTexts, texts);
        QFETCH(QString, expected);
        QCOMPARE(ListingItemLine(texts), expected);
    }

    void headerAndPathLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        const QString info = QStringLiteral("Folders: 1 of 1. Files: 44 of 44.");
        QTest::newRow("English label") << HeaderLine(info, PageLabel(1, 2, false))
                                       << info + QString(151 - 33 - 11, ' ') + "Page 1 of 2";
        QTest::newRow("Greek label") << HeaderLine(info, PageLabel(12, 130, true))
                                     << info + QString(151 - 33 - 17, ' ') + "Σελίδα 12 από 130";
        QTest::newRow("long information cut") << HeaderLine(QString(200, 'i'), PageLabel(1, 1, false))
                                              << QString(140, 'i') + "Page 1 of 1";
        QTest::newRow("path trimmed") << PathLine("  /home/u/  ") << "/home/u/";
        QTest::newRow("path of 151 whole") << PathLine(QString(151, 'p')) << QString(151, 'p');
        QTest::newRow("path of 152 cut") << PathLine(QString(152, 'p')) << QString(148, 'p') + "...";
        QTest::newRow("comments item") << CommentsItemLine("Data", true, "Archive") << QString(44, ' ') + "Data + Archive";
        QTest::newRow("comments item, no comment") << CommentsItemLine("a.txt", false, "") << QString(43, ' ') + "a.txt";
        QTest::newRow("comments long name and comment")
            << CommentsItemLine(QString(49, 'n'), false, QString(101, 'c'))
            << QString(45, 'n') + "...   " + QString(97, 'c') + "...";
        QTest::newRow("comments name of 48") << CommentsItemLine(QString(48, 'n'), false, "c") << QString(48, 'n') + "   c";
    }
    void headerAndPathLines()
    {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        QCOMPARE(line, expected);
    }

    // Pages: top margin, header with label, dashes, emphasised path, dashes, items.
    void pagesOnPaper_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("linesPerPage");
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QList<int>>("itemsPerPage");
        QTest::newRow("45 at 40") << 45 << 40 << false << QStringList{"Page 1 of 2", "Page 2 of 2"} << QList<int>{40, 5};
        QTest::newRow("45 at 40, Greek") << 45 << 40 << true << QStringList{"Σελίδα 1 από 2", "Σελίδα 2 από 2"}
                                         << QList<int>{40, 5};
        QTest::newRow("exactly one page") << 70 << 70 << false << QStringList{"Page 1 of 1"} << QList<int>{70};
        QTest::newRow("one more than a page") << 71 << 70 << false << QStringList{"Page 1 of 2", "Page 2 of 2"}
                                              << QList<int>{70, 1};
    }
    void pagesOnPaper()
    {
        QFETCH(int, items);
        QFETCH(int, linesPerPage);
        QFETCH(bool, greek);
        QFETCH(QStringList, labels);
        QFETCH(QList<int>, itemsPerPage);
        PrintFrame frame{QStringLiteral("Info"), QStringLiteral("/home/u/"), greek, 2, 3, linesPerPage, false};
        RecordingSink sink;
        WritePrintout(frame, items, itemLineOf, sink);
        QStringList expected;
        int next = 0;
        for (int p = 0; p < labels.size(); ++p) {
            if (p > 0)
                expected << "<new page>";
            expected << " " << " " << "   " + HeaderLine("Info", labels[p]) << "   " + DashLine() << "   /home/u/"
                     << "   " + DashLine();
            for (int i = 0; i < itemsPerPage[p]; ++i)
                expected << "   " + itemLineOf(next++);
        }
        QCOMPARE(sink.lines, expected);
        QCOMPARE(sink.emphasised.size(), labels.size());
        QCOMPARE(sink.lines[sink.emphasised.first()], QStringLiteral("   /home/u/"));
    }

    // A text file has the four header lines once, whatever the page length.
    void textFile_data()
    {
        QTest::addColumn<int>("linesPerPage");
        QTest::newRow("40") << 40;
        QTest::newRow("55") << 55;
        QTest::newRow("70") << 70;
    }
    void textFile()
    {
        QFETCH(int, linesPerPage);
        TempTree tree;
        const QString target = tree.file("out.txt", "the old contents");
        PrintFrame frame{QStringLiteral("Φάκελλοι: 0 από 0.   "), QStringLiteral("/home/χρήστης/"), true, 5, 20,
                         linesPerPage, true};
        {
            PrintTextFile file(target, false);
            WritePrintout(frame, 300, itemLineOf, file);
            QCOMPARE(tree.read("out.txt"), QByteArray("the old contents")); // not yet replaced
            file.commit();
        }
        const QByteArray bytes = tree.read("out.txt");
        QVERIFY(bytes.endsWith("\r\n"));
        const QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size() - 1, 304);
        QCOMPARE(lines.mid(0, 4), (QStringList{"Φάκελλοι: 0 από 0.", DashLine(), "/home/χρήστης/", DashLine()}));
        QCOMPARE(lines[4], itemLineOf(0));
        QCOMPARE(lines[303], itemLineOf(299));
        QCOMPARE(QDir(tree.root()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.txt"});
    }

    // A failed text file leaves the old file whole and no temporary file behind.
    void textFileFailures_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("number");
        QTest::newRow("target is a folder") << "folder" << ErrorNumber::PathFileAccessError;
        QTest::newRow("folder missing") << "missing" << ErrorNumber::FileNotFound;
        QTest::newRow("full volume") << "full" << ErrorNumber::DiskFull;
        QTest::newRow("read-only folder") << "read-only" << ErrorNumber::PermissionDenied;
    }
    void textFileFailures()
    {
        QFETCH(QString, kind);
        QFETCH(int, number);
        TempTree tree;
        std::optional<ScratchMount> mount;
        QString folder = tree.root();
        if (kind == "read-only") {
            mount.emplace(ScratchMount::memory("tmpfs"));
            if (!mount->ok())
                QSKIP(qPrintable("no scratch volume: " + mount->error()));
            folder = mount->path();
            QFile old(folder + "/out.txt");
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write("the old contents") > 0);
            old.close();
            QCOMPARE(QProcess::execute("mount", {"-o", "remount,ro", folder}), 0);
        } else {
            tree.file("out.txt", "the old contents");
        }
        QString target = folder + "/out.txt";
        if (kind == "folder")
            target = tree.folder("a folder");
        if (kind == "missing")
            target = folder + "/no such folder/out.txt";
        struct rlimit saved {};
        getrlimit(RLIMIT_FSIZE, &saved);
        if (kind == "full") {
            std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit small = saved;
            small.rlim_cur = 200000;
            setrlimit(RLIMIT_FSIZE, &small);
        }
        int caught = 0;
        QString description;
        try {
            PrintTextFile file(target, true);
            WritePrintout(PrintFrame{"i", "/", false, 0, 0, 40, true}, 5000, itemLineOf, file);
            file.commit();
        } catch (const RuntimeError &e) {
            caught = e.number;
            description = e.description;
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        QCOMPARE(caught, number);
        QVERIFY2(description.contains(ExactName::shown(target).section('/', -1)), qPrintable(description));
        QFile old(folder + "/out.txt");
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("the old contents"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"out.txt"});
    }

    void paths_data()
    {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("expected");
        QTest::newRow("strip one") << StripTrailingSeparator("/a/b//") << "/a/b/";
        QTest::newRow("strip none") << StripTrailingSeparator("/a/b") << "/a/b";
        QTest::newRow("strip, empty separator means slash") << StripTrailingSeparator("/a/", "") << "/a";
        QTest::newRow("strip, first character counts") << StripTrailingSeparator("a\\", "\\x") << "a";
        QTest::newRow("last component") << LastPathComponent("/a/b/c") << "c";
        QTest::newRow("first from the front") << LastPathComponent("/a/b/c", "/", false) << "a/b/c";
        QTest::newRow("no separator") << LastPathComponent("abc") << "";
        QTest::newRow("proposed at the root") << ProposedPrintFileName("/", "_") << "_.txt";
        QTest::newRow("proposed in a folder") << ProposedPrintFileName("/home/u/Reports/", "_") << "Reports.txt";
        QTest::newRow("proposed at a volume top") << ProposedPrintFileName("/media/usb/", "_media_usb") << "usb.txt";
        QTest::newRow("comments at the root") << ProposedPrintFileName("/", "_", "Comments-") << "Comments-_.txt";
        QTest::newRow("comments in a folder") << ProposedPrintFileName("/srv/Δεδομένα/", "_srv", "Comments-")
                                              << "Comments-Δεδομένα.txt";
    }
    void paths()
    {
        QFETCH(QString, result);
        QFETCH(QString, expected);
        QCOMPARE(result, expected);
    }

    void initialFolder()
    {
        TempTree tree;
        QCOMPARE(InitialPrintFolder(tree.root() + "/", "/home/u"), tree.root());
        QCOMPARE(InitialPrintFolder(tree.root() + "/gone/", "/home/u"), QStringLiteral("/home/u"));
    }

    // Comments files as they come: from Windows, with a BOM, cut short, odd lengths.
    void readCommentsFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("comments");
        const QByteArray greekName = encodeWindows1253(QStringLiteral("Έγγραφα"));
        const QByteArray greekComment = encodeWindows1253(QStringLiteral("Τα έγγραφά μου"));
        QTest::newRow("Windows-1253, CR LF, 400 characters")
            << commentLine(greekName, greekComment) + "\r\n" + commentLine("WINDOWS", "System") + "\r\n"
            << QStringList{"Έγγραφα", "WINDOWS"} << QStringList{"Τα έγγραφά μου", "System"};
        QTest::newRow("UTF-8 with a BOM")
            << "\xEF\xBB\xBF" + (QString("Έγγραφα").leftJustified(300) + "ok").toUtf8() + "\r\n"
            << QStringList{"Έγγραφα"} << QStringList{"ok"};
        QTest::newRow("cut short") << commentLine("a", "first") + "\r\n" + QByteArray("b").leftJustified(300, ' ') + "sec"
                                   << QStringList{"a", "b"} << QStringList{"first", "sec"};
        QTest::newRow("longer and shorter lines")
            << commentLine("a", QByteArray(150, 'c')) + "\nshort name only\r" + QByteArray("x").leftJustified(320, ' ')
                   + "y\r\n"
            << QStringList{"a", "short name only", "x"} << QStringList{QString(150, 'c'), "", "y"};
        QTest::newRow("empty lines skipped") << QByteArray("\r\n\r\n") + commentLine("a", "c")
                                             << QStringList{"a"} << QStringList{"c"};
        QTest::newRow("odd byte name in text form") << commentLine("caf\\xE9", "c") + "\r\n"
                                                    << QStringList{ExactName::fromBytes("caf\xe9")} << QStringList{"c"};
    }
    void readCommentsFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, names);
        QFETCH(QStringList, comments);
        QStringList gotNames, gotComments;
        for (const CommentEntry &e : ParseCommentsFile(bytes)) {
            gotNames << e.name;
            gotComments << e.comment;
        }
        QCOMPARE(gotNames, names);
        QCOMPARE(gotComments, comments);
    }

    // An exact match first; without regard to case only when none; the first line wins.
    void matchComments()
    {
        QList<CommentRow> rows{{"README", false, {}}, {"Readme", false, {}}, {"notes", true, {}}, {"new", false, {}}};
        const QList<CommentEntry> entries{
            {"readme", "lower"}, {"Readme", "exact"}, {"NOTES", "upper"}, {"notes", "exact notes"}, {"Readme", "second"}};
        ApplyComments(rows, entries);
        QStringList got;
        for (const CommentRow &r : rows)
            got << r.comment;
        QCOMPARE(got, (QStringList{"lower", "exact", "exact notes", ""}));
    }

    void writeCommentsFile()
    {
        const QString odd = ExactName::fromBytes("caf\xe9");
        const QList<CommentRow> rows{{"Δεδομένα", true, "Αρχείο"},
                                     {"two\nlines", false, "lost"},
                                     {QString(310, 'n'), false, QString(120, 'c')},
                                     {odd, false, ""}};
        QStringList leftOut;
        const QByteArray bytes = CommentsFileBytes(rows, &leftOut);
        QCOMPARE(leftOut, QStringList{"two\nlines"});
        const QStringList lines = QString::fromUtf8(bytes).split("\r\n");
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QString("Δεδομένα").leftJustified(300) + QString("Αρχείο").leftJustified(100));
        QCOMPARE(lines[1], QString(300, 'n') + QString(100, 'c'));
        QCOMPARE(lines[2].size(), 400);
        QCOMPARE(lines[3], QString());
        QList<CommentRow> again{{odd, false, {}}, {"Δεδομένα", true, {}}, {QString(310, 'n'), false, {}}};
        ApplyComments(again, ParseCommentsFile(bytes));
        QCOMPARE(again[1].comment, QStringLiteral("Αρχείο"));
        QCOMPARE(again[2].comment, QString()); // cut to 300, it no longer names the item
        QCOMPARE(ParseCommentsFile(bytes).at(2).name, odd);
    }

    void listVolumeTop()
    {
        TempTree tree;
        tree.folder("b folder");
        tree.folder(".hidden");
        tree.file("a.txt", "12345");
        tree.file("B.txt", "1");
        tree.symlink("link to folder", tree.path("b folder"));
        tree.symlink("dangling", tree.path("nowhere"));
        const QString big = tree.file("huge.img");
        QVERIFY(::truncate(QFile::encodeName(big).constData(), 5LL << 30) == 0);
        const VolumeTopListing listing = ListVolumeTop(tree.root());
        QStringList names;
        for (const CommentRow &r : listing.rows)
            names << (r.folder ? "+" : "") + r.name;
        QCOMPARE(names, (QStringList{"+.hidden", "B.txt", "a.txt", "+b folder", "dangling", "huge.img", "+link to folder"}));
        QCOMPARE(listing.folders, 3);
        QCOMPARE(listing.files, 4);
        QCOMPARE(listing.bytes, (5LL << 30) + 6);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, ListVolumeTop(tree.path("nowhere")));
        QCOMPARE(CommentsCountLine(3, 4, 1234567, false), QStringLiteral("Folders: 3. Files: 4. File size in bytes: 1,234,567."));
    }
};

TIDYHALL_TEST_MAIN(PrintRulesTest)
#include "tst_PrintRules.moc"
