#include "output/frmAbout.h"

#include "app/AppState.h"
#include "app/ContextHelpGui.h"
#include "app/DialogPlacementGui.h"
#include "app/ErrorReport.h"
#include "fileops/OptionsCommandsGui.h"
#include "output/AboutRules.h"
#include "output/AboutTexts.h"
#include "platform/Launcher.h"
#include "platform/Prompter.h"

#include <QFont>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

frmAbout::frmAbout(const AppState &state, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_state(state), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(QIcon(QStringLiteral(":/icons/tidyhall.svg")).pixmap(64, 64));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblTitle->setFont(big);
    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblDescription = new QLabel(this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDisclaimer = new QLabel(this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    // A wrapped label asks for its height at a given width; a fixed width lets the
    // box grow to the whole text in either language.
    for (QLabel *label : {lblDescription, lblDisclaimer}) {
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        label->setFixedWidth(460);
    }
    QFont small = lblDisclaimer->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    lblDisclaimer->setFont(small);
    cmdSysInfo = new QPushButton(this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAutoDefault(false);
    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto *texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addSpacing(8);
    texts->addWidget(lblDescription);
    texts->addSpacing(8);
    texts->addWidget(lblDisclaimer);
    texts->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addWidget(picIcon);
    top->addLayout(texts, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QWidget *w : {static_cast<QWidget *>(cmdOK), static_cast<QWidget *>(cmdSysInfo)})
        ContextHelp::setTopic(w, QStringLiteral("frmAbout.") + w->objectName());
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
    applyLanguage();
}

void frmAbout::applyLanguage()
{
    using namespace AboutTexts;
    const bool greek = m_state.LanguageGreek;
    setWindowTitle(Caption.in(greek));
    lblTitle->setText(QLatin1String(Title));
    lblVersion->setText(VersionPrefix.in(greek) + ProgramVersionText());
    lblDescription->setText(Description.in(greek));
    lblDisclaimer->setText(Disclaimer.in(greek));
    cmdSysInfo->setText(SysInfo.in(greek));
    cmdSysInfo->setToolTip(TipSysInfo.in(greek));
    cmdOK->setText(OK.in(greek));
    cmdOK->setToolTip(TipOK.in(greek));
}

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        CentreOverParent(this);
    }
}

void frmAbout::StartSysInfo()
{
    using namespace AboutTexts;
    const bool greek = m_state.LanguageGreek;
    const auto command = SysInfoCommand(m_state.SpecialIniFile, [](const QString &name) {
        return QStandardPaths::findExecutable(name);
    }, IsProgramFile);
    if (!command) {
        m_prompter.inform(SysInfoTitle.in(greek), SysInfoUnavailable.in(greek), PromptIcon::Information);
        return;
    }
    RunTrapped(m_prompter, m_state, "128", [&] { Launcher::startDetached(command->program, command->arguments); });
}

void OpenAboutBox(QWidget *mainWindow, const AppState &state, Prompter &prompter)
{
    RunTrapped(prompter, state, "048", [&] {
        frmAbout about(state, prompter, mainWindow);
        about.exec();
    });
    BringWindowToFrontGui(mainWindow);
}
