#pragma once

#include "platform/Bilingual.h"

// The texts of the folder listing: column captions, the count line and the messages
// of the filter and order controls.
namespace ListingTexts {

inline constexpr Bilingual NameCaption{"Όνομα", "Name"};
inline constexpr Bilingual SizeCaption{"Μέγεθος", "Size"};
inline constexpr Bilingual DateCaption{"Χρονολογία", "Date"};
inline constexpr Bilingual TimeCaption{"Ώρα", "Time"};
// The one-letter columns read the same in both languages.
inline constexpr const char *FolderMarkCaption = "+";
inline constexpr const char *HiddenCaption = "H";
inline constexpr const char *SystemCaption = "S";
inline constexpr const char *ReadOnlyCaption = "R";
inline constexpr const char *ArchiveCaption = "A";

inline constexpr Bilingual BothAppearanceCleared{
    "Απενεργοποιήσατε και την «Εμφάνιση Φακέλλων» και την «Εμφάνιση Αρχείων». Επειδή αυτό θα έχει ως "
    "αποτέλεσμα το να μην εμφανίζονται πληροφορίες για τους υπο-φακέλλους ή/και τα αρχεία του τρέχοντος "
    "φακέλλου, η εφαρμογή ακυρώνει την εντολή σας και ενεργοποιεί ξανά και την «Εμφάνιση Φακέλλων» και την "
    "«Εμφάνιση Αρχείων»."
    "\r\n\r\n"
    "Μπορείτε, αν θέλετε, να απενεργοποιήσετε μία από τις δύο επιλογές, αλλά όχι και τις δύο μαζί.",
    "You de-selected both 'Folders' and 'Files'. Since this will result in no information at all being "
    "displayed for the sub-folders and/or files of the current directory, the application automatically "
    "overrides your settings by selecting both 'Folders' and 'Files'."
    "\r\n\r\n"
    "You may de-select either of these two options, but not both of them."};

inline constexpr Bilingual SortByKindMessage{
    "Για να ταξινομήσετε τα στοιχεία με βάση το αν είναι φάκελλοι ή αρχεία, πρέπει να χρησιμοποιήσετε τις "
    "επιλογές του πλαισίου με τίτλο «Σειρά εμφανίσεως».",
    "If you want to sort the items based on whether they are folders or files, you must use the options of "
    "the frame titled 'Order of appearance'."};

// Pieces of the count line, in the order they are joined.
inline constexpr Bilingual CountFolders{"Φάκελλοι: ", "Folders: "};
inline constexpr Bilingual CountOf{" από ", " of "};
inline constexpr Bilingual CountFiles{"Αρχεία: ", "Files: "};
inline constexpr Bilingual CountBytes{"Μέγεθος αρχείων σε χαρακτήρες: ", "File size in bytes: "};

// Captions of cmdPropertyRestrictions for the modes 1, 2 and 3.
inline constexpr const char *PropertyModeCaptions[] = {"+", "=", "|"};

} // namespace ListingTexts
