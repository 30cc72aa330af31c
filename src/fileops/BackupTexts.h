#pragma once

#include "platform/Bilingual.h"

// The backup's questions and messages, Greek first.
namespace BackupTexts {

inline constexpr Bilingual VerifyTitle{"Επιβεβαίωση αποθηκεύσεως", "Backup verification"};
inline constexpr Bilingual VerifyLead{"Επιλέξατε την αποθήκευση των επιλεγμένων φακέλλων ή/και αρχείων στον προορισμό «",
                                      "You have chosen to backup the selected folders and/or files to '"};
inline constexpr Bilingual TargetClose{"».", "'."};
inline constexpr Bilingual ProceedQuestion{"Θέλετε πράγματι να προχωρήσετε στη διαδικασία της αποθηκεύσεως;",
                                           "Is it certain that you want to proceed with the backup?"};

inline constexpr Bilingual RenameSourceTitle{"Μετονομασία στην πηγή", "Rename on the source"};
inline constexpr Bilingual RenameSourcePrompt{
    "Γράψτε το νέο όνομα του ανωτέρω στοιχείου (στην πηγή) και πατήστε το «ΟΚ», ή πατήστε το «Cancel» («Άκυρο») για να ακυρώσετε τη διαδικασία της μετονομασίας του στοιχείου (στην πηγή).",
    "Enter the new name of the above item (on the source) and click 'OK', or click 'Cancel' to cancel the rename process of the above item (on the source)."};
inline constexpr Bilingual RenameTargetTitle{"Μετονομασία στον προορισμό", "Rename on the target"};
inline constexpr Bilingual RenameTargetPrompt{
    "Γράψτε το νέο όνομα του ανωτέρω στοιχείου (στον προορισμό) και πατήστε το «ΟΚ», ή πατήστε το «Cancel» («Άκυρο») για να ακυρώσετε τη διαδικασία της μετονομασίας του στοιχείου (στον προορισμό).",
    "Enter the new name of the above item (on the target) and click 'OK', or click 'Cancel' to cancel the rename process of the above item (on the target)."};
inline constexpr Bilingual NameInUseLead{"Δεν επιτρέπεται η χρήση του ονόματος «", "The name '"};
inline constexpr Bilingual NameInUseTail{"», διότι υπάρχει ήδη φάκελλος ή αρχείο με αυτό το όνομα.",
                                         "' cannot be used because there is already a folder or file with that name."};

inline constexpr Bilingual NotFoundTitle{"Έλεγχος υπάρξεως στοιχείου στον προορισμό",
                                         "Checking whether item exists on the target"};
inline constexpr Bilingual NotFoundLead{"Το ανωτέρω στοιχείο δεν υπάρχει στον προορισμό «",
                                        "The above item does not exist on the target '"};

// Where the program is stricter than a plain copy.
inline constexpr Bilingual BadName{"Το όνομα «%1» δεν μπορεί να χρησιμοποιηθεί: ένα όνομα δεν περιέχει τον χαρακτήρα «/», δεν είναι «.» ή «..» και δεν είναι κενό.",
                                   "The name '%1' cannot be used: a name holds no '/', is not '.' or '..', and is not empty."};
inline constexpr Bilingual TargetInsideSource{"Το στοιχείο «%1» δεν αποθηκεύθηκε, διότι ο προορισμός «%2» βρίσκεται μέσα σε αυτό.",
                                              "'%1' was not backed up because the target '%2' lies inside it."};
inline constexpr Bilingual SourceMissing{"Το στοιχείο «%1» δεν υπάρχει πλέον και δεν αποθηκεύθηκε.",
                                         "'%1' no longer exists and was not backed up."};
inline constexpr Bilingual NotComplete{"Το αντίγραφο του «%1» δεν ολοκληρώθηκε· το στοιχείο στην πηγή έμεινε όπως ήταν.",
                                       "The copy of '%1' is not complete; the item on the source was left as it was."};
inline constexpr Bilingual SourceChanged{"Το «%1» άλλαξε όσο αντιγραφόταν και δεν διαγράφηκε από την πηγή· αποθηκεύστε το ξανά.",
                                         "'%1' changed while it was being copied and was not deleted from the source; back it up again."};
inline constexpr Bilingual NotMarked{"Ορισμένα στοιχεία του «%1» δεν σημάνθηκαν ως αποθηκευμένα:",
                                     "Some items of '%1' were not marked as backed up:"};
inline constexpr Bilingual TargetMissing{"Ο προορισμός «%1» δεν υπάρχει ή δεν είναι φάκελλος.",
                                         "The target '%1' does not exist or is not a folder."};

} // namespace BackupTexts
