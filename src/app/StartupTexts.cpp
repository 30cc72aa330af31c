#include "app/StartupTexts.h"

namespace StartupTexts {

QString duplicateInstance()
{
    return QStringLiteral("Η εφαρμογή είναι ήδη ενεργοποιημένη και δεν μπορεί να εκτελείται παραπάνω από μία φορά "
                          "την ίδια χρονική στιγμή.")
           + NewLine + NewLine
           + QStringLiteral("The application is already active and cannot have more than one instances at the same "
                            "time.");
}

QString noInitialPath(const QString &fallback)
{
    return QStringLiteral("Δεν έχει ορισθεί κάποια αρχική διαδρομή και έτσι, ως αρχική διαδρομή, θα χρησιμοποιηθεί "
                          "η διαδρομή «")
           + fallback + QStringLiteral("».") + NewLine + NewLine + QStringLiteral("'") + fallback
           + QStringLiteral("' will be used as the default initial path, since an initial path has not been set.");
}

QString initialPathNotFound(const QString &initialPath, const QString &fallback)
{
    return QStringLiteral("Η διαδρομή «") + initialPath
           + QStringLiteral("» που έχει ορισθεί ως αρχική, δεν μπόρεσε να εντοπισθεί στον υπολογιστή σας. Αντί "
                            "αυτής, θα χρησιμοποιηθεί η διαδρομή «")
           + fallback + QStringLiteral("».") + NewLine + NewLine + QStringLiteral("'") + initialPath
           + QStringLiteral("' has been set as the initial path of the application, but could not be located on "
                            "your computer. '")
           + fallback + QStringLiteral("' will be used instead.");
}

QString fatal(int number, const QString &description)
{
    // The number is written with a leading space when it is not negative.
    const QString n = number >= 0 ? QLatin1Char(' ') + QString::number(number) : QString::number(number);
    return QStringLiteral("Παρουσιάστηκε το σφάλμα με αριθμό") + n + QStringLiteral(" και περιγραφή «") + description
           + QStringLiteral("».") + NewLine + NewLine + QStringLiteral("Η ΕΦΑΡΜΟΓΗ ΘΑ ΤΕΡΜΑΤΙΣΤΕΙ.") + NewLine
           + NewLine + QStringLiteral("Error condition") + n + QStringLiteral(" ")
           + QStringLiteral("with the description '") + description + QStringLiteral("' has occured.") + NewLine
           + NewLine + QStringLiteral("THE APPLICATION WILL BE TERMINATED.");
}

QString foreignLock(const QString &host, const QString &lockFile)
{
    return QStringLiteral("Ο φάκελλος δεδομένων της εφαρμογής είναι κλειδωμένος από την εφαρμογή στον υπολογιστή «")
           + host + QStringLiteral("» (αρχείο κλειδώματος «") + lockFile
           + QStringLiteral("»). Αν η εφαρμογή δεν εκτελείται πλέον εκεί, μπορείτε να αναλάβετε το κλείδωμα. "
                            "Να αναληφθεί το κλείδωμα;")
           + NewLine + NewLine + QStringLiteral("The application's data folder is locked by the application on the computer '")
           + host + QStringLiteral("' (lock file '") + lockFile
           + QStringLiteral("'). If the application no longer runs there, you can take the lock over. "
                            "Take the lock over?");
}

}
