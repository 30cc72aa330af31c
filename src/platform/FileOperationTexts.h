#pragma once

#include "platform/Bilingual.h"

// Texts of the copy, move and delete service: its questions, messages and progress
// window. "%1", "%2", ... are filled in with QString::arg in a single pass.
namespace FileOperationTexts {

inline constexpr Bilingual CopyTitle{"Αντιγραφή", "Copy"};
inline constexpr Bilingual MoveTitle{"Μετακίνηση", "Move"};
inline constexpr Bilingual DeleteTitle{"Διαγραφή", "Delete"};
inline constexpr Bilingual TrashTitle{"Αποστολή στον κάδο ανακυκλώσεως", "Sending to the recycle bin"};

inline constexpr Bilingual ConfirmTrashOne{
    "Θέλετε πράγματι να αποστείλετε το στοιχείο «%1» στον κάδο ανακυκλώσεως;",
    "Is it certain that you want to send the item '%1' to the recycle bin?"};
inline constexpr Bilingual ConfirmTrashMany{
    "Θέλετε πράγματι να αποστείλετε τα %1 επιλεγμένα στοιχεία στον κάδο ανακυκλώσεως;",
    "Is it certain that you want to send the %1 selected items to the recycle bin?"};
inline constexpr Bilingual ConfirmDeleteOne{
    "Θέλετε πράγματι να διαγράψετε οριστικά το στοιχείο «%1»;\r\n\r\nΗ διαγραφή δεν αναιρείται.",
    "Is it certain that you want to delete the item '%1' for good?\r\n\r\nThe deletion cannot be undone."};
inline constexpr Bilingual ConfirmDeleteMany{
    "Θέλετε πράγματι να διαγράψετε οριστικά τα %1 επιλεγμένα στοιχεία;\r\n\r\nΗ διαγραφή δεν αναιρείται.",
    "Is it certain that you want to delete the %1 selected items for good?\r\n\r\nThe deletion cannot be undone."};
inline constexpr Bilingual NoTrashQuestion{
    "Τα παρακάτω στοιχεία (%1) δεν μπορούν να αποσταλούν στον κάδο ανακυκλώσεως, διότι ο δίσκος "
    "στον οποίο βρίσκονται δεν έχει κάδο ανακυκλώσεως:\r\n\r\n%2\r\n\r\n"
    "Θέλετε να διαγραφούν οριστικά; Η διαγραφή δεν αναιρείται.",
    "The following items (%1) cannot be sent to the recycle bin because the disk they are on has "
    "no recycle bin:\r\n\r\n%2\r\n\r\nDo you want to delete them for good? The deletion cannot be undone."};
inline constexpr Bilingual AndMore{"... και %1 ακόμη", "... and %1 more"};

inline constexpr Bilingual ReplaceFile{
    "Ο φάκελλος «%1» περιέχει ήδη στοιχείο με το όνομα «%2».\r\n\r\nΥπάρχον: %3\r\nΝέο: %4\r\n\r\n"
    "Θέλετε να αντικατασταθεί το υπάρχον στοιχείο από το νέο;",
    "The folder '%1' already holds an item named '%2'.\r\n\r\nExisting: %3\r\nNew: %4\r\n\r\n"
    "Do you want to replace the existing item with the new one?"};
inline constexpr Bilingual MergeFolder{
    "Ο φάκελλος «%1» περιέχει ήδη φάκελλο με το όνομα «%2».\r\n\r\nΥπάρχων: %3\r\nΝέος: %4\r\n\r\n"
    "Θέλετε να συγχωνευθούν οι δύο φάκελλοι; Για κάθε αρχείο με το ίδιο όνομα θα ερωτηθείτε χωριστά.",
    "The folder '%1' already holds a folder named '%2'.\r\n\r\nExisting: %3\r\nNew: %4\r\n\r\n"
    "Do you want to merge the two folders? You will be asked about each file of the same name."};
inline constexpr Bilingual FileDescription{"%1, %2 byte, %3", "%1, %2 bytes, %3"};
inline constexpr Bilingual FolderDescription{"%1, φάκελλος, %2", "%1, folder, %2"};

inline constexpr Bilingual CopyFailed{"Η αντιγραφή του στοιχείου «%1» δεν ήταν δυνατή.",
                                      "The item '%1' could not be copied."};
inline constexpr Bilingual MoveFailed{"Η μετακίνηση του στοιχείου «%1» δεν ήταν δυνατή.",
                                      "The item '%1' could not be moved."};
inline constexpr Bilingual DeleteFailed{"Η διαγραφή του στοιχείου «%1» δεν ήταν δυνατή.",
                                        "The item '%1' could not be deleted."};
inline constexpr Bilingual TrashFailed{"Η αποστολή του στοιχείου «%1» στον κάδο ανακυκλώσεως δεν ήταν δυνατή.",
                                       "The item '%1' could not be sent to the recycle bin."};
inline constexpr Bilingual ErrorCause{"Αιτία: %1", "Reason: %1"};
inline constexpr Bilingual RetrySkipCancel{
    "Πατήστε «Επανάληψη» για να ξαναδοκιμάσετε, «Παράλειψη» για να συνεχίσετε με τα υπόλοιπα στοιχεία, "
    "ή «Άκυρο» για να σταματήσετε τη διαδικασία.",
    "Click 'Retry' to try again, 'Skip' to go on with the other items, or 'Cancel' to stop."};

inline constexpr Bilingual NoSuchItem{"το στοιχείο δεν υπάρχει (ίσως μετακινήθηκε ή διαγράφηκε)",
                                      "the item does not exist (it may have been moved or deleted)"};
inline constexpr Bilingual NoPermission{"δεν υπάρχει άδεια προσβάσεως", "permission denied"};
inline constexpr Bilingual DiskFull{"ο δίσκος είναι γεμάτος", "the disk is full"};
inline constexpr Bilingual NameTooLong{"το όνομα είναι πολύ μεγάλο", "the name is too long"};
inline constexpr Bilingual ReadOnlyDisk{"ο δίσκος επιτρέπει μόνο ανάγνωση", "the disk is read-only"};
inline constexpr Bilingual NameInUse{"υπάρχει ήδη στοιχείο με αυτό το όνομα", "an item with that name exists already"};
inline constexpr Bilingual IsMountPoint{"είναι σημείο προσαρτήσεως άλλου δίσκου", "it is where another disk is mounted"};
inline constexpr Bilingual ChangedWhileCopied{
    "το αρχείο άλλαξε όσο αντιγραφόταν· το αντίγραφο δεν κρατήθηκε και το αρχικό έμεινε στη θέση του",
    "the file changed while it was being copied; the copy was not kept and the original stayed where it was"};
inline constexpr Bilingual OtherSystemError{"σφάλμα συστήματος με αριθμό %1", "system error number %1"};
inline constexpr Bilingual ReadError{"σφάλμα αναγνώσεως του δίσκου", "the disk could not be read"};

inline constexpr Bilingual IntoItselfCopy{
    "Ο φάκελλος «%1» δεν μπορεί να αντιγραφεί μέσα στον εαυτό του ή σε υποφάκελλό του («%2»).",
    "The folder '%1' cannot be copied into itself or into one of its sub-folders ('%2')."};
inline constexpr Bilingual IntoItselfMove{
    "Ο φάκελλος «%1» δεν μπορεί να μετακινηθεί μέσα στον εαυτό του ή σε υποφάκελλό του («%2»).",
    "The folder '%1' cannot be moved into itself or into one of its sub-folders ('%2')."};
inline constexpr Bilingual OntoItself{
    "Το στοιχείο «%1» είναι το ίδιο με το «%2» και δεν μπορεί να αντικαταστήσει τον εαυτό του.",
    "The item '%1' is the same as '%2' and cannot replace itself."};
inline constexpr Bilingual AlreadyThere{"Το στοιχείο «%1» βρίσκεται ήδη στον φάκελλο «%2».",
                                        "The item '%1' is already in the folder '%2'."};
inline constexpr Bilingual KindMismatch{
    "Το στοιχείο «%1» δεν μπορεί να αντικαταστήσει το «%2», διότι το ένα είναι φάκελλος και το άλλο όχι.",
    "The item '%1' cannot replace '%2' because one of them is a folder and the other is not."};
inline constexpr Bilingual TargetMissing{"Ο φάκελλος προορισμού «%1» δεν υπάρχει.",
                                         "The target folder '%1' does not exist."};
inline constexpr Bilingual TargetNotFolder{"Ο προορισμός «%1» δεν είναι φάκελλος.", "The target '%1' is not a folder."};
inline constexpr Bilingual NotFullPath{"Το «%1» δεν είναι πλήρης διαδρομή στοιχείου.",
                                       "'%1' is not the full path of an item."};

inline constexpr Bilingual NotNormalPath{
    "Η διαδρομή «%1» περιέχει «.», «..» ή «//» και δεν δείχνει με βεβαιότητα ένα στοιχείο· δεν έγινε καμία ενέργεια.",
    "The path '%1' holds '.', '..' or '//' and does not name one item for certain; nothing was done."};
inline constexpr Bilingual RefuseRoot{
    "Το στοιχείο «%1» είναι ο αρχικός φάκελλος του συστήματος και δεν μπορεί να διαγραφεί ή να μετακινηθεί.",
    "The item '%1' is the root folder of the system and cannot be deleted or moved away."};
inline constexpr Bilingual RefuseProtected{
    "Το στοιχείο «%1» είναι ο προσωπικός φάκελλος του χρήστη, ο φάκελλος δεδομένων του προγράμματος "
    "ή φάκελλος που τους περιέχει, και δεν μπορεί να διαγραφεί ή να μετακινηθεί.",
    "The item '%1' is the home folder, the program's data folder or a folder holding one of them, "
    "and cannot be deleted or moved away."};
inline constexpr Bilingual RefuseMountPoint{
    "Το στοιχείο «%1» είναι σημείο προσαρτήσεως δίσκου και δεν μπορεί να διαγραφεί ή να μετακινηθεί.",
    "The item '%1' is where a disk is mounted and cannot be deleted or moved away."};

inline constexpr Bilingual AlreadyInTrash{
    "Το στοιχείο «%1» βρίσκεται ήδη στον κάδο ανακυκλώσεως.", "The item '%1' is in the recycle bin already."};

inline constexpr Bilingual ProgressItems{"Στοιχεία: %1 από %2", "Items: %1 of %2"};
inline constexpr Bilingual ProgressBytes{"Byte: %1 από %2", "Bytes: %1 of %2"};
inline constexpr Bilingual ProgressCurrent{"Τρέχον στοιχείο: %1", "Current item: %1"};
inline constexpr Bilingual ProgressCancel{"Άκυρο", "Cancel"};
inline constexpr Bilingual ProgressCancelling{"Γίνεται διακοπή...", "Stopping..."};

} // namespace FileOperationTexts
