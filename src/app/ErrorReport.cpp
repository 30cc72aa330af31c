#include "app/ErrorReport.h"

#include "app/AppState.h"
#include "platform/Bilingual.h"
#include "platform/Prompter.h"
#include "platform/RuntimeError.h"

#include <new>

QString RuntimeErrorText(int number, const QString &description, bool greek)
{
    if (greek)
        return QStringLiteral("Παρουσιάστηκε το σφάλμα με αριθμό ") + QString::number(number)
               + QStringLiteral(" και περιγραφή «") + description + QStringLiteral("».") + NewLine + NewLine
               + QStringLiteral("Η εφαρμογή δεν μπορεί να εκτελέσει την εργασία που ζητήσατε.");
    return QStringLiteral("Error condition ") + QString::number(number) + QStringLiteral(" with the description '")
           + description + QStringLiteral("' ") + QStringLiteral("has occured") + QStringLiteral(".") + NewLine + NewLine
           + QStringLiteral("The application cannot perform the requested operation.");
}

void ReportRuntimeError(Prompter &prompter, const AppState &state, int number, const QString &description,
                        const QString &locationCode)
{
    prompter.inform(state.AppTitle + QStringLiteral(", ") + locationCode + QStringLiteral("."),
                    RuntimeErrorText(number, description, state.LanguageGreek), PromptIcon::Information);
}

bool RunTrapped(Prompter &prompter, const AppState &state, const char *locationCode,
                const std::function<void()> &body)
{
    const QString code = QString::fromLatin1(locationCode);
    try {
        body();
        return true;
    } catch (const RuntimeError &e) {
        ReportRuntimeError(prompter, state, e.number, e.description, code);
    } catch (const std::bad_alloc &) {
        ReportRuntimeError(prompter, state, 7, QStringLiteral("Out of memory"), code);
    } catch (const std::exception &e) {
        ReportRuntimeError(prompter, state, ErrorNumber::PathFileAccessError, QString::fromLocal8Bit(e.what()), code);
    }
    return false;
}
