#pragma once

#include "platform/Bilingual.h"

// The texts of the Find command and its window.
namespace FindTexts {

// The folder browser's prompt when the start point is chosen each time.
inline constexpr Bilingual StartPointPrompt{
    "Επιλέξτε το σημείο από το οποίο θα αρχίσει η "
    "εύρεση και πατήστε το «ΟΚ», ή πατήστε το «Άκυρο» "
    "για να ακυρώσετε τη διαδικασία της ευρέσεως.",
    "Select the point from which find will start "
    "and click 'OK', or click 'Cancel' to cancel the "
    "find process."};

// The window role (X11 WM_WINDOW_ROLE) by which window managers remember where the
// Find window was; the shell verb the command stands for.
inline constexpr const char *WindowRole = "find";

inline constexpr Bilingual Caption{"Εύρεση", "Find"};
inline constexpr Bilingual NamePattern{"Όνομα (π.χ. *.txt):", "Name (e.g. *.txt):"};
inline constexpr Bilingual StartFolder{"Αναζήτηση στο φάκελλο:", "Look in folder:"};
inline constexpr Bilingual Browse{"Αναζήτηση...", "Browse..."};
inline constexpr Bilingual SubFolders{"Και στους υπο-φακέλλους", "Include sub-folders"};
inline constexpr Bilingual ContainedText{"Περιέχει το κείμενο:", "Containing text:"};
inline constexpr Bilingual ModifiedFrom{"Τροποποιήθηκε από:", "Modified from:"};
inline constexpr Bilingual ModifiedTo{"έως:", "to:"};
inline constexpr Bilingual Kind{" Αναζήτηση για ", " Look for "};
inline constexpr Bilingual KindFolders{"Φακέλλους", "Folders"};
inline constexpr Bilingual KindFiles{"Αρχεία", "Files"};
inline constexpr Bilingual KindBoth{"Φακέλλους και αρχεία", "Folders and files"};
inline constexpr Bilingual FindButton{"Εύρεση", "Find"};
inline constexpr Bilingual StopButton{"Διακοπή", "Stop"};
inline constexpr Bilingual CloseButton{"Κλείσιμο", "Close"};

inline constexpr Bilingual TipNamePattern{"Το όνομα που αναζητάτε· το «*» σημαίνει οποιουσδήποτε χαρακτήρες και το «?» έναν χαρακτήρα",
                                          "The name to look for; \"*\" stands for any characters and \"?\" for one"};
inline constexpr Bilingual TipStartFolder{"Ο φάκελλος από τον οποίο αρχίζει η εύρεση",
                                          "The folder in which the search starts"};
inline constexpr Bilingual TipText{"Προαιρετικά, ένα κείμενο που πρέπει να περιέχουν τα αρχεία",
                                   "Optionally, a text the files must contain"};
inline constexpr Bilingual TipFind{"Αρχίζει την εύρεση", "Starts the search"};
inline constexpr Bilingual TipStop{"Σταματά την εύρεση· όσα βρέθηκαν μένουν στη λίστα",
                                   "Stops the search; what was found stays in the list"};
inline constexpr Bilingual TipResults{"Διπλό κλικ σε ένα στοιχείο το δείχνει στο φάκελλό του",
                                      "Double-click an item to show it in its folder"};

// Result-list column captions.
inline constexpr Bilingual ColumnName{"Όνομα", "Name"};
inline constexpr Bilingual ColumnFolder{"Φάκελλος", "Folder"};
inline constexpr Bilingual ColumnSize{"Μέγεθος", "Size"};
inline constexpr Bilingual ColumnModified{"Χρονολογία και ώρα", "Date and time"};
inline constexpr Bilingual ColumnAttributes{"Ιδιότητες", "Attributes"};

// The status line: the moving count and the folder being read.
inline constexpr Bilingual Found{"Βρέθηκαν: ", "Found: "};
inline constexpr Bilingual Reading{"Ανάγνωση: ", "Reading: "};
inline constexpr Bilingual Stopped{" (η εύρεση διακόπηκε)", " (search stopped)"};
inline constexpr Bilingual Done{" (η εύρεση ολοκληρώθηκε)", " (search complete)"};

// The item menu of the result list.
inline constexpr Bilingual MenuShowInFolder{"Εμφάνιση στο φάκελλο", "Show in folder"};
inline constexpr Bilingual MenuOpen{"Άνοιγμα", "Open"};
inline constexpr Bilingual MenuPrint{"Εκτύπωση", "Print"};
inline constexpr Bilingual MenuQuickView{"Γρήγορη προβολή", "Quick view"};
inline constexpr Bilingual MenuProperties{"Ιδιότητες", "Properties"};
inline constexpr Bilingual MenuHelp{"Βοήθεια", "Help"};

// Bad input and the end of a search.
inline constexpr Bilingual BlankPattern{
    "Το όνομα που αναζητάτε αποτελείται μόνο από κενά. Γράψτε ένα όνομα, ή αφήστε το πεδίο άδειο για να βρεθούν όλα τα ονόματα.",
    "The name to look for holds only blanks. Type a name, or leave the box empty to find every name."};
inline constexpr Bilingual DateRangeReversed{
    "Η τελική χρονολογία είναι πριν από την αρχική. Διορθώστε το διάστημα των χρονολογιών.",
    "The end date is before the start date. Please correct the date range."};
inline constexpr Bilingual StartFolderMissing{
    "Ο φάκελλος από τον οποίο θα αρχίσει η εύρεση δεν υπάρχει (πια):",
    "The folder in which the search should start does not exist (any more):"};
inline constexpr Bilingual StartFolderUnreadable{
    "Ο φάκελλος από τον οποίο θα αρχίσει η εύρεση δεν μπορεί να διαβαστεί:",
    "The folder in which the search should start cannot be read:"};
inline constexpr Bilingual UnreadableFolders{
    "Οι παρακάτω φάκελλοι δεν μπόρεσαν να διαβαστούν και η εύρεση τους παρέλειψε:",
    "The following folders could not be read and were left out of the search:"};
inline constexpr Bilingual VanishedFolder{" (δεν υπάρχει πια)", " (no longer exists)"};
inline constexpr Bilingual NoAccess{" (δεν επιτρέπεται η πρόσβαση)", " (access denied)"};
inline constexpr Bilingual MoreFolders{"... και άλλοι ", "... and more: "};
inline constexpr Bilingual TextLongerThanFiles{
    "Δεν βρέθηκε τίποτε: το κείμενο που αναζητάτε είναι μεγαλύτερο από κάθε αρχείο που εξετάστηκε.",
    "Nothing was found: the text to find is longer than every file that was examined."};
inline constexpr Bilingual NothingFound{"Δεν βρέθηκε κανένα στοιχείο.", "No item was found."};
inline constexpr Bilingual NotMonitored{
    "Κατά την παρακολούθηση μπορούν να εμφανιστούν μόνο στοιχεία των παρακολουθούμενων φακέλλων. "
    "Ο φάκελλος αυτού του στοιχείου δεν είναι ένας από αυτούς:",
    "While monitoring, only items of the monitored folders can be shown. "
    "This item's folder is not one of them:"};
inline constexpr Bilingual ItemGone{
    "Το στοιχείο δεν βρίσκεται πια στο φάκελλό του (ίσως μετονομάστηκε, μετακινήθηκε ή διαγράφηκε):",
    "The item is no longer in its folder (it may have been renamed, moved or deleted):"};

} // namespace FindTexts
