#include "inspect/SteppingPanelWidget.h"

#include "inspect/SteppingTexts.h"
#include "platform/ExactName.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SteppingPanelWidget::SteppingPanelWidget(const QString &actionName, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("SteppingPanel"));
    lblName = new QLabel(this);
    lblName->setObjectName(QStringLiteral("lblName"));
    txtName = new QLineEdit(this);
    txtName->setObjectName(QStringLiteral("txtName"));
    // Shown, never read back: the action works on the entry's exact path.
    txtName->setReadOnly(true);
    lblName->setBuddy(txtName);

    auto *steps = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        cmdStep[i] = new QPushButton(this);
        cmdStep[i]->setObjectName(QStringLiteral("cmdStep(%1)").arg(i));
        cmdStep[i]->setAutoDefault(false);
        steps->addWidget(cmdStep[i]);
        connect(cmdStep[i], &QPushButton::clicked, this, [this, i] { step(SelectionStepper::Step(i)); });
    }

    actionButton = new QPushButton(this);
    actionButton->setObjectName(actionName);
    actionButton->setDefault(true);
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    connect(actionButton, &QPushButton::clicked, this, &SteppingPanelWidget::actionClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &SteppingPanelWidget::enoughClicked);

    auto *actions = new QHBoxLayout;
    actions->addWidget(actionButton);
    actions->addStretch(1);
    actions->addWidget(cmdCancel);

    m_content = new QVBoxLayout;
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lblName);
    layout->addWidget(txtName);
    layout->addLayout(m_content);
    layout->addStretch(1);
    layout->addLayout(steps);
    layout->addLayout(actions);
}

void SteppingPanelWidget::applyLanguage(bool greek, const Bilingual &actionCaption)
{
    m_greek = greek;
    for (int i = 0; i < 4; ++i)
        cmdStep[i]->setText(SteppingTexts::Steps[i].in(greek));
    cmdCancel->setText(SteppingTexts::Enough.in(greek));
    actionButton->setText(actionCaption.in(greek));
    txtName->setAccessibleName(SteppingTexts::TitleWord.in(greek));
    if (m_stepper.count() > 0)
        lblName->setText(m_stepper.positionLine(greek));
}

void SteppingPanelWidget::setEntries(const QStringList &entries)
{
    m_stepper.setEntries(entries);
    step(SelectionStepper::First);
}

void SteppingPanelWidget::step(SelectionStepper::Step step)
{
    m_stepper.step(step);
    showCurrent();
}

void SteppingPanelWidget::showCurrent()
{
    for (int i = 0; i < 4; ++i)
        cmdStep[i]->setEnabled(m_stepper.isEnabled(SelectionStepper::Step(i)));
    lblName->setText(m_stepper.positionLine(m_greek));
    txtName->setText(ExactName::shown(m_stepper.currentName()));
    txtName->setCursorPosition(0);
    actionButton->setEnabled(m_stepper.count() > 0);
    Q_EMIT stepped(m_stepper.position());
}

void SteppingPanelWidget::replaceCurrent(const QString &path)
{
    m_stepper.replaceCurrent(path);
    showCurrent();
}
