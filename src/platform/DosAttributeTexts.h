#pragma once

#include "platform/Bilingual.h"

// Messages of the attribute and time-stamp services. The platform layer does not
// know the interface language, so its errors carry both (Greek first), as the
// start-up messages do.
namespace DosAttributeTexts {
// %1 volume mount point, %2 file-system type, %3 attribute name, %4 item path
inline constexpr Bilingual VolumeCannotKeepAttribute{
    "Ο τόμος «%1» (%2) δεν μπορεί να κρατήσει το χαρακτηριστικό «%3» του στοιχείου «%4».",
    "The volume '%1' (%2) cannot keep the attribute '%3' of '%4'."};
// %1 volume mount point, %2 file-system type, %3 item path
inline constexpr Bilingual VolumeCannotKeepCreationTime{
    "Ο τόμος «%1» (%2) δεν μπορεί να κρατήσει τη χρονολογία δημιουργίας του στοιχείου «%3».",
    "The volume '%1' (%2) cannot keep the creation date of '%3'."};
// %1 item path
inline constexpr Bilingual UnreadableDosRecord{
    "Τα αποθηκευμένα χαρακτηριστικά του στοιχείου «%1» έχουν μορφή που η εφαρμογή δεν αναγνωρίζει· "
    "για να μη χαθούν, δεν αλλάζονται.",
    "The stored attributes of '%1' are in a form this program does not know; they are left "
    "untouched so that nothing is lost."};
// %1 item path
inline constexpr Bilingual SymlinkHasNoAttributes{
    "Ο συμβολικός σύνδεσμος «%1» δεν έχει δικά του χαρακτηριστικά ή χρονολογίες.",
    "The symbolic link '%1' has no attributes or dates of its own."};
// %1 item path
inline constexpr Bilingual NotFileOrFolder{
    "Το στοιχείο «%1» δεν είναι ούτε αρχείο ούτε φάκελλος· δεν παίρνει χαρακτηριστικά.",
    "'%1' is neither a file nor a folder; it takes no attributes."};
// %1 item path
inline constexpr Bilingual DateOutOfRange{
    "Η χρονολογία που δόθηκε για το στοιχείο «%1» δεν είναι έγκυρη ή είναι εκτός ορίων.",
    "The date given for '%1' is not valid or is out of range."};

// The attribute names, as the attributes editor shows them.
inline constexpr Bilingual Hidden{"Κρυφό", "Hidden"};
inline constexpr Bilingual System{"Συστήματος", "System"};
inline constexpr Bilingual ReadOnly{"Μόνο για ανάγνωση", "Read only"};
inline constexpr Bilingual Archive{"Προς φύλαξη", "Archive"};
}
