#pragma once

#include "platform/Bilingual.h"

namespace ShellActionTexts {

// A failed open or print, by its result code (ShellExecuteErrorText).
struct CodeText
{
    int code;
    Bilingual text;
};
inline constexpr CodeText ErrorTexts[] = {
    {2, {"Το αρχείο δεν βρέθηκε", "File not found"}},
    {3, {"Η διαδρομή δεν βρέθηκε", "Path not found"}},
    {5, {"Απαγορεύεται η προσπέλαση", "Access denied"}},
    {8, {"Η μνήμη δεν επαρκεί", "Out of memory"}},
    {11, {"Λανθασμένο αρχείο EXE ή λανθασμένη δομή EXE αρχείου", "Invalid EXE file or error in EXE image"}},
    {26, {"Προκλήθηκε παραβίαση κοινής χρήσεως", "A sharing violation occurred"}},
    {27, {"Ανεπαρκής ή λανθασμένος συσχετισμός αρχείου", "Incomplete of invalid file association"}},
    {28, {"Έληξε η χρονική διάρκεια σε μία διαδικασία DDE", "DDE time out"}},
    {29, {"Απέτυχε η διεκπεραίωση μίας διαδικασίας DDE", "DDE transaction failed"}},
    {30, {"Μία διαδικασία DDE είναι απασχολημένη", "DDE busy"}},
    {31, {"Η κατάληξη του αρχείου δεν είναι συσχετισμένη με εφαρμογή", "No association for file extension"}},
    {32, {"Ένα DLL δεν βρέθηκε", "DLL not found"}},
};
inline constexpr Bilingual UnknownError{"Απροσδιόριστο σφάλμα", "Unknown error"};

// The verbs the desktop knows the actions by.
inline constexpr const char *VerbOpen = "open";
inline constexpr const char *VerbPrint = "print";
inline constexpr const char *VerbProperties = "properties";

inline constexpr Bilingual NoDefaultPrinter{
    "Δεν έχει οριστεί προεπιλεγμένος εκτυπωτής. Ορίστε έναν στις ρυθμίσεις εκτυπωτών του συστήματος και "
    "δοκιμάστε ξανά.",
    "No default printer has been set. Choose one in the system's printer settings and try again."};
inline constexpr Bilingual PrintRefused{"Η εκτύπωση του «%1» δεν έγινε δεκτή: %2",
                                        "The printing of '%1' was refused: %2"};

inline constexpr Bilingual QuickViewNotSet{
    "Δεν έχει οριστεί πρόγραμμα γρήγορης προβολής (κλειδί QuickViewPath του αρχείου ρυθμίσεων).",
    "No quick viewer has been set (key QuickViewPath of the settings file)."};
inline constexpr Bilingual QuickViewUnbalanced{
    "Η εντολή γρήγορης προβολής «%1» έχει εισαγωγικά που δεν κλείνουν.",
    "The quick viewer command '%1' has a quotation mark that is not closed."};
inline constexpr Bilingual QuickViewNotStarted{"Το πρόγραμμα γρήγορης προβολής δεν ξεκίνησε: %1",
                                               "The quick viewer did not start: %1"};

} // namespace ShellActionTexts
