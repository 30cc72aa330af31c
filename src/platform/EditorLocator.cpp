#include "platform/EditorLocator.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <array>
#include <utility>

namespace {

struct KnownEditor
{
    const char *name;
    std::array<const char *, 2> options;
};

// gedit and xed hand a file to the running instance unless told to wait; kate does so
// unless told to block; gnome-text-editor, geany and featherpad need a private instance.
constexpr KnownEditor KnownEditors[] = {
    {"gedit", {"--new-window", "--wait"}},
    {"gnome-text-editor", {"--standalone", nullptr}},
    {"kate", {"--block", nullptr}},
    {"kwrite", {nullptr, nullptr}},
    {"mousepad", {nullptr, nullptr}},
    {"xed", {"--wait", nullptr}},
    {"geany", {"--new-instance", nullptr}},
    {"featherpad", {"--standalone", nullptr}},
    {"leafpad", {nullptr, nullptr}},
};

QString defaultTextEditorDesktopId()
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return {};
    QProcess p;
    p.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished(1000);
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

std::optional<EditorCommand> fromDesktopDefault()
{
    const QString id = defaultTextEditorDesktopId();
    if (id.isEmpty())
        return std::nullopt;
    const QString file = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
    QFile f(file);
    if (file.isEmpty() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::optional<EditorCommand> e = EditorFromDesktopExec(DesktopEntryExec(QString::fromUtf8(f.readAll())));
    if (!e || QStandardPaths::findExecutable(e->program).isEmpty())
        return std::nullopt;
    return e;
}

// The Exec key's own escapes inside quotes: \" \` \$ \\.
QStringList splitExec(const QString &exec)
{
    QStringList args;
    QString current;
    bool inQuotes = false;
    bool have = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (inQuotes) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size()) {
                current += exec.at(++i);
            } else if (c == QLatin1Char('"')) {
                inQuotes = false;
            } else {
                current += c;
            }
        } else if (c == QLatin1Char('"')) {
            inQuotes = true;
            have = true;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (have || !current.isEmpty())
                args.append(std::exchange(current, {}));
            have = false;
        } else {
            current += c;
        }
    }
    if (have || !current.isEmpty())
        args.append(current);
    return args;
}

// Removes the field codes (%f, %U, ...) of an argument and turns "%%" into "%".
QString withoutFieldCodes(const QString &arg)
{
    QString out;
    for (qsizetype i = 0; i < arg.size(); ++i) {
        if (arg.at(i) == QLatin1Char('%') && i + 1 < arg.size()) {
            if (arg.at(++i) == QLatin1Char('%'))
                out += QLatin1Char('%');
            continue;
        }
        out += arg.at(i);
    }
    return out;
}

bool isFieldCode(const QString &arg)
{
    return arg.size() == 2 && arg.at(0) == QLatin1Char('%') && arg.at(1) != QLatin1Char('%');
}

} // namespace

QStringList BlockingArguments(const QString &program)
{
    const QString name = QFileInfo(program).fileName();
    for (const KnownEditor &e : KnownEditors)
        if (name == QLatin1String(e.name)) {
            QStringList options;
            for (const char *o : e.options)
                if (o)
                    options.append(QString::fromLatin1(o));
            return options;
        }
    return {};
}

QStringList CommonEditors()
{
    QStringList names;
    for (const KnownEditor &e : KnownEditors)
        names.append(QString::fromLatin1(e.name));
    return names;
}

std::optional<EditorCommand> EditorFromSetting(const QString &value)
{
    if (value.trimmed().isEmpty())
        return std::nullopt;
    if (QFileInfo(value).isFile())
        return EditorCommand{value, {}};
    const QStringList parts = QProcess::splitCommand(value);
    if (parts.isEmpty())
        return std::nullopt;
    return EditorCommand{parts.first(), parts.mid(1)};
}

QString DesktopEntryExec(const QString &desktopFileText)
{
    bool inEntry = false;
    const QStringList lines = desktopFileText.split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inEntry)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).trimmed() == QLatin1String("Exec"))
            return line.mid(eq + 1).trimmed();
    }
    return {};
}

std::optional<EditorCommand> EditorFromDesktopExec(const QString &exec)
{
    QStringList args;
    for (const QString &arg : splitExec(exec)) {
        if (isFieldCode(arg))
            continue;
        args.append(withoutFieldCodes(arg));
    }
    if (args.isEmpty() || args.first().isEmpty())
        return std::nullopt;
    EditorCommand e{args.first(), args.mid(1)};
    for (const QString &option : BlockingArguments(e.program))
        if (!e.arguments.contains(option))
            e.arguments.append(option);
    return e;
}

std::optional<EditorCommand> LocateTextEditor()
{
    if (auto e = EditorFromSetting(qEnvironmentVariable("TIDYHALL_EDITOR")))
        return e;
    if (auto e = fromDesktopDefault())
        return e;
    for (const QString &name : CommonEditors()) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return EditorCommand{found, BlockingArguments(found)};
    }
    return std::nullopt;
}
