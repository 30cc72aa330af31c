#pragma once

#include "output/PathList.h"

#include <QDialog>

struct AppState;
class Prompter;
class QListWidget;
class QPushButton;

// The dialog of a saved path list: frmRecentPaths for the recent paths,
// frmMonitoredPaths for the monitored ones. The user picks a path to go to, or edits
// the whole list in the text editor. After exec(), recalledPath() (and the state's
// RecalledPath) holds the chosen path, or is empty after Cancel.
class frmRecentPaths : public QDialog
{
    Q_OBJECT
public:
    frmRecentPaths(AppState &state, Prompter &prompter, PathListKind kind, QWidget *parent = nullptr);

    PathListKind kind() const { return m_kind; }
    QString recalledPath() const { return m_recalledPath; }
    // "frmRecentPaths.cmdEdit", "frmMonitoredPaths.lstMonitoredPaths", ...
    QString helpTopicFor(const QString &objectName) const;

    // lstRecentPaths or lstMonitoredPaths, by kind.
    QListWidget *lstPaths = nullptr;
    QPushButton *cmdRecall = nullptr;
    QPushButton *cmdEdit = nullptr;
    QPushButton *cmdCancel = nullptr;

public Q_SLOTS:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void load();
    void applyLanguage();
    void reloadList();
    void chooseItem();
    void recall();
    void editList();

    AppState &m_state;
    Prompter &m_prompter;
    PathListKind m_kind;
    QString m_recalledPath;
    bool m_centred = false;
};
