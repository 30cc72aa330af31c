#pragma once

#include "platform/Bilingual.h"

// Texts of the target choice and of the folder choosers, Greek first.
namespace TargetTexts {

inline constexpr Bilingual TitleCopy{"Επιλέξτε τον προορισμό για την αντιγραφή", "Select the target for copying"};
inline constexpr Bilingual TitleMove{"Επιλέξτε τον προορισμό για την μετακίνηση", "Select the target for moving"};
inline constexpr Bilingual TitleBackup{"Επιλέξτε τον προορισμό για την αποθήκευση", "Select the target for backing up"};

// Stands in the file-name box: the user walks to the target folder and leaves it alone.
inline constexpr Bilingual Marker{"μην τροποποιήσετε αυτό το κείμενο", "do not alter this text"};

// Labels of Qt's file dialog, which has no Greek translation of its own on Debian.
inline constexpr Bilingual LookIn{"Αναζήτηση σε:", "Look in:"};
inline constexpr Bilingual FileName{"Όνομα αρχείου:", "File name:"};
inline constexpr Bilingual FolderName{"Φάκελλος:", "Folder:"};
inline constexpr Bilingual FileType{"Τύπος αρχείων:", "Files of type:"};
inline constexpr Bilingual Open{"Άνοιγμα", "Open"};
inline constexpr Bilingual Choose{"Επιλογή", "Choose"};
inline constexpr Bilingual Cancel{"Άκυρο", "Cancel"};
// After a small file's size in the chooser's list.
inline constexpr Bilingual Bytes{" χαρακτήρες", " bytes"};
// The type of a file in the chooser's list, before its extension.
inline constexpr Bilingual FileKind{"Αρχείο", "File"};
inline constexpr Bilingual AllFiles{"Όλα τα αρχεία (*)", "All files (*)"};

inline constexpr Bilingual InexactFolderName{
    "Το όνομα του φακέλλου «%1» περιέχει χαρακτήρες που το παράθυρο επιλογής δεν μπορεί να αποδώσει με ακρίβεια, "
    "και θα μπορούσε να εννοεί άλλον φάκελλο. Ανοίξτε τον φάκελλο στο κύριο παράθυρο, αποθηκεύστε τη διαδρομή "
    "του στις πρόσφατες διαδρομές και επιλέξτε την από εκεί.",
    "The name of the folder '%1' holds characters the chooser cannot carry exactly, and could mean another "
    "folder. Open the folder in the main window, save its path to the recent paths and choose it from there."};

} // namespace TargetTexts
