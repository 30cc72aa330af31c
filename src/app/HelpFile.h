#pragma once

#include <QHash>
#include <QString>

// A help file: an HTML page whose topics are sections opened by an <h3 id="..."> and
// closed by the next one. The program shows one topic at a time, at the pointer.
class HelpFile
{
public:
    static HelpFile parse(const QString &html);
    // The file in force for a language: the copy in the data folder when there is one,
    // else the one built into the program, else the installed copy; a file that holds
    // no topic is passed over.
    static const HelpFile &forPath(const QString &dataFolderCopy, bool greek);

    bool contains(const QString &topic) const { return m_topics.contains(topic); }
    QString topic(const QString &id) const { return m_topics.value(id); }
    QList<QString> topicIds() const { return m_topics.keys(); }

private:
    QHash<QString, QString> m_topics;
};
