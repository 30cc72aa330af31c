#pragma once

#include <QSet>
#include <QString>

class QObject;

// The help topics the controls of a window carry ("helpTopic" property).
QSet<QString> controlTopics(const QObject *window);

// The topic ids of the help file `fileName` (in resources/help) that begin with `prefix`.
QSet<QString> helpSections(const QString &fileName, const QString &prefix);
