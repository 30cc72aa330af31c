#include "output/frmAbout.h"

#include "app/AppState.h"
#include "app/ContextHelpGui.h"
#include "app/DialogPlacementGui.h"
#include "output/AboutTexts.h"
#include "platform/Prompter.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QString AboutVersionText(int major, int minor, int revision)
{
    const auto part = [](int n) { return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0')); };
    return part(major) + QLatin1Char('.') + part(minor) + QLatin1Char('.') + part(revision);
}

frmAbout::frmAbout(const AppState &state, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_state(state), m_prompter(prompter)
{
    using namespace AboutTexts;
    const bool greek = state.LanguageGreek;
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(Caption.in(greek));
    const auto label = [this](const char *name) {
        auto *l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    picIcon = label("picIcon");
    picIcon->setPixmap(QIcon(QStringLiteral(":/icons/tidyhall.svg")).pixmap(48, 48));
    lblTitle = label("lblTitle");
    lblTitle->setText(QString::fromLatin1(Title));
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    lblTitle->setFont(big);
    lblVersion = label("lblVersion");
    lblVersion->setText(VersionPrefix.in(greek) + AboutVersionText(Version[0], Version[1], Version[2]));
    lblDescription = label("lblDescription");
    lblDescription->setWordWrap(true);
    lblDescription->setText(Description.in(greek));
    lblDisclaimer = label("lblDisclaimer");
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setText(Disclaimer.in(greek));
    cmdSysInfo = new QPushButton(SysInfo.in(greek), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    for (QWidget *w : std::initializer_list<QWidget *>{cmdSysInfo, cmdOK})
        ContextHelp::setTopic(w, QStringLiteral("frmAbout.") + w->objectName());

    auto *head = new QHBoxLayout;
    head->addWidget(picIcon, 0, Qt::AlignTop);
    auto *titles = new QVBoxLayout;
    titles->addWidget(lblTitle);
    titles->addWidget(lblVersion);
    head->addLayout(titles, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSysInfo);
    buttons->addWidget(cmdOK);
    auto *all = new QVBoxLayout(this);
    all->addLayout(head);
    all->addWidget(lblDescription);
    all->addWidget(lblDisclaimer);
    all->addLayout(buttons);
    setFixedWidth(460);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    // This system has no system-information tool of its own to start.
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] {
        const bool g = m_state.LanguageGreek;
        m_prompter.inform(SysInfoTitle.in(g), SysInfoUnavailable.in(g), PromptIcon::Information);
    });
}

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        CentreOverParent(this);
        m_centred = true;
    }
}
