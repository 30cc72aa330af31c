#pragma once

#include "platform/Bilingual.h"

namespace AboutTexts {
inline constexpr Bilingual Caption{"Σχετικά", "About"};
inline constexpr Bilingual VersionPrefix{"Έκδοση ", "Version "};
inline constexpr Bilingual Description{
    "Η εφαρμογή αυτή εμφανίζει τα ονόματα όλων, ή των επιλεγμένων, αρχείων ή/και υπο-φακέλλων ενός φακέλλου, μαζί "
    "με το μέγεθος, τη χρονολογία, την ώρα και τις ιδιότητές τους. Η εφαρμογή έχει επίσης τη δυνατότητα να "
    "εκτυπώνει αυτές τις πληροφορίες και επιπλέον, μας επιτρέπει να: ταξινομήσουμε, αντιγράψουμε, μετακινήσουμε, "
    "μετονομάσουμε, διαγράψουμε, αλλά και να αλλάξουμε τις ιδιότητες (Κρυφό, Συστήματος, Μόνο για ανάγνωση, Προς "
    "αποθήκευση) ή/και τη χρονολογία (Δημιουργίας, Τελευταίας προσπελάσεως, Τελευταίας τροποποιήσεως) των αρχείων "
    "ή/και υπο-φακέλλων.",
    "This application displays the names of all, or selected, files and/or sub-folders containted in a folder, along "
    "with their size, date, time and properties. The application can also print this information and furthermore, "
    "gives us the option of: sorting, copying, moving, renaming, deleting, changing the properties (Hidden, System, "
    "Read-Only, Archive) and modifying the date/time (Creation, Last Access, Last Modification) of files and/or "
    "sub-folders."};
inline constexpr Bilingual Disclaimer{"Η εφαρμογή παρέχεται ως έχει, χωρίς καμία εγγύηση.",
                                      "The application is provided as is, without any warranty."};
inline constexpr Bilingual SysInfo{"Πληροφορίες συστήματος...", "System Info..."};
inline constexpr Bilingual SysInfoTitle{"Πληροφορίες συστήματος", "System information"};
inline constexpr Bilingual SysInfoUnavailable{"Οι Πληροφορίες Συστήματος δεν είναι διαθέσιμες αυτή τη στιγμή.",
                                              "System Information is unavailable at this time."};
inline constexpr const char *Title = "Tidyhall";
// The program's major, minor and revision numbers.
inline constexpr int Version[3] = {0, 1, 0};
}
