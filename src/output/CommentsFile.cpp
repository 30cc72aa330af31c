#include "output/CommentsFile.h"

#include "mainwin/CountLine.h"
#include "output/PrintTexts.h"
#include "platform/ExactName.h"
#include "platform/LegacyText.h"
#include "platform/RuntimeError.h"

#include <QHash>
#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int NameWidth = 300;
constexpr int CommentWidth = 100;

QString trimmedSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin).toString();
}

QString withoutTrailingSpaces(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.left(end).toString();
}

bool holdsLineBreak(const QString &name)
{
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u == 0x0A || u == 0x0B || u == 0x0C || u == 0x0D || u == 0x85 || u == 0x2028 || u == 0x2029)
            return true;
    }
    return false;
}

} // namespace

VolumeTopListing ListVolumeTop(const QString &folder)
{
    const QByteArray path = ExactName::toBytes(folder);
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw RuntimeError::fromErrno(errno, ExactName::shown(folder));
    std::unique_ptr<DIR, int (*)(DIR *)> dir(::fdopendir(fd), ::closedir);
    if (!dir) {
        const int err = errno;
        ::close(fd);
        throw RuntimeError::fromErrno(err, ExactName::shown(folder));
    }
    VolumeTopListing listing;
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir.get());
        if (!entry) {
            if (errno != 0)
                throw RuntimeError::fromErrno(errno, ExactName::shown(folder));
            break;
        }
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        struct stat st {};
        bool isFolder = false;
        std::int64_t size = 0;
        if (::fstatat(fd, name, &st, 0) == 0) {
            isFolder = S_ISDIR(st.st_mode);
            size = isFolder ? 0 : std::int64_t(st.st_size);
        } else if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            continue; // gone since the folder was read
        }
        CommentRow row;
        row.name = ExactName::fromBytes(QByteArrayView(name));
        row.folder = isFolder;
        if (isFolder) {
            ++listing.folders;
        } else {
            ++listing.files;
            listing.bytes += size;
        }
        listing.rows.append(row);
    }
    std::sort(listing.rows.begin(), listing.rows.end(),
              [](const CommentRow &a, const CommentRow &b) { return a.name < b.name; });
    return listing;
}

QList<CommentEntry> ParseCommentsFile(const QByteArray &bytes)
{
    const QString text = decodeTextFile(bytes);
    QList<CommentEntry> entries;
    qsizetype start = 0;
    const qsizetype size = text.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        const QStringView line = QStringView(text).mid(start, end - start);
        if (!line.isEmpty()) {
            CommentEntry entry;
            entry.name = ExactName::fromText(withoutTrailingSpaces(line.left(NameWidth)));
            entry.comment = line.size() > NameWidth ? trimmedSpaces(line.mid(NameWidth)) : QString();
            entries.append(entry);
        }
        if (end < size && text[end] == QLatin1Char('\r') && end + 1 < size && text[end + 1] == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
    return entries;
}

void ApplyComments(QList<CommentRow> &rows, const QList<CommentEntry> &entries)
{
    QHash<QString, QString> exact;
    QHash<QString, QString> folded;
    for (const CommentEntry &entry : entries) {
        if (!exact.contains(entry.name))
            exact.insert(entry.name, entry.comment);
        const QString key = trimmedSpaces(entry.name).toCaseFolded();
        if (!folded.contains(key))
            folded.insert(key, entry.comment);
    }
    for (CommentRow &row : rows) {
        const QString name = withoutTrailingSpaces(row.name);
        if (const auto it = exact.constFind(name); it != exact.constEnd())
            row.comment = *it;
        else
            row.comment = folded.value(trimmedSpaces(row.name).toCaseFolded());
    }
}

QByteArray CommentsFileBytes(const QList<CommentRow> &rows, QStringList *leftOut)
{
    QByteArray bytes;
    bytes.reserve(rows.size() * 402);
    for (const CommentRow &row : rows) {
        if (holdsLineBreak(row.name)) {
            if (leftOut)
                leftOut->append(row.name);
            continue;
        }
        const QString name = ExactName::toText(row.name).left(NameWidth).leftJustified(NameWidth, QLatin1Char(' '));
        const QString comment = row.comment.left(CommentWidth).leftJustified(CommentWidth, QLatin1Char(' '));
        bytes += (name + comment).toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<QByteArray> ReadCommentsFile(const QString &path)
{
    const QByteArray encoded = ExactName::toBytes(path);
    const int fd = ::open(encoded.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        throw RuntimeError::fromErrno(errno, ExactName::shown(path));
    }
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            throw RuntimeError::fromErrno(err, ExactName::shown(path));
        }
        if (n == 0)
            break;
        bytes.append(buffer, n);
    }
    ::close(fd);
    return bytes;
}

QString CommentsCountLine(std::int64_t folders, std::int64_t files, std::int64_t bytes, bool greek)
{
    using namespace PrintTexts;
    return CountFolders.in(greek) + groupedNumber(folders) + QStringLiteral(". ") + CountFiles.in(greek)
           + groupedNumber(files) + QStringLiteral(". ") + CountBytes.in(greek) + groupedNumber(bytes)
           + QStringLiteral(".");
}
