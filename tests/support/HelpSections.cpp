#include "HelpSections.h"

#include <QFile>
#include <QRegularExpression>
#include <QObject>

QSet<QString> controlTopics(const QObject *window)
{
    QSet<QString> topics;
    for (const QObject *w : window->findChildren<QObject *>())
        if (w->property("helpTopic").isValid())
            topics.insert(w->property("helpTopic").toString());
    return topics;
}

QSet<QString> helpSections(const QString &fileName, const QString &prefix)
{
    QFile file(qEnvironmentVariable("TIDYHALL_TEST_SOURCE_DIR") + QStringLiteral("/resources/help/") + fileName);
    QSet<QString> sections;
    if (!file.open(QIODevice::ReadOnly))
        return sections;
    static const QRegularExpression heading(QStringLiteral("<h3 id=\"([^\"]+)\">"));
    for (const auto &match : heading.globalMatch(QString::fromUtf8(file.readAll())))
        if (match.captured(1).startsWith(prefix))
            sections.insert(match.captured(1));
    return sections;
}
