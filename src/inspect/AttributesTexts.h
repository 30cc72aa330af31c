#pragma once

#include "platform/Bilingual.h"

// The attributes and dates editor.
namespace AttributesTexts {

inline constexpr Bilingual Title{"Χαρακτηριστικά", "Attributes"};
inline constexpr Bilingual CurrentProperties{"Τρέχουσες ιδιότητες:", "Current properties:"};
inline constexpr Bilingual CurrentDates{"Τρέχουσες χρον/γίες:", "Current dates:"};
inline constexpr Bilingual SystemDate{"Χρον/γία συστήματος:", "System date:"};
inline constexpr Bilingual Update{"Ενημέρωση", "Update"};
inline constexpr Bilingual NewProperties{" Νέες ιδιότητες ", " New properties "};
// chkNewProperties(0..3): Hidden, System, Read only, Archive.
inline constexpr Bilingual PropertyNames[4] = {
    {"Κρυφό", "Hidden"},
    {"Συστήματος", "System"},
    {"Μόνο για ανάγνωση", "Read only"},
    {"Προς φύλαξη", "Archive"},
};
inline constexpr Bilingual AttributesOption{
    "Ως νέα χαρακτηριστικά, να χρησιμοποιούνται τα τρέχοντα χαρακτηριστικά του κάθε στοιχείου.",
    "Use each item's current attributes, as new attributes."};
inline constexpr Bilingual Save{"Αποθήκευση", "Save"};
inline constexpr Bilingual NewDates{" Νέες χρονολογίες [ ΕΕΕΕ-ΜΜ-ΗΗ ΩΩ:ΠΠ:ΔΔ ] ", " New dates  [ YYYY-MM-DD HH:MM:SS ] "};
inline constexpr Bilingual NewDateC{"Δημιουργία:", "Created:"};
inline constexpr Bilingual NewDateM{"Τελευταία τροποποίηση:", "Last modified:"};
inline constexpr Bilingual NewDateA{"Τελευταία προσπέλαση:", "Last access:"};
inline constexpr Bilingual SaveDates{"Αποθήκευση χρον/γιών", "Save dates"};
inline constexpr Bilingual SaveCreatedTip{"Αποθήκευση χρον/γίας δημιουργίας", "Save date created"};
inline constexpr Bilingual SaveModifiedTip{"Αποθήκευση χρον/γίας τελευτ. τροποποιήσεως", "Save date last modified"};
inline constexpr Bilingual SaveAccessedTip{"Αποθήκευση χρον/γίας τελευτ. προσπελάσεως", "Save date last access"};
inline constexpr Bilingual SystemCreatedTip{"Ορισμός χρον/γίας συστήματος ως χρον/γία δημιουργίας",
                                            "Set system date as date created"};
inline constexpr Bilingual SystemModifiedTip{"Ορισμός χρον/γίας συστήματος ως χρον/γία τελευτ. τροποποιήσεως",
                                             "Set system date as date last modified"};
inline constexpr Bilingual SystemAccessedTip{"Ορισμός χρον/γίας συστήματος ως χρον/γία τελευτ. προσπελάσεως",
                                             "Set system date as date last access"};

// The description of an item's kind and attributes.
inline constexpr Bilingual Folder{"Φάκελλος", "Folder"};
inline constexpr Bilingual File{"Αρχείο", "File"};
inline constexpr Bilingual Separator{" - ", " - "};
// After the Greek "Κρυφό" of a folder, so that the adjective agrees with «Φάκελλος».
inline constexpr Bilingual HiddenFolderEnding{"ς", ""};

// The current dates.
inline constexpr Bilingual FolderDateLabel{"Δημιουργία ή\r\nΤελευταία Τροποποίηση:", "Created or\r\nLast Modified:"};
inline constexpr Bilingual CreatedLabel{"Δημιουργία:", "Created:"};
inline constexpr Bilingual ModifiedLabel{"Τελευταία Τροποποίηση:", "Last Modified:"};
inline constexpr Bilingual AccessedLabel{"Τελευταία Προσπέλαση:", "Last Access:"};

// Dates that are refused, each naming its field ("Created:" ...), and the creation
// time a volume cannot keep.
inline constexpr Bilingual FieldHead{"Η χρονολογία του πεδίου «", "The date of the field '"};
inline constexpr Bilingual NoSuchDayTail{"» δεν υπάρχει: ο μήνας δεν έχει τόσες ημέρες. Δεν αποθηκεύτηκε τίποτα.",
                                         "' does not exist: the month has no such day. Nothing was saved."};
inline constexpr Bilingual InGapTail{
    "» δεν υπάρχει στη ζώνη ώρας του υπολογιστή: τα ρολόγια περνούν πάνω από αυτήν την ώρα κατά την αλλαγή "
    "της ώρας. Δεν αποθηκεύτηκε τίποτα.",
    "' does not exist in the computer's time zone: the clocks skip that hour when daylight saving time begins. "
    "Nothing was saved."};
inline constexpr Bilingual OutOfRangeTail{
    "» δεν μπορεί να αποθηκευτεί σε αυτόν τον τόμο. Δεν αποθηκεύτηκε τίποτα.",
    "' cannot be stored on this volume. Nothing was saved."};
inline constexpr Bilingual CreatedNotKept{
    "Αυτός ο τόμος δεν κρατά χρονολογία δημιουργίας που να μπορεί να αλλάξει.",
    "This volume keeps no creation date that can be changed."};
inline constexpr Bilingual OthersSavedCreatedNot{
    "Οι χρονολογίες τελευταίας τροποποιήσεως και τελευταίας προσπελάσεως αποθηκεύτηκαν. Η χρονολογία δημιουργίας "
    "δεν αποθηκεύτηκε: αυτός ο τόμος δεν κρατά χρονολογία δημιουργίας που να μπορεί να αλλάξει.",
    "The dates last modified and last access were saved. The date created was not saved: this volume keeps no "
    "creation date that can be changed."};

} // namespace AttributesTexts
