#include "platform/SystemErrorTexts.h"

#include <cerrno>

Bilingual systemErrorText(int err)
{
    switch (err) {
    case ENOENT:
        return {"το στοιχείο δεν υπάρχει (ίσως μετακινήθηκε ή διαγράφηκε)",
                "the item does not exist (it may have been moved or deleted)"};
    case EACCES:
        return {"δεν υπάρχει άδεια προσβάσεως", "permission denied"};
    case EPERM:
        return {"η ενέργεια δεν επιτρέπεται", "the operation is not allowed"};
    case ENOSPC:
        return {"ο δίσκος είναι γεμάτος", "the disk is full"};
    case EDQUOT:
        return {"ο χώρος που σας αναλογεί στον δίσκο εξαντλήθηκε", "your share of the disk is used up"};
    case EROFS:
        return {"ο δίσκος επιτρέπει μόνο ανάγνωση", "the disk is read-only"};
    case EEXIST:
        return {"υπάρχει ήδη στοιχείο με αυτό το όνομα", "an item with that name exists already"};
    case ENOTEMPTY:
        return {"ο φάκελλος δεν είναι κενός", "the folder is not empty"};
    case EXDEV:
        return {"τα στοιχεία βρίσκονται σε διαφορετικούς δίσκους", "the items are on different disks"};
    case EBUSY:
        return {"το στοιχείο χρησιμοποιείται (ίσως είναι σημείο προσαρτήσεως δίσκου)",
                "the item is in use (it may be where a disk is mounted)"};
    case ENAMETOOLONG:
        return {"το όνομα ή η διαδρομή είναι πολύ μεγάλα", "the name or the path is too long"};
    case ELOOP:
        return {"πάρα πολλοί συμβολικοί σύνδεσμοι στη διαδρομή (ίσως σύνδεσμος που δείχνει στον εαυτό του)",
                "too many symbolic links in the path (perhaps a link that leads to itself)"};
    case EIO:
        return {"σφάλμα εισόδου/εξόδου του δίσκου", "the disk reported an input/output error"};
    case EINVAL:
        return {"ο δίσκος ή το σύστημα δεν δέχεται αυτή την ενέργεια", "the disk or the system does not accept this operation"};
    default:
        return {nullptr, nullptr};
    }
}
