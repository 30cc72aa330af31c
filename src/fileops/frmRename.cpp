#include "fileops/frmRename.h"

#include "app/AppState.h"
#include "app/ContextHelpGui.h"
#include "app/DialogPlacementGui.h"
#include "app/ErrorReport.h"
#include "fileops/RenameCommands.h"
#include "fileops/RenameTexts.h"
#include "platform/ExactName.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

template<typename T>
T *named(const QString &name, QWidget *parent, bool helpTopic)
{
    auto *w = new T(parent);
    w->setObjectName(name);
    if (helpTopic)
        ContextHelp::setTopic(w, QStringLiteral("frmRename.") + name);
    return w;
}

} // namespace

frmRename::frmRename(const QStringList &entries, const AppState &state, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_state(state), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmRename"));
    lblName = named<QLabel>(QStringLiteral("lblName"), this, true);
    txtName = named<QLineEdit>(QStringLiteral("txtName"), this, false);
    txtName->setReadOnly(true);
    lblInstructions = named<QLabel>(QStringLiteral("lblInstructions"), this, true);
    lblInstructions->setWordWrap(true);
    txtNewName = named<QLineEdit>(QStringLiteral("txtNewName"), this, false);
    cmdRename = named<QPushButton>(QStringLiteral("cmdRename"), this, true);
    cmdNext = named<QPushButton>(QStringLiteral("cmdNext"), this, true);
    cmdCancel = named<QPushButton>(QStringLiteral("cmdCancel"), this, true);
    // Enter in the new name neither renames nor goes on: no button is the default.
    for (QPushButton *b : {cmdRename, cmdNext, cmdCancel})
        b->setAutoDefault(false);
    txtNewName->installEventFilter(this);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdRename);
    buttons->addWidget(cmdNext);
    buttons->addStretch(1);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblName);
    layout->addWidget(txtName);
    layout->addSpacing(8);
    layout->addWidget(lblInstructions);
    layout->addWidget(txtNewName);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(txtNewName, &QLineEdit::textChanged, this,
            [this](const QString &text) { cmdRename->setEnabled(!text.trimmed().isEmpty()); });
    connect(cmdRename, &QPushButton::clicked, this, &frmRename::renameItem);
    connect(cmdNext, &QPushButton::clicked, this, &frmRename::nextItem);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    RunTrapped(m_prompter, m_state, "077", [&] {
        const bool greek = m_state.LanguageGreek;
        setWindowTitle(RenameTexts::RenameTitle.in(greek));
        lblInstructions->setText(RenameTexts::Instructions.in(greek));
        cmdRename->setText(RenameTexts::RenameButton.in(greek));
        cmdNext->setText(RenameTexts::NextButton.in(greek));
        cmdCancel->setText(RenameTexts::EnoughButton.in(greek));
        txtNewName->clear();
        m_stepper.setEntries(entries);
        showItem();
    });
    resize(480, sizeHint().height());
    CentreOverParent(this);
}

void frmRename::showItem()
{
    lblName->setText(m_stepper.positionLine(m_state.LanguageGreek));
    const QString shown = ExactName::shown(m_stepper.currentName());
    txtName->setText(shown);
    txtName->setCursorPosition(0);
    txtNewName->setEnabled(true);
    txtNewName->setText(shown);
    txtNewName->selectAll();
    cmdRename->setEnabled(!shown.trimmed().isEmpty());
    cmdNext->setEnabled(m_stepper.position() < m_stepper.count());
}

bool frmRename::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtNewName) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
        } else if (event->type() == QEvent::FocusIn) {
            // After the focus has settled, so a mouse click does not undo the selection.
            QTimer::singleShot(0, txtNewName, &QLineEdit::selectAll);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmRename::renameItem()
{
    RunTrapped(m_prompter, m_state, "078", [&] {
        const bool greek = m_state.LanguageGreek;
        const QString path = m_stepper.currentPath();
        const QString oldName = m_stepper.currentName();
        const QString folder = path.left(path.size() - oldName.size());
        const QString typed = txtNewName->text();
        // The name offered unchanged is the item's exact name (blanks and escaped bytes kept).
        const QString newName = typed == ExactName::shown(oldName) ? oldName : typed.trimmed();
        if (!confirmRenameOfReadOnly(m_prompter, greek, path))
            return;
        const RenameAttempt attempt = renameTyped(m_prompter, greek, folder, oldName, newName);
        if (attempt == RenameAttempt::Refused)
            return;
        if (attempt == RenameAttempt::Renamed) {
            m_stepper.replaceCurrent(folder + newName);
            txtName->setText(ExactName::shown(newName));
        }
        txtNewName->setEnabled(false);
        cmdRename->setEnabled(false);
        cmdCancel->setFocus();
    });
}

void frmRename::nextItem()
{
    m_stepper.step(SelectionStepper::Next);
    showItem();
    txtNewName->setFocus();
}
