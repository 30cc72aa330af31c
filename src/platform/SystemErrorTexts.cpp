#include "platform/SystemErrorTexts.h"

#include <cerrno>

Bilingual systemErrorText(int err)
{
    switch (err) {
    case ENOENT:
        return {"Το αρχείο ή ο φάκελλος δεν υπάρχει", "No such file or folder"};
    case EACCES:
        return {"Δεν επιτρέπεται η πρόσβαση", "Permission denied"};
    case EPERM:
        return {"Η ενέργεια δεν επιτρέπεται", "Operation not permitted"};
    case ENOSPC:
        return {"Δεν υπάρχει ελεύθερος χώρος στον δίσκο", "No space left on the disk"};
    case EDQUOT:
        return {"Εξαντλήθηκε το όριο χώρου του χρήστη στον δίσκο", "Disk quota exceeded"};
    case EROFS:
        return {"Ο δίσκος είναι μόνο για ανάγνωση", "The disk is read-only"};
    case EEXIST:
        return {"Το αρχείο ή ο φάκελλος υπάρχει ήδη", "The file or folder already exists"};
    case ENOTEMPTY:
        return {"Ο φάκελλος δεν είναι κενός", "The folder is not empty"};
    case EXDEV:
        return {"Η μετακίνηση μεταξύ διαφορετικών δίσκων δεν γίνεται με μετονομασία",
                "A move between different disks cannot be done by renaming"};
    case EBUSY:
        return {"Η συσκευή ή ο πόρος είναι απασχολημένος", "Device or resource busy"};
    case ENAMETOOLONG:
        return {"Το όνομα είναι πολύ μεγάλο", "The name is too long"};
    case ELOOP:
        return {"Πάρα πολλά επίπεδα συμβολικών συνδέσμων", "Too many levels of symbolic links"};
    case EIO:
        return {"Σφάλμα εισόδου/εξόδου", "Input/output error"};
    case EINVAL:
        return {"Μη έγκυρη παράμετρος", "Invalid argument"};
    default:
        return {nullptr, nullptr};
    }
}
