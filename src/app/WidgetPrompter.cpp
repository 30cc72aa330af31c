#include "app/WidgetPrompter.h"

#include "app/PromptTexts.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon boxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Critical:
        return QMessageBox::Critical;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::ButtonRole roleOf(PromptButton button)
{
    switch (button) {
    case PromptButton::Ok:
    case PromptButton::Yes:
    case PromptButton::YesToAll:
        return QMessageBox::YesRole;
    case PromptButton::No:
    case PromptButton::Skip:
        return QMessageBox::NoRole;
    case PromptButton::Cancel:
    case PromptButton::Abort:
        return QMessageBox::RejectRole;
    default:
        return QMessageBox::ActionRole;
    }
}

} // namespace

PromptButton WidgetPrompter::message(const QString &title, const QString &text, PromptIcon icon,
                                     const QList<PromptButton> &buttons, PromptButton defaultButton)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::NoButton, m_parent);
    QList<QPair<QAbstractButton *, PromptButton>> made;
    QAbstractButton *escape = nullptr;
    for (const PromptButton b : buttons) {
        QPushButton *pb = box.addButton(ButtonCaption(b).in(m_languageGreek), roleOf(b));
        made.append({pb, b});
        if (b == defaultButton)
            box.setDefaultButton(pb);
        if (b == PromptButton::Cancel || b == PromptButton::No || b == PromptButton::Ok || b == PromptButton::Abort)
            escape = pb;
    }
    if (escape)
        box.setEscapeButton(escape);
    box.exec();
    for (const auto &[widget, b] : made)
        if (box.clickedButton() == widget)
            return b;
    return buttons.isEmpty() ? defaultButton : buttons.constLast();
}

QString WidgetPrompter::askText(const QString &title, const QString &text, const QString &initialText)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(text);
    dialog.setTextValue(initialText);
    dialog.setOkButtonText(ButtonCaption(PromptButton::Ok).in(m_languageGreek));
    dialog.setCancelButtonText(ButtonCaption(PromptButton::Cancel).in(m_languageGreek));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}
