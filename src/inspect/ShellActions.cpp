#include "inspect/ShellActions.h"

#include "inspect/ShellActionTexts.h"
#include "platform/ExactName.h"
#include "platform/Launcher.h"
#include "platform/RuntimeError.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QUrl>
#include <QUuid>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

namespace {

template<typename T>
struct GObjectRef
{
    T *p = nullptr;
    explicit GObjectRef(T *object) : p(object) {}
    ~GObjectRef()
    {
        if (p)
            g_object_unref(p);
    }
    GObjectRef(const GObjectRef &) = delete;
    GObjectRef &operator=(const GObjectRef &) = delete;
};

QString fromGChars(const char *text)
{
    return text ? QString::fromUtf8(text) : QString();
}

// QProcess::splitCommand reads an open quote as running to the end; a command that
// ends inside quotes was mistyped, and running it would pass a mangled argument.
bool quotesClose(QStringView command)
{
    int quoteCount = 0;
    bool inQuote = false;
    for (QChar c : command) {
        if (c == u'"') {
            if (++quoteCount == 3)
                quoteCount = 0;
            continue;
        }
        if (quoteCount == 1)
            inQuote = !inQuote;
        quoteCount = 0;
    }
    if (quoteCount == 1)
        inQuote = !inQuote;
    return !inQuote;
}

} // namespace

QString ShellExecuteErrorText(int result, bool greek)
{
    for (const auto &entry : ShellActionTexts::ErrorTexts)
        if (entry.code == result)
            return entry.text.in(greek);
    return ShellActionTexts::UnknownError.in(greek);
}

int ItemAccessResult(const QString &path)
{
    const QByteArray bytes = ExactName::toBytes(path);
    struct stat st;
    if (::stat(bytes.constData(), &st) != 0)
        return errno == EACCES ? ShellResult::AccessDenied : ShellResult::FileNotFound;
    if (::access(bytes.constData(), S_ISDIR(st.st_mode) ? R_OK | X_OK : R_OK) != 0)
        return ShellResult::AccessDenied;
    return ShellResult::Done;
}

QString ContentTypeOf(const QString &path)
{
    const QByteArray bytes = ExactName::toBytes(path);
    GObjectRef<GFile> file(g_file_new_for_path(bytes.constData()));
    GObjectRef<GFileInfo> info(
        g_file_query_info(file.p, G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE, G_FILE_QUERY_INFO_NONE, nullptr, nullptr));
    if (info.p) {
        if (const char *type = g_file_info_get_content_type(info.p))
            return fromGChars(type);
    }
    // Unreadable content: judge by the name alone, as the desktop does.
    gboolean uncertain = false;
    gchar *guessed = g_content_type_guess(bytes.constData(), nullptr, 0, &uncertain);
    const QString type = fromGChars(guessed);
    g_free(guessed);
    return type;
}

QString DefaultApplicationFor(const QString &mimeType)
{
    const QByteArray type = mimeType.toUtf8();
    GObjectRef<GAppInfo> app(g_app_info_get_default_for_type(type.constData(), FALSE));
    if (!app.p || !G_IS_DESKTOP_APP_INFO(app.p))
        return {};
    return ExactName::fromBytes(g_desktop_app_info_get_filename(G_DESKTOP_APP_INFO(app.p)));
}

QStringList OpenArguments(const QString &desktopFile, const QString &path)
{
    return {QStringLiteral("launch"), desktopFile, path};
}

int ShellOpen(const QString &path)
{
    const int access = ItemAccessResult(path);
    if (ShellResult::failed(access))
        return access;
    const QString desktopFile = DefaultApplicationFor(ContentTypeOf(path));
    if (desktopFile.isEmpty())
        return ShellResult::NoAssociation;
    // gio returns as soon as the application has started, and fails when it cannot be.
    // It shares our standard streams: the application it starts outlives it.
    const int exitCode = Launcher::runAndWait(QStringLiteral("gio"), OpenArguments(desktopFile, path));
    return exitCode == 0 ? ShellResult::Done : ShellResult::BadAssociation;
}

bool IsPrintableType(const QString &mimeType)
{
    const QString type = mimeType.toLower();
    if (type == QLatin1String("application/pdf") || type == QLatin1String("application/postscript"))
        return true;
    return type.startsWith(QLatin1String("text/")) || type.startsWith(QLatin1String("image/"));
}

QStringList PrintArguments(const QString &path)
{
    return {QStringLiteral("--"), path};
}

PrintOutcome ShellPrint(const QString &path, bool greek)
{
    const int access = ItemAccessResult(path);
    if (ShellResult::failed(access))
        return {access, false};
    if (!IsPrintableType(ContentTypeOf(path)))
        return {ShellResult::NoAssociation, false};

    // lp prints to $LPDEST or $PRINTER when set, else to the scheduler's default.
    if (qEnvironmentVariableIsEmpty("LPDEST") && qEnvironmentVariableIsEmpty("PRINTER")) {
        const Launcher::Output status = Launcher::runAndRead(QStringLiteral("lpstat"), {QStringLiteral("-d")});
        if (status.exitCode != 0 || !status.standardOutput.contains(':'))
            return {ShellResult::NoAssociation, true};
    }
    const Launcher::Output run = Launcher::runAndRead(QStringLiteral("lp"), PrintArguments(path));
    if (run.exitCode != 0) {
        const QString reason = QString::fromLocal8Bit(run.standardError).trimmed();
        throw RuntimeError(ErrorNumber::PathFileAccessError,
                           ShellActionTexts::PrintRefused.in(greek).arg(ExactName::shown(path), reason));
    }
    return {};
}

std::optional<QStringList> QuickViewCommand(const QString &quickViewPath, const QString &path)
{
    if (!quotesClose(quickViewPath))
        return std::nullopt;
    QStringList command = QProcess::splitCommand(quickViewPath);
    if (command.isEmpty())
        return std::nullopt;
    command.append(path);
    return command;
}

void ShellQuickView(const QString &quickViewPath, const QString &path, bool greek)
{
    using namespace ShellActionTexts;
    if (quickViewPath.trimmed().isEmpty())
        throw RuntimeError(ErrorNumber::FileNotFound, QuickViewNotSet.in(greek));
    const std::optional<QStringList> command = QuickViewCommand(quickViewPath, path);
    if (!command)
        throw RuntimeError(ErrorNumber::BadFileName, QuickViewUnbalanced.in(greek).arg(quickViewPath));
    if (ShellResult::failed(ItemAccessResult(path))) {
        struct stat st;
        if (::stat(ExactName::toBytes(path).constData(), &st) != 0)
            throw RuntimeError::fromErrno(errno, ExactName::shown(path));
    }
    try {
        Launcher::startDetached(command->first(), command->mid(1));
    } catch (const RuntimeError &e) {
        throw RuntimeError(e.number, QuickViewNotStarted.in(greek).arg(e.description));
    }
}

QString FileUri(const QString &path)
{
    return QStringLiteral("file://") + QString::fromLatin1(ExactName::toBytes(path).toPercentEncoding("/"));
}

bool ShowPropertiesThroughFileManager(const QString &path)
{
    static const QString service = QStringLiteral("org.freedesktop.FileManager1");
    // A connection of our own for each call, so that a session bus that appeared or
    // went away since the last one is seen.
    const QString name = QStringLiteral("tidyhall-properties-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool shown = false;
    {
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
        if (bus.isConnected() && bus.interface()) {
            bool offered = bus.interface()->isServiceRegistered(service).value();
            if (!offered)
                offered = bus.interface()->activatableServiceNames().value().contains(service);
            if (offered) {
                QDBusMessage call = QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/FileManager1"),
                                                                   service, QStringLiteral("ShowItemProperties"));
                call << QStringList{FileUri(path)} << QString();
                shown = bus.call(call).type() == QDBusMessage::ReplyMessage;
            }
        }
    }
    QDBusConnection::disconnectFromBus(name);
    return shown;
}
