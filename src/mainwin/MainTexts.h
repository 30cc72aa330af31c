#pragma once

#include "platform/Bilingual.h"

// Captions, tooltips and messages of the main window.
namespace MainTexts {

// Tooltips of the buttons.
inline constexpr Bilingual TipPropertyRestrictions{"Περιορισμοί ιδιοτήτων", "Property restrictions"};
inline constexpr Bilingual TipUpOneLevel{"Ένα επίπεδο επάνω   ...   Backspace", "Up one level   ...   Backspace"};
inline constexpr Bilingual TipSavePath{"Αποθήκευση διαδρομής", "Save path"};
inline constexpr Bilingual TipRecentPath{"Ανάκληση διαδρομής", "Recall path"};
inline constexpr Bilingual TipRefresh{"Ανανέωση διαδρομής", "Refresh path"};
inline constexpr Bilingual TipPageSetup{"Διαμόρφωση σελίδας", "Page setup"};
inline constexpr Bilingual TipPrint{"Εκτύπωση", "Print"};
inline constexpr Bilingual TipStopMonitoring{"Τέλος παρακολουθήσεως", "Stop monitoring"};
inline constexpr Bilingual TipHelp{"Βοήθεια", "Help"};
inline constexpr Bilingual TipEnd{"Έξοδος", "Exit"};
inline constexpr Bilingual TipOptions{"Επιλογές", "Options"};
inline constexpr Bilingual TipDisplayInfo{"Εμφάνιση πληροφοριών", "Display info"};
inline constexpr Bilingual TipAsterisk{"Όλα τα στοιχεία (*.*)", "All items (*.*)"};
inline constexpr Bilingual TipCopyright{"Σημείωμα του δημιουργού", "The maker's notice"};
inline constexpr Bilingual TipCopyrightMark{"Το σήμα του Tidyhall", "The Tidyhall mark"};

// Captions of labels, frames, check boxes and option buttons.
inline constexpr Bilingual FileType{"Τύπος", "Type"};
inline constexpr Bilingual FileProperties{" Ιδιότητες ", " Properties "};
inline constexpr Bilingual PropertyHidden{"Κρυφό", "Hidden"};
inline constexpr Bilingual PropertySystem{"Συστήματος", "System"};
inline constexpr Bilingual PropertyReadOnly{"Μόνο για ανάγνωση", "Read only"};
inline constexpr Bilingual PropertyArchive{"Προς φύλαξη", "Archive"};
inline constexpr Bilingual Appearance{" Εμφάνιση ", " Show "};
inline constexpr Bilingual AppearanceFolders{"Φακέλλων", "Folders"};
inline constexpr Bilingual AppearanceFiles{"Αρχείων", "Files"};
inline constexpr Bilingual OrderOfAppearance{" Σειρά εμφανίσεως ", " Order of appearance "};
inline constexpr Bilingual NoOrder{"Χωρίς σειρά", "No order"};
inline constexpr Bilingual FoldersFirst{"Πρώτα οι φάκελλοι", "Folders first"};
inline constexpr Bilingual FilesFirst{"Πρώτα τα αρχεία", "Files first"};

// The fixed captions of the language buttons.
inline constexpr const char *LanguageGreekCaption = "Ελληνικά / Greek";
inline constexpr const char *LanguageEnglishCaption = "English / Αγγλικά";

inline constexpr const char *AppTitle = "Tidyhall";
inline constexpr Bilingual MakerNotice{"Tidyhall · δημιουργία: η ομάδα του Tidyhall · ",
                                       "Tidyhall · made by the Tidyhall team · "};

// Up one level from the top of the folder tree.
inline constexpr Bilingual UpOneLevelTitle{"Ένα επίπεδο επάνω", "Up one level"};
inline constexpr Bilingual UpOneLevelAtRoot{
    "Βρίσκεστε ήδη στο πρώτο επίπεδο του τρέχοντος δίσκου και επομένως δεν μπορείτε να μετακινηθείτε σε "
    "υψηλότερο επίπεδο.",
    "You are already on the root directory of the current drive and as a result, you cannot go up any further."};

// The help scheme.
inline constexpr Bilingual HelpTitle{"Βοήθεια", "Help"};
inline constexpr Bilingual HelpParagraph1{
    "Για να λάβουμε άμεση βοήθεια, αρκεί να πατήσουμε το ΔΕΞΙΟ κουμπί του ποντικιού, στα διάφορα χειριστήρια "
    "της εφαρμογής.",
    "If we click the RIGHT mouse button on the various elements of the application, we shall get on-line help."};
inline constexpr Bilingual HelpParagraph2{
    "Ειδικώς για τον πίνακα στον οποίο εμφανίζονται τα στοιχεία (φάκελλοι ή/και αρχεία) της τρεχούσης διαδρομής, "
    "το δεξιό πλήκτρο του ποντικιού δεν εμφανίζει άμεση βοήθεια, αλλά ένα μενού με επιπλέον επιλογές. Το μενού "
    "αυτό έχει άλλες επιλογές αν πατήσουμε το ΔΕΞΙΟ κουμπί του ποντικιού σε ένα άδειο σημείο του πίνακα και άλλες "
    "επιλογές αν πατήσουμε το ΔΕΞΙΟ κουμπί του ποντικιού στο όνομα κάποιου στοιχείου.",
    "If we click the RIGHT mouse button on the table where the items (folders and/or files) of the current path "
    "are displayed, we shall get a menu with various options, instead of on-line help. The set of options we "
    "shall see, if we click the RIGHT mouse button on an empty place of the table, will differ from the set of "
    "options we shall see, if we click the RIGHT mouse button on an item."};
inline constexpr Bilingual HelpParagraph3{
    "Αν αφήσουμε για λίγο το δείκτη του ποντικιού επάνω στα κουμπιά με τα εικονίδια, θα δούμε μία συνοπτική "
    "περιγραφή της εργασίας που επιτελεί το κάθε κουμπί.",
    "If we hover the mouse pointer over the buttons with the icons, we shall see a concise description of what "
    "each button does."};
inline constexpr Bilingual HelpParagraph4{"Το εικονίδιο με τον εκτυπωτή είναι διαθέσιμο μόνο αν έχουμε επιλέξει "
                                          "γραμματοσειρά.",
                                          "The printer icon is available only if we have selected a font."};

// A volume chosen in the drive list whose folder cannot be reached.
inline constexpr Bilingual DeviceUnavailable{"Η συσκευή δεν είναι διαθέσιμη", "Device unavailable"};

// A folder with read permission but without search (execute) permission.
inline constexpr Bilingual FolderNotSearchable{
    "Ο φάκελλος επιτρέπει την ανάγνωση των ονομάτων του, όχι όμως την πρόσβαση στα στοιχεία του "
    "(λείπει το δικαίωμα αναζητήσεως)",
    "The folder lets its names be read, but not its items be reached (search permission is missing)"};

// The two hidden holders of the listing menus' help topics.
inline constexpr const char *SelectionsCaption = "Selections (for Help Only)";
inline constexpr const char *CommandsCaption = "Commands (for Help Only)";

}
