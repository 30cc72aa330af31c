#pragma once

#include "platform/FileOperation.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress window of a copy, move or delete: items and bytes done, the current
// item, and Cancel. It reads the operation's progress when refreshed; it never runs
// the work itself.
class FileOperationProgressWidget : public QDialog
{
    Q_OBJECT
public:
    FileOperationProgressWidget(FileOperationProgress &progress, const QString &title, bool languageGreek,
                                QWidget *parent = nullptr);

    // Shows the figures as they stand now.
    void refresh();

    QLabel *lblItems;
    QLabel *lblBytes;
    QLabel *lblCurrent;
    QProgressBar *prbProgress;
    QPushButton *cmdCancel;

public Q_SLOTS:
    // Closing the window by its frame or Escape is Cancel too.
    void reject() override;

private:
    void cancel();

    FileOperationProgress &m_progress;
    bool m_greek;
};

// Runs the operation on a worker thread; shows the progress window when the work lasts
// longer than about half a second; brings every question of the operation to the
// calling (GUI) thread and asks it through `prompter`. Returns when the work has ended.
FileOperationResult runFileOperation(QWidget *parent, const FileOperationRequest &request, Prompter &prompter);
