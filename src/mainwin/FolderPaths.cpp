#include "mainwin/FolderPaths.h"

#include "mainwin/MainTexts.h"
#include "platform/ExactName.h"
#include "platform/RuntimeError.h"

#include <QCollator>
#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

QString PathTail(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.mid(slash + 1);
}

QString withoutTrailingSlash(const QString &path)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    return p;
}

ParentStep parentOf(const QString &currentPath)
{
    const QString full = withoutTrailingSlash(currentPath);
    if (full == QLatin1String("/") || full.isEmpty())
        return {};
    const QString name = PathTail(full);
    return {full.left(full.size() - name.size()), full};
}

QStringList ancestorChain(const QString &folder)
{
    QStringList chain{QStringLiteral("/")};
    const QString clean = withoutTrailingSlash(folder);
    if (clean == QLatin1String("/"))
        return chain;
    qsizetype from = 1;
    while (true) {
        const qsizetype slash = clean.indexOf(QLatin1Char('/'), from);
        if (slash < 0) {
            chain.append(clean);
            break;
        }
        chain.append(clean.left(slash));
        from = slash + 1;
    }
    return chain;
}

void requireSearchable(const QString &folder)
{
    const QByteArray encoded = ExactName::toBytes(folder);
    if (::faccessat(AT_FDCWD, encoded.constData(), R_OK, AT_EACCESS) == 0
        && ::faccessat(AT_FDCWD, encoded.constData(), X_OK, AT_EACCESS) != 0 && errno == EACCES)
        throw RuntimeError(ErrorNumber::PermissionDenied, MainTexts::FolderNotSearchable, ExactName::shown(folder));
}

QStringList subfolderNames(const QString &folder)
{
    requireSearchable(folder);
    const QByteArray encoded = ExactName::toBytes(folder);
    std::unique_ptr<DIR, int (*)(DIR *)> dir(::opendir(encoded.constData()), ::closedir);
    if (!dir)
        throw RuntimeError::fromErrno(errno, ExactName::shown(folder));
    QStringList names;
    const int fd = ::dirfd(dir.get());
    while (const dirent *entry = ::readdir(dir.get())) {
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat st {};
            isFolder = ::fstatat(fd, name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        if (isFolder)
            names.append(ExactName::fromBytes(QByteArrayView(name)));
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), collator);
    return names;
}

void setCurrentFolder(const QString &folder)
{
    (void)::chdir(ExactName::toBytes(folder).constData());
}
