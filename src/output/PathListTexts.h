#pragma once

#include "platform/Bilingual.h"

// Captions and messages of the saved path lists, their dialogs and monitoring mode.
// Messages that the program builds from pieces keep the pieces apart, so each piece
// reads here as the user sees it.
namespace PathListTexts {

// The two list dialogs.
inline constexpr Bilingual RecentPathsCaption{"Πρόσφατες διαδρομές", "Recent paths"};
inline constexpr Bilingual MonitoredPathsCaption{"Παρακολουθούμενες διαδρομές", "Monitored paths"};
inline constexpr Bilingual Recall{"Ανάκληση", "Recall"};
inline constexpr Bilingual Edit{"Επεξεργασία", "Edit"};
inline constexpr Bilingual Cancel{"Άκυρο", "Cancel"};

// Tooltips of the dialogs' controls.
inline constexpr Bilingual TipRecall{"Μετάβαση στην επιλεγμένη διαδρομή", "Go to the chosen path"};
inline constexpr Bilingual TipEdit{"Επεξεργασία του καταλόγου στον επεξεργαστή κειμένου",
                                   "Edit the list in the text editor"};
inline constexpr Bilingual TipCancel{"Κλείσιμο χωρίς μετάβαση", "Close without going anywhere"};

// Setting the initial path.
inline constexpr Bilingual SetInitialTitle{"Ορισμός αρχικής διαδρομής", "Set initial path"};
inline constexpr Bilingual SetInitialBefore{"Θέλετε πράγματι να ορίσετε τη διαδρομή «", "Do you really want to set '"};
inline constexpr Bilingual SetInitialAfter{"» ως αρχική διαδρομή της εφαρμογής;",
                                           "' as the initial path of the application?"};

// A path that is already a line of the list: "Path" / path / the rest.
inline constexpr Bilingual PathWord{"Η διαδρομή", "Path"};
inline constexpr Bilingual AlreadySavedRecent{"έχει ήδη καταχωρηθεί στις πρόσφατες διαδρομές.",
                                              "has already been saved in the recent paths list."};
inline constexpr Bilingual AlreadySavedMonitoredHead{"έχει ήδη καταχωρηθεί στις διαδρομές για ",
                                                     "has already been saved in the monitored "};
inline constexpr Bilingual AlreadySavedMonitoredTail{"παρακολούθηση.", "paths list."};
inline constexpr Bilingual AlreadySavedRecentTitle{"Αποθήκευση πρόσφατης διαδρομής", "Save recent path"};

// The question before saving: the head / path / the tail.
inline constexpr Bilingual SaveQuestionHead{"Θέλετε πράγματι να αποθηκεύσετε τη διαδρομή",
                                            "Do you really want to save path"};
inline constexpr Bilingual SaveQuestionRecentTail{"στις πρόσφατες διαδρομές;", "in the recent paths list?"};
inline constexpr Bilingual SaveQuestionMonitoredHead{"στις διαδρομές ", "in the monitored "};
inline constexpr Bilingual SaveQuestionMonitoredTail{"για παρακολούθηση;", "paths list?"};
inline constexpr Bilingual SaveRecentTitle{"Αποθήκευση διαδρομής", "Save path"};
inline constexpr Bilingual SaveMonitoredTitle{"Αποθήκευση διαδρομής για παρακολούθηση", "Save path for monitoring"};

// Editing a list in the text editor.
inline constexpr Bilingual EditNoticeHead{"Η εφαρμογή αδρανοποιείται για όσο χρονικό διάστημα ",
                                          "The application is suspended for as long as "};
inline constexpr Bilingual EditNoticeFile{"επεξεργάζεστε το αρχείο «", "you are editing the file '"};
inline constexpr Bilingual EditNoticeEnd{"».", "'."};
inline constexpr Bilingual EditRecentTitle{"Επεξεργασία προσφάτων διαδρομών", "Edit saved paths"};
inline constexpr Bilingual EditMonitoredTitle{"Επεξεργασία παρακολουθούμενων διαδρομών", "Edit monitored paths"};
inline constexpr Bilingual NoEditor{
    "Δεν βρέθηκε πρόγραμμα επεξεργασίας κειμένου. Εγκαταστήστε έναν επεξεργαστή κειμένου "
    "(για παράδειγμα gedit, kate ή mousepad) ή ορίστε τη μεταβλητή περιβάλλοντος TIDYHALL_EDITOR.",
    "No text editor was found. Install a text editor (gedit, kate or mousepad, for example) "
    "or set the environment variable TIDYHALL_EDITOR."};
// %1 the editor, %2 the system's reason.
inline constexpr Bilingual EditorNotStarted{"Ο επεξεργαστής κειμένου «%1» δεν μπόρεσε να ξεκινήσει: %2",
                                            "The text editor '%1' could not be started: %2"};

// An editor that returned without changing the list, as one does that hands the file to
// a copy of itself already running.
inline constexpr Bilingual EditorReturnedAtOnce{
    "Ο επεξεργαστής κειμένου επέστρεψε χωρίς να αλλάξει το αρχείο· ίσως το άνοιξε σε παράθυρο που ήταν ήδη "
    "ανοικτό. Όταν τελειώσετε την επεξεργασία και αποθηκεύσετε το αρχείο, πατήστε OK.",
    "The text editor returned without changing the file; it may have opened it in a window that was already "
    "open. When you have finished editing and saved the file, press OK."};
// A folder name that a list of one path per line cannot hold.
inline constexpr Bilingual LineBreakInPath{
    "Το όνομα της διαδρομής περιέχει αλλαγή γραμμής και δεν μπορεί να αποθηκευθεί στη λίστα",
    "The path's name holds a line break and cannot be kept in the list"};

// Monitoring mode with nothing to monitor.
inline constexpr Bilingual NoMonitoredPaths{
    "Για να ενεργοποιήσετε την παρακολούθηση, πρέπει να "
    "έχετε αποθηκεύσει τουλάχιστον μία διαδρομή για "
    "παρακολούθηση.",
    "You can activate monitoring, only when you "
    "have already saved at least one path for monitoring."};

}
