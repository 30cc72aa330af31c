#include "output/frmRecentPaths.h"

#include "app/DialogPlacementGui.h"
#include "app/AppState.h"
#include "app/ErrorReport.h"
#include "output/PathListTexts.h"
#include "output/PathListWidget.h"
#include "platform/EditorLocator.h"
#include "platform/ExactName.h"
#include "platform/Launcher.h"
#include "platform/Prompter.h"
#include "platform/RuntimeError.h"

#include <QHBoxLayout>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

bool isRecent(PathListKind kind)
{
    return kind == PathListKind::Recent;
}

} // namespace

frmRecentPaths::frmRecentPaths(AppState &state, Prompter &prompter, PathListKind kind, QWidget *parent)
    : QDialog(parent), m_state(state), m_prompter(prompter), m_kind(kind)
{
    setObjectName(isRecent(kind) ? QStringLiteral("frmRecentPaths") : QStringLiteral("frmMonitoredPaths"));
    setModal(true);

    lstPaths = new QListWidget(this);
    lstPaths->setObjectName(isRecent(kind) ? QStringLiteral("lstRecentPaths") : QStringLiteral("lstMonitoredPaths"));
    lstPaths->setSelectionMode(QAbstractItemView::SingleSelection);
    lstPaths->setTextElideMode(Qt::ElideMiddle);
    cmdRecall = new QPushButton(this);
    cmdRecall->setObjectName(QStringLiteral("cmdRecall"));
    cmdRecall->setDefault(true);
    cmdEdit = new QPushButton(this);
    cmdEdit->setObjectName(QStringLiteral("cmdEdit"));
    cmdEdit->setAutoDefault(false);
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdRecall);
    buttons->addWidget(cmdEdit);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lstPaths, 1);
    layout->addLayout(buttons);
    resize(520, 320);

    for (QWidget *control : {static_cast<QWidget *>(lstPaths), static_cast<QWidget *>(cmdRecall),
                             static_cast<QWidget *>(cmdEdit), static_cast<QWidget *>(cmdCancel)})
        SetHelpTopic(control, helpTopicFor(control->objectName()));
    SetHelpTopic(lstPaths->viewport(), helpTopicFor(lstPaths->objectName()));
    InstallListItemTip(lstPaths);

    connect(lstPaths, &QListWidget::itemSelectionChanged, this, &frmRecentPaths::chooseItem);
    connect(lstPaths, &QListWidget::itemDoubleClicked, this, &frmRecentPaths::recall);
    connect(cmdRecall, &QPushButton::clicked, this, &frmRecentPaths::recall);
    connect(cmdEdit, &QPushButton::clicked, this, &frmRecentPaths::editList);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRecentPaths::reject);

    load();
}

QString frmRecentPaths::helpTopicFor(const QString &objectName) const
{
    return this->objectName() + QLatin1Char('.') + objectName;
}

void frmRecentPaths::load()
{
    RunTrapped(m_prompter, m_state, isRecent(m_kind) ? "051" : "090", [&] {
        m_recalledPath.clear();
        m_state.RecalledPath.clear();
        applyLanguage();
        EnsureListFile(m_prompter, m_state, m_kind);
        LoadPathListInto(m_prompter, m_state, m_kind, cmdRecall, lstPaths);
    });
}

void frmRecentPaths::applyLanguage()
{
    using namespace PathListTexts;
    const bool greek = m_state.LanguageGreek;
    setWindowTitle((isRecent(m_kind) ? RecentPathsCaption : MonitoredPathsCaption).in(greek));
    cmdRecall->setText(Recall.in(greek));
    cmdRecall->setToolTip(TipRecall.in(greek));
    cmdEdit->setText(Edit.in(greek));
    cmdEdit->setToolTip(TipEdit.in(greek));
    cmdCancel->setText(Cancel.in(greek));
    cmdCancel->setToolTip(TipCancel.in(greek));
}

void frmRecentPaths::reloadList()
{
    m_recalledPath.clear();
    EnsureListFile(m_prompter, m_state, m_kind);
    LoadPathListInto(m_prompter, m_state, m_kind, cmdRecall, lstPaths);
}

void frmRecentPaths::chooseItem()
{
    const QList<QListWidgetItem *> chosen = lstPaths->selectedItems();
    if (chosen.isEmpty())
        return;
    // The list shows the paths as the file holds them, odd bytes escaped.
    m_recalledPath = ExactName::fromText(chosen.first()->text());
    cmdRecall->setEnabled(true);
}

void frmRecentPaths::recall()
{
    if (m_recalledPath.isEmpty())
        return;
    m_state.RecalledPath = m_recalledPath;
    accept();
}

void frmRecentPaths::reject()
{
    m_recalledPath.clear();
    m_state.RecalledPath.clear();
    QDialog::reject();
}

namespace {
QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}

void frmRecentPaths::editList()
{
    RunTrapped(m_prompter, m_state, isRecent(m_kind) ? "056" : "089", [&] {
        using namespace PathListTexts;
        const bool greek = m_state.LanguageGreek;
        const QString file = PathListFile(m_state, m_kind);
        const QString title = (isRecent(m_kind) ? EditRecentTitle : EditMonitoredTitle).in(greek);
        const QString text = EditNoticeHead.in(greek) + EditNoticeFile.in(greek) + file + EditNoticeEnd.in(greek);
        if (m_prompter.message(title, text, PromptIcon::Information, {PromptButton::Ok, PromptButton::Cancel},
                               PromptButton::Ok)
            != PromptButton::Ok)
            return;
        const std::optional<EditorCommand> editor = LocateTextEditor();
        if (!editor)
            throw RuntimeError(ErrorNumber::FileNotFound, NoEditor.in(greek));
        const QByteArray before = fileBytes(file);
        try {
            Launcher::runAndWait(editor->program, editor->arguments + QStringList{file});
        } catch (const RuntimeError &e) {
            throw RuntimeError(e.number, EditorNotStarted.in(greek).arg(editor->program, e.describe(greek)));
        }
        // An editor that hands the file to a running copy of itself returns at once;
        // the list is read again only when the user says the editing is done.
        if (fileBytes(file) == before)
            m_prompter.message(title, EditorReturnedAtOnce.in(greek), PromptIcon::Information, {PromptButton::Ok},
                               PromptButton::Ok);
        reloadList();
    });
}

void frmRecentPaths::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        CentreOverParent(this);
        m_centred = true;
    }
}

