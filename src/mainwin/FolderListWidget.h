#pragma once

#include <QTreeWidget>

// The folder tree `Dir1`: the chain of folders from "/" down to the current folder,
// then the sub-folders of the current folder. A double click (or Enter) opens a
// folder; a single click only highlights it.
class FolderListWidget : public QTreeWidget
{
    Q_OBJECT
public:
    explicit FolderListWidget(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    // Opens `folder`; emits pathChanged when it differs from the current one. Throws
    // RuntimeError when the folder cannot be read (the tree is left as it was).
    void setPath(const QString &folder);
    // Reads the current folder again.
    void refresh();

    // The highlighted entry's folder (the current folder when nothing else is).
    QString highlightedPath() const;
    // Highlights the entry equal to `folder` (the exact name first, else one that differs
    // in letter case alone); false when none is.
    bool highlight(const QString &folder);
    QStringList entries() const;

Q_SIGNALS:
    void pathChanged(const QString &folder);
    // A double click or Enter on an entry: the window opens it under its error trap.
    void openRequested(const QString &folder);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void rebuild(const QString &folder, const QStringList &subfolders);
    void requestOpen(QTreeWidgetItem *item);

    QString m_path;
};
