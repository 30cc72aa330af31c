#pragma once

#include "platform/Bilingual.h"

// One entry of a pop-up menu: its name, its caption in both languages, and the
// shortcut shown after a tab where it has one. A null name is a separator.
struct MenuEntry
{
    const char *name;
    Bilingual caption;
    const char *shortcut = nullptr;

    QString text(bool greek) const
    {
        return shortcut ? caption.in(greek) + QLatin1Char('\t') + QLatin1String(shortcut) : caption.in(greek);
    }
};

namespace MenuTexts {

inline constexpr MenuEntry Separator{nullptr, {"", ""}};

// The item menu: a right click on an item of the listing.
inline constexpr MenuEntry ItemMenu[] = {
    {"mnuOptionsOptions", {"Επιλογές", "Options"}},
    Separator,
    {"mnuOptionsOpen", {"Άνοιγμα", "Open"}},
    {"mnuOptionsPrint", {"Εκτύπωση", "Print"}},
    {"mnuOptionsQuickView", {"Γρήγορη προβολή", "Quick view"}},
    Separator,
    {"mnuOptionsSelectAll", {"Επιλογή όλων", "Select all"}, "Ctrl+A"},
    {"mnuOptionsReverseSelection", {"Αναστροφή", "Reverse"}},
    Separator,
    {"mnuOptionsMove", {"Μετακίνηση", "Move"}},
    {"mnuOptionsCopy", {"Αντιγραφή", "Copy"}},
    {"mnuOptionsBackup", {"Αποθήκευση", "Backup"}},
    Separator,
    {"mnuOptionsDelete", {"Διαγραφή", "Delete"}, "Del"},
    {"mnuOptionsRename", {"Μετονομασία", "Rename"}, "F2"},
    Separator,
    {"mnuOptionsAttributes", {"Χαρακτηριστικά", "Attributes"}, "Alt+Enter"},
    {"mnuOptionsProperties", {"Ιδιότητες", "Properties"}},
    Separator,
    {"mnuOptionsHelp", {"Βοήθεια", "Help"}},
    Separator,
    {"mnuOptionsCancel", {"Άκυρο", "Cancel"}},
};

// The owner's special entries, shown only when the owner-marker file exists; their
// captions are the same in both languages.
inline constexpr MenuEntry SpecialEntries[] = {
    {"mnuRootBackup", {"Root Backup", "Root Backup"}},
    {"mnuDirectoryComparison", {"Pairview", "Pairview"}},
    {"mnuStructureManager", {"Shapekeep", "Shapekeep"}},
    {"mnuFolderSynchronization", {"Mirrorset", "Mirrorset"}},
    {"mnuDiskInformation", {"Drivelook", "Drivelook"}},
};

// The commands menu: a right click on an empty place of the listing (after the
// special entries and their separator `mnuSpecialDash`).
inline constexpr MenuEntry CommandsMenu[] = {
    {"mnuCommandsOptions", {"Επιλογές", "Options"}},
    Separator,
    {"mnuCommandsRefresh", {"Ανανέωση", "Refresh"}, "F5"},
    Separator,
    {"mnuOptionsNewFolder", {"Νέος φάκελλος", "New folder"}},
    {"mnuOptionsNewTextFile", {"Νέο έγγραφο κειμένου", "New text document"}},
    Separator,
    {"mnuOptionsFind", {"Εύρεση", "Find"}, "F3"},
    Separator,
    {"mnuOptionsArchiveBit", {"Προς φύλαξη", "Archive bit"}},
    Separator,
    {"mnuOptionsMonitoring", {"Παρακολούθηση", "Monitoring"}},
    Separator,
    {"mnuOptionsComments", {"Σχόλια", "Comments"}},
    Separator,
    {"mnuCommandsHelp", {"Βοήθεια", "Help"}},
    Separator,
    {"mnuCommandsCancel", {"Άκυρο", "Cancel"}},
};

inline constexpr MenuEntry RefreshMenu[] = {
    {"mnuRefreshDrives", {"Δίσκοι", "Drives"}},
    {"mnuRefreshFolders", {"Φάκελλοι", "Folders"}},
    {"mnuRefreshFiles", {"Περιεχόμενα", "Contents"}, "F5"},
    Separator,
    {"mnuRefreshHelp", {"Βοήθεια", "Help"}},
    Separator,
    {"mnuRefreshCancel", {"Άκυρο", "Cancel"}},
};

inline constexpr MenuEntry SavePathMenu[] = {
    {"mnuSavePathInitial", {"Αρχική", "Initial"}},
    {"mnuSavePathRecent", {"Πρόσφατες", "Recent"}},
    {"mnuSavePathMonitor", {"Παρακολούθηση", "Monitoring"}},
    Separator,
    {"mnuSavePathHelp", {"Βοήθεια", "Help"}},
    Separator,
    {"mnuSavePathCancel", {"Άκυρο", "Cancel"}},
};

inline constexpr MenuEntry RecallPathMenu[] = {
    {"mnuRecallPathInitial", {"Αρχική", "Initial"}},
    {"mnuRecallPathRecent", {"Πρόσφατες", "Recent"}},
    {"mnuRecallPathMonitor", {"Παρακολούθηση", "Monitoring"}},
    Separator,
    {"mnuRecallPathHelp", {"Βοήθεια", "Help"}},
    Separator,
    {"mnuRecallPathCancel", {"Άκυρο", "Cancel"}},
};

}
