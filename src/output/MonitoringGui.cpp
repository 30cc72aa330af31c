#include "output/MonitoringGui.h"

#include <QAction>
#include <QWidget>

QStringList ApplyControlStates(QWidget *window, const QList<ControlState> &states)
{
    QStringList missing;
    for (const ControlState &s : states) {
        if (auto *w = window->findChild<QWidget *>(s.name)) {
            w->setVisible(s.visible);
            w->setEnabled(s.enabled);
        } else if (auto *a = window->findChild<QAction *>(s.name)) {
            a->setEnabled(s.enabled);
        } else {
            missing.append(s.name);
        }
    }
    return missing;
}

QString MonitoringHelpTopic(const QString &controlName)
{
    return QStringLiteral("frmMain.") + controlName;
}
