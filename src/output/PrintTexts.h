#pragma once

#include "platform/Bilingual.h"

// Captions and messages of page setup, printing the listing and the comments dialog.
// Messages built from pieces keep the pieces apart, each as the user reads it.
namespace PrintTexts {

// The two printer fonts, as the settings file stores them. The name also chooses the
// language of the printed page.
inline constexpr const char *FontEnglish = "Courier New";
inline constexpr const char *FontGreek = "Courier New Greek";

// Page setup.
inline constexpr Bilingual PageSetupCaption{"Διαμόρφωση σελίδας", "Page setup"};
inline constexpr Bilingual FontFrame{" Γραμματοσειρά ", " Font "};
inline constexpr Bilingual CourierNew{"Courier New (Αγγλική)", "Courier New (English)"};
inline constexpr Bilingual CourierNewGreek{"Courier New (Ελληνική)", "Courier New (Greek)"};
inline constexpr Bilingual FontSizeTitle{"Μέγεθος:", "Size:"};
inline constexpr Bilingual MarginFrame{" Περιθώρια ", " Margins "};
inline constexpr Bilingual TopMarginTitle{"Άνω:", "Top:"};
inline constexpr Bilingual LeftMarginTitle{"Αριστερό:", "Left:"};
inline constexpr Bilingual LinesPerPageTitle{"Γραμ/Σελίδα:", "Lines/Page:"};
inline constexpr Bilingual OK{"OK", "OK"};
inline constexpr Bilingual Cancel{"Άκυρο", "Cancel"};
// Between the minimum and the maximum of a range label.
inline constexpr const char *RangeDash = " - ";

// Printing the listing.
inline constexpr Bilingual PageWord{"Σελίδα ", "Page "};
inline constexpr Bilingual PageOf{" από ", " of "};
inline constexpr Bilingual PrintCaption{"Εκτύπωση - Αριθμός σελίδων: ", "Print - Number of pages: "};
inline constexpr Bilingual PrintToFile{"Εκτύπωση σε αρχείο  ", "Print to file"};
inline constexpr Bilingual Print{"Εκτύπωση", "Print"};
inline constexpr Bilingual PleaseWait{"   Παρακαλώ περιμένετε...   ", "   Please wait...   "};
inline constexpr Bilingual PrintTitle{"Εκτύπωση", "Print"};
inline constexpr Bilingual NothingToPrintHead{"Η θέση «", "Item '"};
inline constexpr Bilingual NothingToPrintTail{"», δεν περιέχει ούτε "
                                              "αρχεία ούτε φακέλλους. Επομένως δεν υπάρχει κάτι "
                                              "που να μπορεί να εκτυπωθεί.",
                                              "', contains neither files "
                                              "nor folders. Therefore, there is nothing to print."};
inline constexpr Bilingual SaveDialogTitle{"Ορίστε το αρχείο για την εργασία 'Εκτύπωση σε αρχείο'",
                                           "Define the file for the 'Print to file' process"};
inline constexpr Bilingual SaveDialogFilter{"Όλα τα αρχεία|*.*", "All files|*.*"};
inline constexpr Bilingual SaveDialogLookIn{"Αναζήτηση σε:", "Look in:"};
inline constexpr Bilingual SaveDialogFileName{"Όνομα αρχείου:", "File name:"};
inline constexpr Bilingual SaveDialogFileType{"Τύπος αρχείων:", "Files of type:"};
// %1 the chosen file.
inline constexpr Bilingual ReplaceQuestion{"Το αρχείο «%1» υπάρχει ήδη. Θέλετε να το αντικαταστήσετε;",
                                           "The file '%1' already exists. Do you want to replace it?"};
inline constexpr Bilingual SaveDialogAccept{"Αποθήκευση", "Save"};

// Tooltips.
inline constexpr Bilingual TipPrintToFile{"Εγγραφή σε αρχείο κειμένου αντί για τον εκτυπωτή",
                                          "Write a text file instead of printing"};
inline constexpr Bilingual TipPrint{"Έναρξη της εκτύπωσης", "Start printing"};
inline constexpr Bilingual TipCancel{"Κλείσιμο χωρίς εκτύπωση", "Close without printing"};

// Printing failures, with the system's or the spooler's reason where there is one.
inline constexpr Bilingual NoDefaultPrinter{
    "Δεν έχει οριστεί προεπιλεγμένος εκτυπωτής. Ορίστε έναν στις ρυθμίσεις εκτυπωτών του συστήματος "
    "ή επιλέξτε «Εκτύπωση σε αρχείο».",
    "No default printer is set. Set one in the system's printer settings, or choose 'Print to file'."};
// %1 the printer, %2 the spooler's reason.
inline constexpr Bilingual PrinterRefused{"Ο εκτυπωτής «%1» δεν δέχτηκε την εργασία: %2",
                                          "The printer '%1' did not accept the job: %2"};
inline constexpr Bilingual PrinterFailed{"Η εκτύπωση στον εκτυπωτή «%1» απέτυχε.",
                                         "Printing on the printer '%1' failed."};
// %1 the chosen path.
inline constexpr Bilingual TargetIsFolder{"Το «%1» είναι φάκελλος. Επιλέξτε ένα όνομα αρχείου.",
                                          "'%1' is a folder. Choose a file name."};
inline constexpr Bilingual TargetWriteFailed{
    "Το αρχείο «%1» δεν γράφτηκε: %2 Ό,τι περιείχε πριν έμεινε όπως ήταν.",
    "The file '%1' was not written: %2 Whatever it held before is unchanged."};

// Comments.
inline constexpr Bilingual CommentsCaption{"Σχόλια", "Comments"};
inline constexpr Bilingual SaveComments{"Αποθήκευση σχολίων", "Save comments"};
inline constexpr Bilingual PrintComments{"Εκτύπωση σχολίων", "Print comments"};
inline constexpr Bilingual CommentsPrintToFile{"Εκτύπωση σε αρχείο", "Print to file"};
inline constexpr Bilingual ItemNameHeader{"Όνομα στοιχείου", "Item name"};
inline constexpr const char *FolderMarkHeader = "+";
inline constexpr Bilingual CommentHeader{"Σχόλιο", "Comment"};
inline constexpr Bilingual CountFolders{"Φάκελλοι: ", "Folders: "};
inline constexpr Bilingual CountFiles{"Αρχεία: ", "Files: "};
inline constexpr Bilingual CountBytes{"Μέγεθος αρχείων σε χαρακτήρες: ", "File size in bytes: "};
inline constexpr Bilingual NoCommentsYet{"Υπάρχουν στοιχεία στα οποία δεν έχουν "
                                         "επισυναφθεί σχόλια.",
                                         "There are items that do not have any "
                                         "comments attached to them."};
inline constexpr Bilingual ModifiedHead{"Έχετε κάνει τροποποιήσεις στα σχόλια του δίσκου «",
                                        "You have modified the comments of drive '"};
inline constexpr Bilingual ModifiedTail{"». Θέλετε να "
                                        "αποθηκεύσετε αυτές τις τροποποιήσεις;",
                                        "'. Do you want to save "
                                        "these modifications?"};
inline constexpr const char *CommentsFilePrefix = "Comments-";
inline constexpr const char *OldBackupExtension = ".bak";

// %1 the item names, one a line.
inline constexpr Bilingual NamesWithLineBreaks{
    "Τα παρακάτω στοιχεία έχουν αλλαγή γραμμής στο όνομά τους και δεν μπορούν να έχουν σχόλιο "
    "στο αρχείο σχολίων· δεν καταχωρήθηκαν:\r\n\r\n%1",
    "The names of these items hold a line break, so the comments file cannot keep a comment for "
    "them; they were left out:\r\n\r\n%1"};
// %1 the comments file, %2 the system's reason.
inline constexpr Bilingual CommentsUnreadable{
    "Το αρχείο σχολίων «%1» δεν διαβάστηκε: %2\r\n\r\nΤα σχόλια δεν μπορούν να αποθηκευτούν, ώστε "
    "να μη χαθεί το αρχείο.",
    "The comments file '%1' could not be read: %2\r\n\r\nThe comments cannot be saved, so that the file "
    "is not lost."};
inline constexpr Bilingual TipSaveComments{"Αποθήκευση των σχολίων του δίσκου", "Save the comments of the volume"};
inline constexpr Bilingual TipPrintComments{"Εκτύπωση των σχολίων", "Print the comments"};
inline constexpr Bilingual TipCommentsOK{"Κλείσιμο", "Close"};

} // namespace PrintTexts
