#pragma once

#include "platform/Bilingual.h"

// The texts of the About box and of the system-information tool.
namespace AboutTexts {

inline constexpr Bilingual Caption{"Σχετικά", "About"};
inline constexpr const char *Title = "Tidyhall";
inline constexpr Bilingual VersionPrefix{"Έκδοση ", "Version "};
inline constexpr Bilingual SysInfo{"Πληροφορίες συστήματος...", "System Info..."};
inline constexpr Bilingual OK{"OK", "OK"};

inline constexpr Bilingual Description{
    "Η εφαρμογή αυτή εμφανίζει τα ονόματα "
    "όλων, ή των επιλεγμένων, αρχείων ή/και υπο-φακέλλων ενός "
    "φακέλλου, μαζί με το μέγεθος, τη χρονολογία, την ώρα και τις "
    "ιδιότητές τους. Η εφαρμογή έχει επίσης τη δυνατότητα να "
    "εκτυπώνει αυτές τις πληροφορίες και επιπλέον, μας επιτρέπει "
    "να: ταξινομήσουμε, αντιγράψουμε, μετακινήσουμε, μετονομάσουμε, "
    "διαγράψουμε, αλλά και να αλλάξουμε τις ιδιότητες (Κρυφό, "
    "Συστήματος, Μόνο "
    "για ανάγνωση, Προς αποθήκευση) ή/και τη χρονολογία "
    "(Δημιουργίας, Τελευταίας προσπελάσεως, Τελευταίας τροποποιήσεως) "
    "των αρχείων ή/και υπο-φακέλλων.",
    "This application displays the names "
    "of all, or selected, files and/or sub-folders containted "
    "in a folder, along with their size, date, time and properties. "
    "The application can also print this information and "
    "furthermore, gives us the option of: sorting, copying, moving, "
    "renaming, deleting, changing the properties (Hidden, System, "
    "Read-Only, Archive) and modifying the date/time (Creation, "
    "Last Access, Last Modification) of files and/or sub-folders."};

inline constexpr Bilingual Disclaimer{
    "Η εφαρμογή παρέχεται «ως έχει», χωρίς καμία εγγύηση, ρητή ή σιωπηρή. Κρατάτε αντίγραφα ασφαλείας "
    "των αρχείων σας· ο δημιουργός δεν ευθύνεται για οποιαδήποτε απώλεια ή ζημία από τη χρήση της.",
    "This application is provided \"as is\", without warranty of any kind, express or implied. Keep backup "
    "copies of your files; the author is not liable for any loss or damage arising from its use."};

inline constexpr Bilingual TipSysInfo{"Ανοίγει το πρόγραμμα πληροφοριών συστήματος",
                                      "Starts the system-information program"};
inline constexpr Bilingual TipOK{"Κλείνει το πλαίσιο", "Closes this box"};

inline constexpr Bilingual SysInfoTitle{"Πληροφορίες συστήματος", "System information"};
inline constexpr Bilingual SysInfoUnavailable{"Οι Πληροφορίες Συστήματος δεν είναι διαθέσιμες αυτή τη στιγμή.",
                                              "System Information is unavailable at this time."};

} // namespace AboutTexts
