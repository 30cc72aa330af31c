#pragma once

#include "platform/Bilingual.h"

#include <array>

// Captions of the operation options dialog, Greek first.
namespace OptionsTexts {

inline constexpr Bilingual Title{"Επιλογές", "Options"};
inline constexpr Bilingual cmdOK{"OK", "OK"};
inline constexpr Bilingual cmdCancel{"Άκυρο", "Cancel"};

// Page captions carry a blank on each side; the Backup page's caption is replaced
// by the step caption below as soon as the dialog is laid out.
inline constexpr std::array<Bilingual, 5> sstOptions{{
    {" Διαγραφή ", " Delete "},
    {" Αντιγραφή ", " Copy "},
    {" Μετακίνηση ", " Move "},
    {" Αποθήκευση: Βήμα 1 από 3. ", " Backup: Step 1 of 3. "},
    {" Εύρεση ", " Find "},
}};
inline constexpr std::array<Bilingual, 3> sstBackupOptions{{
    {" 1o Βήμα ", " 1st Step "},
    {" 2o Βήμα ", " 2nd Step "},
    {" 3o Βήμα ", " 3rd Step "},
}};
inline constexpr Bilingual BackupStepPrefix{"Αποθήκευση: Βήμα ", "Backup: Step "};
inline constexpr std::array<Bilingual, 3> BackupStepOfThree{{
    {"1 από 3.", "1 of 3."},
    {"2 από 3.", "2 of 3."},
    {"3 από 3.", "3 of 3."},
}};
// The Backup page's caption for each step: a blank, the prefix, the step, a blank.
inline constexpr std::array<Bilingual, 3> BackupPageCaptions{{
    {" Αποθήκευση: Βήμα 1 από 3. ", " Backup: Step 1 of 3. "},
    {" Αποθήκευση: Βήμα 2 από 3. ", " Backup: Step 2 of 3. "},
    {" Αποθήκευση: Βήμα 3 από 3. ", " Backup: Step 3 of 3. "},
}};

inline constexpr Bilingual fraDeleteOptions{" Οι φάκελλοι ή/και τα αρχεία που διαγράφω ... ", " The folders and/or files I delete ... "};
inline constexpr std::array<Bilingual, 4> optDeleteOptions{{
    {"... να αποστέλλονται στον κάδο ανακυκλώσεως, αφού πρώτα ερωτηθώ.", "... are to be sent to the recycle bin, after asking me first."},
    {"... να αποστέλλονται στον κάδο ανακυκλώσεως, ΧΩΡΙΣ να ερωτηθώ.", "... are to be sent to the recycle bin, WITHOUT asking me first."},
    {"... να διαγράφονται οριστικώς, αφού πρώτα ερωτηθώ.", "... are to be permanently deleted, after asking me first."},
    {"... να διαγράφονται οριστικώς, ΧΩΡΙΣ να ερωτηθώ.", "... are to be permanently deleted, WITHOUT asking me first."},
}};

inline constexpr Bilingual fraCopyOptions{" Όταν αντιγράφω φακέλλους ή/και αρχεία ... ", " When I copy folders and/or files ... "};
inline constexpr std::array<Bilingual, 2> optCopyOptions{{
    {"... η διαδικασία της αντιγραφής να αρχίζει, αφού πρώτα ερωτηθώ.", "... start the copy process, after asking me first."},
    {"... η διαδικασία της αντιγραφής να αρχίζει, ΧΩΡΙΣ να ερωτηθώ.", "... start the copy process, WITHOUT asking me first."},
}};
inline constexpr Bilingual lblCopyOptions{"Επιπλέον, όταν ονόματα φακέλλων ή/και αρχείων που αντιγράφω, ταυτίζονται με ονόματα φακέλλων ή/και αρχείων του προορισμού, τότε ΧΩΡΙΣ να ερωτηθώ ...", "Furthermore, when names of folders and/or files I copy, are the same with names of folders and/or files of the target, then WITHOUT asking me first ..."};
inline constexpr std::array<Bilingual, 2> chkCopyOptions{{
    {"... οι φάκελλοι ή/και τα αρχεία του προορισμού, να αντικαθίστανται από αυτά που αντιγράφω.", "... replace the folders and/or files of the target, with the ones I copy."},
    {"... οι φάκελλοι ή/και τα αρχεία που αντιγράφω, να μετονομάζονται πριν αντιγραφούν στον προορισμό.", "... rename the folders and/or files I copy, before copying them to the target."},
}};

inline constexpr Bilingual fraMoveOptions{" Όταν μετακινώ φακέλλους ή/και αρχεία ... ", " When I move folders and/or files ... "};
inline constexpr std::array<Bilingual, 2> optMoveOptions{{
    {"... η διαδικασία της μετακινήσεως να αρχίζει, αφού πρώτα ερωτηθώ.", "... start the move process, after asking me first."},
    {"... η διαδικασία της μετακινήσεως να αρχίζει, ΧΩΡΙΣ να ερωτηθώ.", "... start the move process, WITHOUT asking me first."},
}};
inline constexpr Bilingual lblMoveOptions{"Επιπλέον, όταν ονόματα φακέλλων ή/και αρχείων που μετακινώ, ταυτίζονται με ονόματα φακέλλων ή/και αρχείων του προορισμού, τότε ΧΩΡΙΣ να ερωτηθώ ...", "Furthermore, when names of folders and/or files I move, are the same with names of folders and/or files of the target, then WITHOUT asking me first ..."};
inline constexpr std::array<Bilingual, 2> chkMoveOptions{{
    {"... οι φάκελλοι ή/και τα αρχεία του προορισμού, να αντικαθίστανται από αυτά που μετακινώ.", "... replace the folders and/or files of the target, with the ones I move."},
    {"... οι φάκελλοι ή/και τα αρχεία που μετακινώ, να μετονομάζονται πριν μετακινηθούν στον προορισμό.", "... rename the folders and/or files I move, before moving them to the taget."},
}};

inline constexpr Bilingual fraBackupOptions1{" Όταν αποθηκεύω φάκελλο ή αρχείο ... ", " When I backup a folder or a file ..."};
inline constexpr std::array<Bilingual, 2> optBackupVerification{{
    {"... η διαδικασία της αποθηκεύσεως να αρχίζει, αφού πρώτα ερωτηθώ.", "... start the backup process, after asking me first."},
    {"... η διαδικασία της αποθηκεύσεως να αρχίζει, ΧΩΡΙΣ να ερωτηθώ.", "... start the backup process, WITHOUT asking me first."},
}};
inline constexpr Bilingual chkQueryForNewNameBefore{"Να έχω τη δυνατότητα να αλλάξω (στην πηγή), αν θέλω, το όνομα του πηγαίου φακέλλου ή αρχείου που αποθηκεύω, ΠΡΙΝ αρχίσει η αποθήκευσή του στον προορισμό.", "I must have the option of changing (on the source), if I want to, the name of the folder or file I am backing up, BEFORE backup commences."};
inline constexpr Bilingual chkQueryForNewNameAfter{"Να έχω τη δυνατότητα να αλλάξω (στον προορισμό), αν θέλω, το όνομα του πηγαίου φακέλλου ή αρχείου που αποθηκεύω, ΑΦΟΥ ολοκληρωθεί η αποθήκευσή του στον προορισμό.", "I must have the option of changing (on the target), if I want to, the name of the folder or file I am backing up, AFTER backup completes."};
inline constexpr Bilingual chkQueryIfNotFound{"Να έχω τη δυνατότητα να ακυρώσω τη διαδικασία της αποθηκεύσεως, αν ο φάκελλος ή το αρχείο που αποθηκεύω ΔΕΝ υπάρχει στον προορισμό.", "I must have the option of cancelling the backup process, if the folder or file I backup does NOT exist on the target."};
inline constexpr Bilingual lblTargetFolder{"Αν το όνομα του φακέλλου ή του αρχείου που αποθηκεύω, ταυτίζεται με το όνομα φακέλλου ή αρχείου του προορισμού, πριν αρχίσει η διαδικασία της αποθηκεύσεως, ο φάκελλος ή το αρχείο ...", "When the name of the folder or file I backup, is the same with the name of a folder and or file of the target, then the folder or file ..."};
inline constexpr std::array<Bilingual, 6> chkTargetFolder{{
    {"... του προορισμού, να αποστέλλεται στον κάδο ανακυκλώσεως, αφού πρώτα ερωτηθώ.", "... of the target, must be sent to the recycle bin, after asking me first."},
    {"... του προορισμού, να αποστέλλεται στον κάδο ανακυκλώσεως, ΧΩΡΙΣ να ερωτηθώ.", "... of the target, must be sent to the recycle bin, WITHOUT asking me first."},
    {"... του προορισμού, να διαγράφεται οριστικώς, αφού πρώτα ερωτηθώ.", "... of the target, must be permanently deleted, after asking me first."},
    {"... του προορισμού, να διαγράφεται οριστικώς, ΧΩΡΙΣ να ερωτηθώ.", "... of the target, must be permanently deleted, WITHOUT asking me first."},
    {"... του προορισμού, να αντικαθίσταται από αυτό που αποθηκεύω, ΧΩΡΙΣ να ερωτηθώ.", "... of the target, must be replaced with the one I backup, WITHOUT asking me first."},
    {"... που αποθηκεύω, να μετονομάζεται πριν αποθηκευθεί στον προορισμό, ΧΩΡΙΣ να ερωτηθώ.", "... I backup, must be renamed before being copied to the target, WITHOUT asking me first."},
}};
inline constexpr Bilingual lblSourceFolder{"Μόλις ολοκληρωθεί η αποθήκευση του φακέλλου ή του αρχείου, ο πηγαίος φάκελλος ή αρχείο ...", "When the backup process is completed, the source folder or file ..."};
inline constexpr std::array<Bilingual, 5> chkSourceFolder{{
    {"... να αποστέλλεται στον κάδο ανακυκλώσεως, αφού πρώτα ερωτηθώ.", "... must be sent to the recycle bin, after asking me first."},
    {"... να αποστέλλεται στον κάδο ανακυκλώσεως, ΧΩΡΙΣ να ερωτηθώ.", "... must be sent to the recycle bin, WITHOUT asking me first."},
    {"... να διαγράφεται οριστικώς, αφού πρώτα ερωτηθώ.", "... must be permanently deleted, after asking me first."},
    {"... να διαγράφεται οριστικώς, ΧΩΡΙΣ να ερωτηθώ.", "... must be permanently deleted, WITHOUT asking me first."},
    {"... να σημανθεί ως στοιχείο το οποίο δεν χρειάζεται αποθήκευση.", "... must be marked as having being backed up."},
}};

inline constexpr Bilingual fraFindStart{" Η «Εύρεση» πρέπει να αρχίζει ... ", " 'Find' must start from ... "};
inline constexpr std::array<Bilingual, 3> optFindStart{{
    {"... από την κορυφή του τρέχοντος δίσκου.", "... the root directory of the current disk."},
    {"... από τον τρέχοντα κατάλογο.", "... the current directory."},
    {"... από το σημείο που θα ορίσω εγώ.", "... the point I will choose."},
}};
inline constexpr Bilingual fraFindWindow{" Το πλαίσιο διαλόγου της «Ευρέσεως» πρέπει να εμφανίζεται ... ", " The 'Find' dialog box must be displayed ... "};
inline constexpr std::array<Bilingual, 2> optFindWindow{{
    {"... με το κανονικό του μέγεθος.", "... in its normal size."},
    {"... μεγιστοποιημένο.", "... maximized."},
}};

inline constexpr Bilingual chkShowOptions{"Πριν αρχίσει η διαγραφή, η αντιγραφή, η μετακίνηση, η αποθήκευση ή η εύρεση, θέλω να εμφανίζεται αυτή η οθόνη.", "I want this form to be displayed before any delete, copy, move, backup or find process commences."};
inline constexpr Bilingual chkSelectTargetFolder{"Κατά την αντιγραφή, την μετακίνηση ή την αποθήκευση, θέλω να έχω την δυνατότητα να επιλέγω τον προορισμό, μέσα από τις αποθηκευμένες διαδρομές.", "While copying, moving or backing-up, I want to have the opportunity of selecting the target from within the saved paths."};

} // namespace OptionsTexts
