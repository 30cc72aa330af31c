#pragma once

#include "platform/Bilingual.h"

// Our own properties window, shown where no file manager offers its own.
namespace ItemPropertiesTexts {

inline constexpr Bilingual Caption{"Ιδιότητες", "Properties"};
inline constexpr Bilingual Name{"Όνομα:", "Name:"};
inline constexpr Bilingual Type{"Τύπος:", "Type:"};
inline constexpr Bilingual Location{"Θέση:", "Location:"};
inline constexpr Bilingual Size{"Μέγεθος:", "Size:"};
inline constexpr Bilingual Created{"Δημιουργία:", "Created:"};
inline constexpr Bilingual Accessed{"Τελευταία προσπέλαση:", "Last accessed:"};
inline constexpr Bilingual Modified{"Τελευταία τροποποίηση:", "Last modified:"};
inline constexpr Bilingual Owner{"Κάτοχος:", "Owner:"};
inline constexpr Bilingual Group{"Ομάδα:", "Group:"};
inline constexpr Bilingual Permissions{"Δικαιώματα:", "Permissions:"};
inline constexpr Bilingual Attributes{"Χαρακτηριστικά:", "Attributes:"};
inline constexpr Bilingual VolumeCaption{"Τόμος:", "Volume:"};
inline constexpr Bilingual Close{"Κλείσιμο", "Close"};

inline constexpr Bilingual Bytes{"%1 byte", "%1 bytes"};
inline constexpr Bilingual Folder{"φάκελλος", "folder"};
inline constexpr Bilingual LinkTo{"σύνδεσμος προς %1", "link to %1"};
inline constexpr Bilingual NoLabel{"χωρίς ετικέτα", "no label"};
inline constexpr Bilingual CreatedIsModified{" (ο τόμος δεν κρατά χρόνο δημιουργίας)",
                                             " (the volume keeps no creation time)"};

inline constexpr Bilingual AttributeNames[4] = {
    {"Κρυφό", "Hidden"},
    {"Συστήματος", "System"},
    {"Μόνο για ανάγνωση", "Read only"},
    {"Προς φύλαξη", "Archive"},
};

} // namespace ItemPropertiesTexts
