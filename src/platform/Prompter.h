#pragma once

#include <QList>
#include <QString>

// The buttons a question can offer. Their captions follow the interface language.
enum class PromptButton { Ok, Cancel, Yes, No, YesToAll, Retry, Skip, Abort, Ignore };

enum class PromptIcon { NoIcon, Information, Question, Warning, Critical };

// Every message box and text-input box of the program goes through a Prompter, so
// that rules and file operations can ask the user without knowing about widgets, and
// tests can answer from a script.
class Prompter
{
public:
    virtual ~Prompter() = default;

    // Shows `text` under `title` with the icon and buttons; returns the button chosen.
    // Closing the box by its frame counts as the last Cancel-like button offered.
    virtual PromptButton message(const QString &title, const QString &text, PromptIcon icon,
                                 const QList<PromptButton> &buttons, PromptButton defaultButton) = 0;

    // Asks for a line of text; returns "" on Cancel.
    virtual QString askText(const QString &title, const QString &text, const QString &initialText) = 0;

    // A box with one OK button, the common case.
    void inform(const QString &title, const QString &text, PromptIcon icon = PromptIcon::Information)
    {
        message(title, text, icon, {PromptButton::Ok}, PromptButton::Ok);
    }

    // A Yes/No question; true for Yes.
    bool askYesNo(const QString &title, const QString &text, PromptButton defaultButton = PromptButton::Yes)
    {
        return message(title, text, PromptIcon::Question, {PromptButton::Yes, PromptButton::No}, defaultButton)
               == PromptButton::Yes;
    }
};
