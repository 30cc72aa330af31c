#include "app/PromptTexts.h"

const Bilingual &ButtonCaption(PromptButton button)
{
    static const Bilingual ok{"OK", "OK"};
    static const Bilingual cancel{"Άκυρο", "Cancel"};
    static const Bilingual yes{"Ναι", "Yes"};
    static const Bilingual no{"Όχι", "No"};
    static const Bilingual yesToAll{"Ναι σε όλα", "Yes to all"};
    static const Bilingual retry{"Επανάληψη", "Retry"};
    static const Bilingual skip{"Παράλειψη", "Skip"};
    static const Bilingual abort{"Διακοπή", "Abort"};
    static const Bilingual ignore{"Αγνόηση", "Ignore"};
    switch (button) {
    case PromptButton::Ok:
        return ok;
    case PromptButton::Cancel:
        return cancel;
    case PromptButton::Yes:
        return yes;
    case PromptButton::No:
        return no;
    case PromptButton::YesToAll:
        return yesToAll;
    case PromptButton::Retry:
        return retry;
    case PromptButton::Skip:
        return skip;
    case PromptButton::Abort:
        return abort;
    case PromptButton::Ignore:
        return ignore;
    }
    return ok;
}
