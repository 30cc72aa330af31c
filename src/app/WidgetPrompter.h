#pragma once

#include "platform/Prompter.h"

#include <QPointer>
#include <QWidget>

// The Prompter of the running program: message boxes and the text-input box, with
// button captions in the interface language of the moment.
class WidgetPrompter : public Prompter
{
public:
    explicit WidgetPrompter(const bool &languageGreek) : m_languageGreek(languageGreek) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    PromptButton message(const QString &title, const QString &text, PromptIcon icon,
                         const QList<PromptButton> &buttons, PromptButton defaultButton) override;
    QString askText(const QString &title, const QString &text, const QString &initialText) override;

private:
    const bool &m_languageGreek;
    QPointer<QWidget> m_parent;
};
