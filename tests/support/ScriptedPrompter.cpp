#include "ScriptedPrompter.h"

PromptButton ScriptedPrompter::message(const QString &title, const QString &text, PromptIcon icon,
                                       const QList<PromptButton> &buttons, PromptButton defaultButton)
{
    prompts.append({title, text, icon, buttons, false, defaultButton});
    if (answers.isEmpty()) {
        // A lone OK box needs no scripted answer.
        if (buttons.size() == 1)
            return buttons.first();
        ++unexpected;
        qWarning("unexpected prompt: %s / %s", qPrintable(title), qPrintable(text));
        return buttons.isEmpty() ? defaultButton : buttons.constLast();
    }
    return answers.dequeue();
}

QString ScriptedPrompter::askText(const QString &title, const QString &text, const QString &initialText)
{
    Q_UNUSED(initialText);
    prompts.append({title, text, PromptIcon::NoIcon, {}, true});
    if (textAnswers.isEmpty()) {
        ++unexpected;
        qWarning("unexpected text prompt: %s / %s", qPrintable(title), qPrintable(text));
        return {};
    }
    return textAnswers.dequeue();
}
