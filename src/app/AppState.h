#pragma once

#include <QString>
#include <cstdint>

// The one record of the program's state: data-file paths, every setting and the
// run-time fields of the listing. Owned by the main window and passed by reference.
struct AppState
{
    // Fixed texts and paths, set once at start-up.
    QString AppTitle = QStringLiteral("Tidyhall / Tidyhall");
    QString DataFolder;
    QString IniPath;
    QString HelpFileGreek;
    QString HelpFileEnglish;
    QString RecentPathsFile;
    QString MonitoredPathsFile;
    QString CommentsFileStem;
    QString PrintAnimationFile;
    QString SpecialTargetFolderFile;
    QString SpecialSourceFilesFile;
    QString SpecialSourceFoldersFile;
    QString SpecialAttributesFile;
    QString SpecialIniFile;
    QString OwnerMarkerFile;

    // Settings, in the order they are read.
    bool LanguageGreek = true;
    int DeleteOption = 1;
    int DeleteFlags = 0;
    bool ShowOptions = true;
    bool SelectTarget = true;
    int ArchiveStartPoint = 1;
    QString QuickViewPath;
    QString InitialPath;
    bool PrintToFile = false;
    bool CopyVerify = true;
    bool CopyConfirm = true;
    bool CopyRename = false;
    int CopyFlags = 0;
    bool MoveVerify = true;
    bool MoveConfirm = true;
    bool MoveRename = false;
    int MoveFlags = 0;
    bool BackupVerify = true;
    bool BackupQueryBefore = true;
    bool BackupQueryAfter = true;
    bool BackupQueryIfNotFound = true;
    int BackupTargetFolderAction = 1;
    int BackupSourceFolderAction = 5;
    int FindStartPoint = 2;
    int FindWindowSize = 1;
    int PrintTopMargin = 0;
    int PrintLeftMargin = 0;
    QString PrintFontName;
    int PrintFontSize = 8;
    int PrintLinesPerPage = 40;
    int PropertyRestrictions = 1;
    bool RestrictHidden = true;
    bool RestrictSystem = true;
    bool RestrictReadOnly = true;
    bool RestrictArchive = true;
    bool ShowFolders = true;
    bool ShowFiles = true;
    int OrderOfAppearance = 1;
    int SortColumn = 3;
    int SortOrder = 1;

    // Run-time fields. Counts and byte sums are 64-bit so that folders holding more
    // than 2 GiB list and count correctly.
    bool Initializing = false;
    bool ListingStale = true;
    bool OrderChanged = true;
    QString CurrentPath; // always ends with "/"
    std::int64_t FoldersFound = 0;
    std::int64_t FilesFound = 0;
    std::int64_t BytesFound = 0;
    std::int64_t FoldersShown = 0;
    std::int64_t FilesShown = 0;
    std::int64_t BytesShown = 0;
    bool ClickedOnItem = false;
    int MouseButton = 0;
    int OptionsPage = 0;
    bool MonitoringMode = false;
    QString RecalledPath; // the path last recalled from a saved-path list
    QString PathBeforeMonitoring; // the folder shown when monitoring mode began
};
