#include "inspect/frmItemProperties.h"

#include "app/AppState.h"
#include "app/DialogPlacementGui.h"
#include "inspect/ItemPropertiesTexts.h"
#include "output/PathListWidget.h"
#include "platform/ExactName.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmItemProperties::frmItemProperties(const ItemProperties &item, const AppState &state, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmItemProperties"));
    setModal(true);
    const bool greek = state.LanguageGreek;
    setWindowTitle(ItemPropertiesTexts::Caption.in(greek) + QStringLiteral(": ") + ExactName::shown(item.name));

    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    const QList<PropertyLine> lines = PropertyLines(item, greek);
    for (int i = 0; i < lines.size(); ++i) {
        auto *caption = new QLabel(lines[i].caption, this);
        caption->setObjectName(QStringLiteral("lblProperty(%1)").arg(i));
        auto *value = new QLineEdit(lines[i].value, this);
        value->setObjectName(QStringLiteral("txtProperty(%1)").arg(i));
        value->setReadOnly(true);
        value->setCursorPosition(0);
        caption->setBuddy(value);
        SetHelpTopic(caption, QStringLiteral("frmItemProperties.lblProperty"));
        SetHelpTopic(value, QStringLiteral("frmItemProperties.lblProperty"));
        form->addRow(caption, value);
        lblProperty.append(caption);
        txtProperty.append(value);
    }

    cmdClose = new QPushButton(ItemPropertiesTexts::Close.in(greek), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    SetHelpTopic(cmdClose, QStringLiteral("frmItemProperties.cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(560, sizeHint().height());
}

void frmItemProperties::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        CentreOverParent(this);
        m_centred = true;
    }
}
