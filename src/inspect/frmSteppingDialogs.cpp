#include "inspect/frmSteppingDialogs.h"

#include "app/AppState.h"
#include "app/DialogPlacementGui.h"
#include "app/ErrorReport.h"
#include "inspect/ShellCommandTexts.h"
#include "inspect/SteppingPanelWidget.h"
#include "output/PathListWidget.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct DialogKind
{
    const char *name;
    const char *actionName;
    Bilingual title;
    Bilingual button;
};

DialogKind kindOf(ShellAction action)
{
    using namespace ShellCommandTexts;
    switch (action) {
    case ShellAction::Open:
        return {"frmOpen", "cmdOpen", OpenTitle, OpenButton};
    case ShellAction::Print:
        return {"frmPrintViaApplication", "cmdPrint", PrintTitle, PrintButton};
    case ShellAction::Properties:
        return {"frmProperties", "cmdProperties", PropertiesTitle, PropertiesButton};
    case ShellAction::QuickView:
        break;
    }
    return {"frmQuickView", "cmdQuickView", QuickViewTitle, QuickViewButton};
}

} // namespace

frmStepping::frmStepping(ShellAction action, const QStringList &entries, AppState &state, Prompter &prompter,
                         QWidget *parent)
    : QDialog(parent), m_action(action), m_state(state), m_prompter(prompter)
{
    const DialogKind kind = kindOf(action);
    setObjectName(QLatin1String(kind.name));
    setModal(true);
    m_panel = new SteppingPanelWidget(QLatin1String(kind.actionName), this);
    cmdStep = m_panel->cmdStep;
    lblName = m_panel->lblName;
    txtName = m_panel->txtName;
    cmdCancel = m_panel->cmdCancel;
    (new QVBoxLayout(this))->addWidget(m_panel);
    resize(520, sizeHint().height());

    // The stepping controls mean the same in every stepping dialog; the action button is
    // this dialog's own.
    for (int i = 0; i < 4; ++i)
        SetHelpTopic(cmdStep[i], QStringLiteral("Stepping.cmdStep(%1)").arg(i));
    SetHelpTopic(lblName, QStringLiteral("Stepping.lblName"));
    SetHelpTopic(txtName, QStringLiteral("Stepping.txtName"));
    SetHelpTopic(cmdCancel, QStringLiteral("Stepping.cmdCancel"));
    SetHelpTopic(m_panel->actionButton, objectName() + QLatin1Char('.') + m_panel->actionButton->objectName());

    connect(m_panel, &SteppingPanelWidget::actionClicked, this, &frmStepping::act);
    connect(m_panel, &SteppingPanelWidget::enoughClicked, this, &QDialog::reject);
    load(entries);
}

QPushButton *frmStepping::actionButton() const
{
    return m_panel->actionButton;
}

void frmStepping::load(const QStringList &entries)
{
    RunTrapped(m_prompter, m_state, CodesOf(m_action).dialogLoad, [&] {
        const DialogKind kind = kindOf(m_action);
        setWindowTitle(kind.title.in(m_state.LanguageGreek));
        m_panel->applyLanguage(m_state.LanguageGreek, kind.button);
        m_panel->setEntries(entries);
    });
}

void frmStepping::act()
{
    RunTrapped(m_prompter, m_state, CodesOf(m_action).dialogButton, [&] {
        ApplyShellAction(m_action, m_panel->currentPath(), true, this, m_state, m_prompter);
    });
}

void frmStepping::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        CentreOverParent(this);
        m_centred = true;
    }
}

frmOpen::frmOpen(const QStringList &entries, AppState &state, Prompter &prompter, QWidget *parent)
    : frmStepping(ShellAction::Open, entries, state, prompter, parent), cmdOpen(actionButton())
{
}

frmPrintViaApplication::frmPrintViaApplication(const QStringList &entries, AppState &state, Prompter &prompter,
                                               QWidget *parent)
    : frmStepping(ShellAction::Print, entries, state, prompter, parent), cmdPrint(actionButton())
{
}

frmProperties::frmProperties(const QStringList &entries, AppState &state, Prompter &prompter, QWidget *parent)
    : frmStepping(ShellAction::Properties, entries, state, prompter, parent), cmdProperties(actionButton())
{
}

frmQuickView::frmQuickView(const QStringList &entries, AppState &state, Prompter &prompter, QWidget *parent)
    : frmStepping(ShellAction::QuickView, entries, state, prompter, parent), cmdQuickView(actionButton())
{
}
