#include "app/HelpFile.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>

HelpFile HelpFile::parse(const QString &html)
{
    HelpFile file;
    static const QRegularExpression heading(QStringLiteral("<h3\\s+id=\"([^\"]+)\"\\s*>"));
    QRegularExpressionMatchIterator it = heading.globalMatch(html);
    QString currentId;
    qsizetype currentStart = -1;
    const auto close = [&](qsizetype end) {
        if (!currentId.isEmpty())
            file.m_topics.insert(currentId, html.mid(currentStart, end - currentStart).trimmed());
    };
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        close(m.capturedStart());
        currentId = m.captured(1);
        currentStart = m.capturedStart();
    }
    qsizetype end = html.indexOf(QLatin1String("</body>"), currentStart < 0 ? 0 : currentStart);
    close(end < 0 ? html.size() : end);
    return file;
}

const HelpFile &HelpFile::forPath(const QString &dataFolderCopy, bool greek)
{
    static QMap<QString, HelpFile> cache;
    const QString name = greek ? QStringLiteral("TidyhallGr.hlp") : QStringLiteral("TidyhallUk.hlp");
    // The copy built into the program always matches it; an installed copy may be
    // older, so it is only a last resort.
    const QStringList candidates{dataFolderCopy, QStringLiteral(":/help/") + name,
                                 QStringLiteral(TIDYHALL_HELP_DIR "/") + name};
    for (const QString &candidate : candidates) {
        if (candidate.isEmpty())
            continue;
        if (!cache.contains(candidate)) {
            QFile f(candidate);
            if (!f.open(QIODevice::ReadOnly))
                continue;
            cache.insert(candidate, parse(QString::fromUtf8(f.readAll())));
        }
        // A file without a single topic (empty, cut short, another format) would
        // silence help in its language; the next candidate speaks instead.
        if (!cache[candidate].m_topics.isEmpty())
            return cache[candidate];
    }
    static const HelpFile empty;
    return empty;
}
