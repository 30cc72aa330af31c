#pragma once

#include "platform/Bilingual.h"

// The texts of the root backup. Its messages are shown in Greek whatever the interface
// language (the owner's own tool); the English forms are kept for reference and for the
// progress line of the main window, which follows the interface.
namespace RootBackupTexts {

inline constexpr Bilingual Title{"Root backup", "Root backup"};

inline constexpr Bilingual FolderHead{"Ο φάκελλος «", "The folder '"};
inline constexpr Bilingual FileHead{"Το αρχείο «", "The file '"};
inline constexpr Bilingual TargetMissingTail{"» δεν υπάρχει. ", "' does not exist. "};
inline constexpr Bilingual GoOn{"Θέλετε να συνεχίσετε;", "Do you want to continue?"};
inline constexpr Bilingual NotSavedMid{"» δεν ", "' was not "};
inline constexpr Bilingual NotSavedTail{"αποθηκεύθηκε διότι δεν υπάρχει.", "saved because it does not exist."};
inline constexpr Bilingual AttributeHead{"Η ιδιότητα «Προς φύλαξη» του αρχείου «",
                                         "The Archive attribute of the file '"};
inline constexpr Bilingual AttributeMid{"» δεν αλλάχθηκε, διότι το αρχείο ", "' was not changed, because this "};
inline constexpr Bilingual AttributeTail{"αυτό δεν υπάρχει.", "file does not exist."};
inline constexpr Bilingual Done{"Η αποθήκευση ολοκληρώθηκε", "The backup is complete"};

// What the run found wrong before it changed anything.
inline constexpr Bilingual ListMissing{"Το αρχείο καταλόγου «%1» δεν υπάρχει.", "The list file '%1' does not exist."};
inline constexpr Bilingual NoBar{"Η γραμμή %1 του αρχείου «%2» δεν έχει τη μορφή «αρχείο | προορισμός».",
                                 "Line %1 of the file '%2' is not of the form 'file | destination'."};
inline constexpr Bilingual NotFullPath{"Η γραμμή %1 του αρχείου «%2» δεν ορίζει πλήρη διαδρομή: «%3».",
                                       "Line %1 of the file '%2' does not give a full path: '%3'."};
inline constexpr Bilingual SameDestination{
    "Η γραμμή %1 του αρχείου «%2» ορίζει τον ίδιο προορισμό με τη γραμμή %3: «%4».",
    "Line %1 of the file '%2' names the same destination as line %3: '%4'."};
inline constexpr Bilingual OntoSource{
    "Η γραμμή %1 του αρχείου «%2» θα αντέγραφε το αρχείο «%3» πάνω σε αρχείο προς αποθήκευση.",
    "Line %1 of the file '%2' would copy '%3' over a file that is to be saved."};

// Why a target folder is refused; the old target stays as it is.
inline constexpr Bilingual RefusedHead{"Ο φάκελλος προορισμού «%1» δεν μπορεί να χρησιμοποιηθεί: ",
                                       "The target folder '%1' cannot be used: "};
inline constexpr Bilingual RefusedEmpty{"Το αρχείο «SpecialTargetFolder.txt» δεν ορίζει φάκελλο προορισμού.",
                                        "The file 'SpecialTargetFolder.txt' names no target folder."};
inline constexpr Bilingual RefusedRelative{"δεν είναι πλήρης διαδρομή.", "it is not a full path."};
inline constexpr Bilingual RefusedRoot{"είναι ο αρχικός φάκελλος του συστήματος.", "it is the root folder."};
inline constexpr Bilingual RefusedHome{"είναι ο προσωπικός σας φάκελλος.", "it is your home folder."};
inline constexpr Bilingual RefusedHoldsHome{"περιέχει τον προσωπικό σας φάκελλο.", "it holds your home folder."};
inline constexpr Bilingual RefusedMount{"είναι σημείο προσαρτήσεως δίσκου.", "a disk is mounted there."};
inline constexpr Bilingual RefusedLink{"είναι συντόμευση (symbolic link) προς άλλο φάκελλο.",
                                       "it is a symbolic link to another folder."};
inline constexpr Bilingual RefusedData{"περιέχει τα αρχεία ρυθμίσεων του προγράμματος.",
                                       "it holds the program's data folder."};
inline constexpr Bilingual RefusedHoldsSource{"περιέχει το «%1», που είναι προς αποθήκευση.",
                                              "it holds '%1', which is to be saved."};
inline constexpr Bilingual RefusedInsideSource{"βρίσκεται μέσα στον φάκελλο προς αποθήκευση «%1».",
                                               "it lies inside the folder '%1', which is to be saved."};
inline constexpr Bilingual RefusedNotFolder{"δεν είναι φάκελλος.", "it is not a folder."};

// The old target cannot go to the trash.
inline constexpr Bilingual NoTrash{
    "Ο παλαιός φάκελλος προορισμού «%1» δεν μπορεί να μεταφερθεί στον κάδο ανακυκλώσεως, "
    "διότι ο δίσκος του δεν έχει κάδο." "\r\n\r\n"
    "Θέλετε να διαγραφεί οριστικά, χωρίς δυνατότητα επαναφοράς;",
    "The old target folder '%1' cannot be moved to the trash, because its disk has no trash."
    "\r\n\r\nDo you want it deleted for good, with no way back?"};
inline constexpr Bilingual TrashFailed{"Ο παλαιός φάκελλος προορισμού «%1» δεν μεταφέρθηκε στον κάδο: %2.",
                                       "The old target folder '%1' was not moved to the trash: %2."};

// The end of a run that did not go through cleanly.
inline constexpr Bilingual DoneWithFailures{"Η αποθήκευση ολοκληρώθηκε, αλλά τα εξής δεν αποθηκεύθηκαν:",
                                            "The backup is complete, but the following were not saved:"};
inline constexpr Bilingual Stopped{"Η αποθήκευση σταμάτησε στο «%1»: %2.", "The backup stopped at '%1': %2."};
inline constexpr Bilingual StoppedTail{
    "Οι ιδιότητες «Προς φύλαξη» δεν άλλαξαν. Τα εξής δεν αποθηκεύθηκαν:",
    "No Archive attribute was changed. The following were not saved:"};
inline constexpr Bilingual FailureLine{"«%1»: %2", "'%1': %2"};
inline constexpr Bilingual ItemsFailed{"%1 στοιχεία του δεν αντιγράφηκαν", "%1 of its items were not copied"};
inline constexpr Bilingual Cancelled{"η αντιγραφή διακόπηκε", "the copy was cancelled"};
inline constexpr Bilingual NoDestinationFolder{"ο φάκελλος του προορισμού «%1» δεν υπάρχει",
                                               "the destination's folder '%1' does not exist"};
inline constexpr Bilingual DestinationIsFolder{"ο προορισμός «%1» είναι φάκελλος",
                                               "the destination '%1' is a folder"};
inline constexpr Bilingual ArchiveKept{"η ιδιότητα «Προς φύλαξη» παρέμεινε, διότι το αρχείο δεν αντιγράφηκε",
                                       "the Archive attribute was kept, because the file was not copied"};
inline constexpr Bilingual ArchiveNotCleared{"η ιδιότητα «Προς φύλαξη» δεν άλλαξε: %1",
                                             "the Archive attribute was not changed: %1"};
inline constexpr Bilingual MoreFailures{"και άλλα %1.", "and %1 more."};

// The progress line in the main window.
inline constexpr Bilingual Progress{"Αποθήκευση %1 από %2: %3", "Saving %1 of %2: %3"};

} // namespace RootBackupTexts
