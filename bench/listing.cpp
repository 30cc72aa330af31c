// Speed and memory of the folder listing on a folder of 100,000 files and 1,000
// sub-folders, beside `ls -l` on the same folder.
//
//   bench_listing [--dir PARENT] [--runs N] [--pairs N]
//                                             build the folder (or reuse it) and measure;
//                                             the whole process is timed beside ls -l in
//                                             N pairs, on every processor and on one
//   bench_listing --once FOLDER               one fresh listing painted once, then exit
//
// The enumeration reads each entry's DOS attributes (one extended-attribute read per
// entry), as the program does.
#include "BenchFigures.h"
#include "app/AppState.h"
#include "mainwin/ListingModel.h"
#include "mainwin/ListingRules.h"
#include "mainwin/SortItemTable.h"
#include "platform/WorkerThreads.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QRandomGenerator>
#include <QSet>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int FileCount = 100000;
constexpr int FolderCount = 1000;

class PaintedView : public QTableView
{
public:
    bool painted = false;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QTableView::paintEvent(event);
        painted = true;
    }
};

void enumerate(ListingModel &model, AppState &state, const QString &folder)
{
    state.ListingStale = true;
    model.enumerate(state, folder, QStringLiteral("*.*"));
}

void sizeColumns(QTableView &view)
{
    const QFontMetrics metrics(view.horizontalHeader()->font());
    for (int c = 0; c < ListingColumnCount; ++c)
        view.setColumnWidth(c, ListingColumnWidth(c, [&](const QString &t) { return metrics.horizontalAdvance(t); }));
}

void paint(PaintedView &view)
{
    view.painted = false;
    view.viewport()->update();
    while (!view.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

QString randomName(QRandomGenerator &random)
{
    static const QString latin = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-.");
    static const QString greek = QStringLiteral("αβγδεζηθικλμνξοπρστυφχψωάέήίόύώΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ");
    const int length = 5 + int(random.bounded(56));
    const bool isGreek = random.bounded(4) == 0;
    const bool spaced = random.bounded(5) == 0;
    QString name;
    for (int i = 0; i < length; ++i) {
        if (spaced && i > 0 && i < length - 1 && random.bounded(6) == 0)
            name += QLatin1Char(' ');
        else {
            const QString &alphabet = isGreek && random.bounded(4) != 0 ? greek : latin;
            name += alphabet[int(random.bounded(int(alphabet.size())))];
        }
    }
    return name;
}

void buildFolder(const QString &folder)
{
    QDir().mkpath(folder);
    QRandomGenerator random(101000);
    QSet<QString> used;
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    int files = 0;
    int folders = 0;
    while (files < FileCount || folders < FolderCount) {
        const QString name = randomName(random);
        if (used.contains(name.toCaseFolded()))
            continue;
        used.insert(name.toCaseFolded());
        const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name);
        const bool makeFolder = folders < FolderCount && (files >= FileCount || random.bounded(101) == 0);
        const timespec when[2] = {{time_t(now - random.bounded(5 * 365 * 86400)), 0},
                                  {time_t(now - random.bounded(5 * 365 * 86400)), 0}};
        if (makeFolder) {
            ::mkdir(path.constData(), 0755);
            ::utimensat(AT_FDCWD, path.constData(), when, 0);
            ++folders;
        } else {
            const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            const int kind = int(random.bounded(100));
            const off_t size = kind < 5 ? off_t(5'000'000'000LL) : kind < 20 ? 0 : off_t(random.bounded(20'000'000));
            if (fd >= 0) {
                (void)::ftruncate(fd, size);
                ::futimens(fd, when);
                ::close(fd);
            }
            ++files;
        }
    }
    QFile marker(folder + QStringLiteral(".complete"));
    marker.open(QIODevice::WriteOnly);
}

int once(int argc, char **argv, const QString &folder, const QString &report)
{
    QApplication app(argc, argv);
    AppState state;
    ListingModel model;
    enumerate(model, state, folder);
    model.display(state);
    PaintedView view;
    view.setModel(&model);
    view.verticalHeader()->hide();
    sizeColumns(view);
    view.resize(900, 600);
    view.show();
    paint(view);
    if (!report.isEmpty()) {
        QFile file(report);
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray::number(qlonglong(peakKiB())));
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QString parent = QStringLiteral("/var/tmp");
    int runs = 7;
    int pairs = 9;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--once" && i + 1 < argc)
            return once(argc, argv, QFile::decodeName(argv[i + 1]),
                        i + 2 < argc ? QFile::decodeName(argv[i + 2]) : QString());
        if (arg == "--dir" && i + 1 < argc)
            parent = QFile::decodeName(argv[++i]);
        else if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, QByteArray(argv[++i]).toInt());
        else if (arg == "--pairs" && i + 1 < argc)
            pairs = std::max(1, QByteArray(argv[++i]).toInt());
    }
    const QString folder = parent + QStringLiteral("/tidyhall-bench-listing");
    if (!QFile::exists(folder + QStringLiteral(".complete"))) {
        std::printf("building %s (%d files, %d folders)...\n", qPrintable(folder), FileCount, FolderCount);
        std::fflush(stdout);
        QDir(folder).removeRecursively();
        buildFolder(folder);
    }

    QApplication app(argc, argv);
    std::printf("folder %s, %d runs each, medians; locale %s\n", qPrintable(folder), runs,
                qPrintable(QLocale::system().name()));

    AppState state;
    ListingModel model;
    std::vector<double> enumeration;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        enumerate(model, state, folder);
        enumeration.push_back(milliseconds(timer));
    }
    std::printf("rows: %lld folders, %lld files, %lld bytes\n", (long long)state.FoldersFound,
                (long long)state.FilesFound, (long long)state.BytesFound);
    std::printf("(a) enumeration, attributes included:           %8.1f ms\n", median(enumeration));

    const ItemTable original = model.table();
    for (const Collation collation : {Collation::CodePoint, Collation::Locale}) {
        for (const int column : {TableColumn::Name, TableColumn::Size}) {
            std::vector<double> times;
            for (int r = 0; r < runs; ++r) {
                ItemTable table = original;
                AppState sortState;
                sortState.SortColumn = column;
                QElapsedTimer timer;
                timer.start();
                SortItemTable(table, sortState, collation);
                times.push_back(milliseconds(timer));
            }
            std::printf("(b) sort by %-4s, %-10s collation:          %8.1f ms\n",
                        column == TableColumn::Name ? "name" : "size",
                        collation == Collation::CodePoint ? "code-point" : "locale", median(times));
        }
    }

    PaintedView view;
    view.verticalHeader()->hide();
    view.resize(900, 600);
    std::vector<double> displayTimes;
    std::vector<double> freshTimes;
    std::vector<double> redisplayTimes;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer fresh;
        fresh.start();
        enumerate(model, state, folder);
        state.OrderChanged = true;
        QElapsedTimer display;
        display.start();
        model.display(state);
        if (!view.model()) {
            view.setModel(&model);
            sizeColumns(view);
            view.show();
        }
        paint(view);
        displayTimes.push_back(milliseconds(display));
        freshTimes.push_back(milliseconds(fresh));

        state.RestrictHidden = !state.RestrictHidden;
        QElapsedTimer redisplay;
        redisplay.start();
        model.display(state);
        paint(view);
        redisplayTimes.push_back(milliseconds(redisplay));
    }
    std::printf("(c) sort + display until painted:             %8.1f ms\n", median(displayTimes));
    std::printf("(d) fresh listing (a + b + c), in process:     %8.1f ms\n", median(freshTimes));
    std::printf("(e) re-display after a filter change:         %8.1f ms (%d rows shown; goal at most 10 ms)\n", median(redisplayTimes),
                model.rowCount());
    std::printf("peak memory of this benchmark process:        %8.1f MiB\n", double(peakKiB()) / 1024);

    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    const std::string target = folder.toStdString();
    const QTemporaryDir scratch;
    const std::string report = scratch.filePath(QStringLiteral("peak")).toStdString();
    runProcess({"ls", "-l", target}); // warm the caches alike
    const auto wholeProcess = [&](const char *setting, double goal) {
        std::vector<double> ours;
        std::vector<double> ls;
        for (int r = 0; r < pairs; ++r) {
            ours.push_back(runProcess({self, "--once", target, report}));
            ls.push_back(runProcess({"ls", "-l", target}));
        }
        const PairedRatio ratio = pairedRatio(ours, ls);
        std::printf("(d) whole process, %s: list + paint once, exit: %8.1f ms   ls -l > /dev/null: %8.1f ms\n",
                    setting, median(ours), median(ls));
        std::printf("    median of %d paired ratios: %.2f (min %.2f, max %.2f; goal at most %.2f)\n", pairs,
                    ratio.median, ratio.min, ratio.max, goal);
        std::fflush(stdout);
    };
    std::printf("%d processors usable\n", usableProcessors());
    wholeProcess("every processor", 0.5);
    // The same on one processor: children take the affinity of the benchmark.
    cpu_set_t all;
    ::sched_getaffinity(0, sizeof all, &all);
    cpu_set_t one;
    CPU_ZERO(&one);
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (CPU_ISSET(cpu, &all)) {
            CPU_SET(cpu, &one);
            break;
        }
    }
    ::sched_setaffinity(0, sizeof one, &one);
    wholeProcess("one processor  ", 0.8);
    ::sched_setaffinity(0, sizeof all, &all);
    QFile peakFile(QString::fromStdString(report));
    peakFile.open(QIODevice::ReadOnly);
    std::printf("peak memory of the last whole process:        %8.1f MiB (goal at most 100)\n",
                peakFile.readAll().toDouble() / 1024);
    return 0;
}
