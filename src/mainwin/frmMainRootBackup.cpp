#include "mainwin/frmMain.h"

#include "app/AppState.h"
#include "fileops/RootBackup.h"
#include "fileops/RootBackupTexts.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScopeGuard>

namespace {

// The run works on the window's own thread; the count line says what is being copied
// and is painted at once, so the window does not look frozen meanwhile.
class CountLineView : public RootBackupObserver
{
public:
    CountLineView(QLabel *line, bool greek) : m_line(line), m_greek(greek) {}
    ~CountLineView() override { busy(false); }

    void busy(bool on) override
    {
        if (on == m_busy)
            return;
        m_busy = on;
        if (on)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }
    void copying(int done, int total, const QString &item) override
    {
        m_line->setText(RootBackupTexts::Progress.in(m_greek).arg(done + 1).arg(total).arg(item));
        m_line->repaint();
    }

private:
    QLabel *m_line;
    bool m_greek;
    bool m_busy = false;
};

} // namespace

void frmMain::RootBackup()
{
    // No input and no closing while the run (and its questions) stand open.
    m_fileOperationRunning = true;
    RootBackupEnd end = RootBackupEnd::NotStarted;
    {
        // Its messages are Greek whatever the interface language, and so are the
        // buttons of their boxes, which follow the state's language.
        const bool greek = m_state.LanguageGreek;
        m_state.LanguageGreek = true;
        const auto running = qScopeGuard([this, greek] {
            m_state.LanguageGreek = greek;
            m_fileOperationRunning = false;
        });
        CountLineView view(lblInfo, greek);
        end = RunRootBackup(m_prompter, m_state, view).end;
    }
    // The shown folder may be the target or one of the destinations.
    if (end == RootBackupEnd::Completed || end == RootBackupEnd::Stopped)
        RefreshFiles();
    else
        UpdateInfoLabels();
}

void frmMain::wireRootBackup()
{
    QAction *entry = m_entries.value(QStringLiteral("mnuRootBackup"));
    entry->setEnabled(true);
    connect(entry, &QAction::triggered, this, [this] { RootBackup(); });
}
