#pragma once

#include "platform/Bilingual.h"

// The Archive-bit check's window and messages, Greek first.
namespace ArchiveTexts {

inline constexpr Bilingual Title{"Προς φύλαξη", "Archive bit"};
inline constexpr Bilingual FrameLead{" Ο έλεγχος για τα στοιχεία που ", " Start checking for items that need "};
inline constexpr Bilingual FrameTail{"χρειάζονται αποθήκευση να αρχίσει από το ... ", "archiving from ... "};
inline constexpr Bilingual OptionOpen{"... «", "... '"};
inline constexpr Bilingual OptionClose{"».", "'."};
inline constexpr Bilingual OptionChosen{"... σημείο που θα επιλέξω εγώ.", "... the point I will choose."};
inline constexpr Bilingual FileType{"Τύπος αρχείων:", "File type:"};
inline constexpr Bilingual StartChecking{"Να αρχίσει ο έλεγχος", "Start checking"};
inline constexpr Bilingual Ok{"ΟΚ", "OK"};
inline constexpr Bilingual Stop{"Διακοπή", "Stop"};

inline constexpr Bilingual BrowsePrompt1{"Επιλέξτε το σημείο από το οποίο θέλετε να αρχίσει ",
                                         "Select the starting point of the search for items "};
inline constexpr Bilingual BrowsePrompt2{"ο έλεγχος των στοιχείων που χρειάζονται αποθήκευση ", "that need archiving and "};
inline constexpr Bilingual BrowsePrompt3{"και πατήστε ", "click 'OK', or click 'Cancel' to "};
inline constexpr Bilingual BrowsePrompt4{"το «ΟΚ», ή πατήστε το «Άκυρο» για να ακυρώσετε την ", "cancel the checking process."};
inline constexpr Bilingual BrowsePrompt5{"έλεγχο.", ""};

inline constexpr Bilingual SummaryFolders{"Φάκελλοι: ", "Folders: "};
inline constexpr Bilingual SummaryFiles{"Αρχεία: ", "Files: "};
inline constexpr Bilingual SummaryBytes{"Μέγεθος αρχείων σε χαρακτήρες: ", "File size in bytes: "};

// While the walk runs, and when it ends short of the whole tree.
inline constexpr Bilingual Reading{"Ανάγνωση: %1", "Reading: %1"};
inline constexpr Bilingual Stopped{"Ο έλεγχος διακόπηκε· εμφανίζονται όσα βρέθηκαν έως τότε.",
                                   "The check was stopped; what was found until then is shown."};
inline constexpr Bilingual BadPattern{"Ο τύπος αρχείων «%1» δεν μπορεί να χρησιμοποιηθεί: δεν επιτρέπονται ο χαρακτήρας «/» και οι χαρακτήρες ελέγχου. Χρησιμοποιήστε ονόματα με «*» και «?».",
                                      "The file type '%1' cannot be used: it may not contain '/' or control characters. Use names with '*' and '?'."};
inline constexpr Bilingual WalkProblems{"Ορισμένοι φάκελλοι δεν ελέγχθηκαν:", "Some folders were not checked:"};
inline constexpr Bilingual MoreProblems{"... και άλλοι %1.", "... and %1 more."};

} // namespace ArchiveTexts
