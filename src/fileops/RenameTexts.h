#pragma once

#include "platform/Bilingual.h"

// Rename, new folder and new text file.
namespace RenameTexts {

inline constexpr Bilingual RenameTitle{"Μετονομασία", "Rename"};
// After the item's name and an empty line.
inline constexpr Bilingual RenamePrompt{
    "Γράψτε το νέο όνομα και πατήστε το «ΟΚ», ή πατήστε το «Cancel» («Άκυρο») για να ακυρώσετε τη διαδικασία της "
    "μετονομασίας.",
    "Enter the new name and click 'OK', or click 'Cancel' to cancel the rename process."};
// Head + path + Tail.
inline constexpr Bilingual ReadOnlyHead{"Είστε βέβαιοι ότι θέλετε να μετονομάσετε το στοιχείο «",
                                        "Are you sure you want to rename item '"};
inline constexpr Bilingual ReadOnlyTail{"», το οποίο είναι μόνο για ανάγνωση;", "', which is read-only?"};

inline constexpr Bilingual NewFolderTitle{"Δημιουργία νέου φακέλλου", "Create new folder"};
inline constexpr Bilingual NewFolderPrompt{
    "Γράψτε το όνομα του νέου φακέλλου και πατήστε το «ΟΚ», ή πατήστε το «Cancel» («Άκυρο») για να ακυρώσετε τη "
    "δημιουργία ενός νέου φακέλλου.",
    "Enter the name of the new folder and click 'OK', or click 'Cancel' to cancel the creation of a new folder."};

inline constexpr Bilingual NewTextFileTitle{"Δημιουργία νέου αρχείου κειμένου", "Create new text file"};
// First paragraph, an empty line, second paragraph. The Greek extension is written
// with the Greek capitals Tau, Chi, Tau.
inline constexpr Bilingual NewTextFilePrompt{
    "Γράψτε το όνομα του νέου αρχείου κειμένου και πατήστε το «ΟΚ», ή πατήστε το «Cancel» («Άκυρο») για να "
    "ακυρώσετε τη δημιουργία ενός νέου αρχείου κειμένου.",
    "Enter the name of the new text file and click 'OK', or click 'Cancel' to cancel the creation of a new text "
    "file."};
inline constexpr Bilingual NewTextFileExtensionNote{
    "Αν στο όνομα του νέου αρχείου κειμένου δεν συμπεριλάβετε την επέκταση «.ΤΧΤ», αυτή προστίθεται αυτομάτως.",
    "If you don't include the '.TXT' extension in the name of the new text file, it will be appended "
    "automatically."};

// Head + new name + Tail.
inline constexpr Bilingual NameInUseHead{"Δεν επιτρέπεται η χρήση του ονόματος «", "The name '"};
inline constexpr Bilingual NameInUseTail{"», διότι υπάρχει ήδη φάκελλος ή αρχείο με αυτό το όνομα.",
                                         "' cannot be used because there is already a folder or file with that name."};

// A typed name that would reach outside the current folder.
inline constexpr Bilingual NameHasSlash{
    "Ένα όνομα δεν μπορεί να περιέχει την κάθετο «/», η οποία χωρίζει τους φακέλλους μιας διαδρομής. Γράψτε ένα "
    "όνομα χωρίς αυτήν.",
    "A name cannot contain the slash '/', which separates the folders of a path. Enter a name without it."};
inline constexpr Bilingual NameHasNul{"Ένα όνομα δεν μπορεί να περιέχει τον χαρακτήρα NUL. Γράψτε ένα άλλο όνομα.",
                                      "A name cannot contain the NUL character. Enter another name."};
inline constexpr Bilingual NameIsDot{
    "Τα ονόματα «.» και «..» σημαίνουν τον τρέχοντα φάκελλο και τον φάκελλο που τον περιέχει, και δεν μπορούν να "
    "δοθούν σε στοιχείο. Γράψτε ένα άλλο όνομα.",
    "The names '.' and '..' stand for the current folder and the folder that holds it, and cannot be given to an "
    "item. Enter another name."};

// frmRename.
inline constexpr Bilingual Instructions{
    "Γράψτε το νέο όνομα και πατήστε το «Μετονομασία», αν θέλετε να μετονομάσετε το στοιχείο.",
    "Enter the new name and click 'Rename', if you want to rename the item."};
inline constexpr Bilingual RenameButton{"Μετονομασία", "Rename"};
inline constexpr Bilingual NextButton{"Επόμενο", "Next"};
inline constexpr Bilingual EnoughButton{"Αρκετά", "Enough"};

} // namespace RenameTexts
