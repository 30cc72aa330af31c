#pragma once

#include "output/CommentsFile.h"
#include "platform/Volumes.h"

#include <QDialog>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class Prompter;
struct AppState;
struct PrintServices;

// Comments on the items at the top of a volume, one comments file per volume in the
// data folder. The user picks the volume, clicks a row to edit its comment, saves,
// prints or writes the comments to a text file.
class frmComments : public QDialog
{
    Q_OBJECT
public:
    // Starts at the volume whose mount point is `mountPoint`.
    frmComments(AppState &state, Prompter &prompter, PrintServices &services, const QString &mountPoint,
                QWidget *parent = nullptr);

    bool modified() const { return m_modified; }
    QString commentsVolume() const { return m_volume.mountPoint; }
    QString commentsFile() const;
    // The rows as the grid holds them, in grid order.
    QList<CommentRow> rows() const;

    QComboBox *drvTargetDisk = nullptr;
    QLabel *lblObjectNames = nullptr;
    QTableWidget *grdComments = nullptr;
    QLineEdit *txtComments = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdPrint = nullptr;
    QCheckBox *chkPrintToFile = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdEdit = nullptr;

    void done(int result) override;
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void load(const QString &mountPoint);
    void cmdEdit_Click();
    void drvTargetDisk_Change(int index);
    void startEditing(int row);
    void endEditing(bool commit);
    void cmdSave_Click();
    bool save();
    void cmdOK_Click();
    void cmdPrint_Click();
    void colourRow(int row);
    QString countsLine(bool greek) const;
    QString modifiedQuestion() const;

    AppState &m_state;
    Prompter &m_prompter;
    PrintServices &m_services;
    QList<Volume> m_volumes;
    Volume m_volume;
    std::int64_t m_folders = 0;
    std::int64_t m_files = 0;
    std::int64_t m_bytes = 0;
    bool m_modified = false;
    bool m_fileUnreadable = false;
    QString m_unreadableReason;
    int m_editRow = -1;
    int m_lastGridButton = 0;
    bool m_centred = false;
    bool m_filling = false;
    bool m_closing = false;
};
