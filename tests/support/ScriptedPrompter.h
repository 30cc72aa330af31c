#pragma once

#include "platform/Prompter.h"

#include <QList>
#include <QQueue>
#include <QString>

// A Prompter for tests: records every prompt and answers from a queue. A prompt with
// no answer queued is a test failure (recorded in `unexpected`, answered with the
// last button offered, which is the safe one in our boxes).
class ScriptedPrompter : public Prompter
{
public:
    struct Prompt
    {
        QString title;
        QString text;
        PromptIcon icon = PromptIcon::NoIcon;
        QList<PromptButton> buttons;
        bool isTextInput = false;
        PromptButton defaultButton = PromptButton::Ok; // what Enter would choose
    };

    QList<Prompt> prompts;
    QQueue<PromptButton> answers;
    QQueue<QString> textAnswers;
    int unexpected = 0;

    void answer(PromptButton b) { answers.enqueue(b); }
    void answerText(const QString &t) { textAnswers.enqueue(t); }

    PromptButton message(const QString &title, const QString &text, PromptIcon icon,
                         const QList<PromptButton> &buttons, PromptButton defaultButton) override;
    QString askText(const QString &title, const QString &text, const QString &initialText) override;

    const Prompt &last() const { return prompts.constLast(); }
};
