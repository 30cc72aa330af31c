#pragma once

#include "platform/Bilingual.h"

// What the tree walk tells about a folder it could not walk; %1 is the folder.
namespace TreeWalkTexts {

inline constexpr Bilingual Unreadable{"Ο φάκελλος «%1» δεν ήταν δυνατόν να διαβαστεί (%2). Τα υπόλοιπα στοιχεία ελέγχθηκαν.",
                                      "The folder '%1' could not be read (%2). The other items were walked."};
inline constexpr Bilingual OtherMount{"Ο φάκελλος «%1» ανήκει σε άλλον τόμο και δεν ελέγχθηκε.",
                                      "The folder '%1' belongs to another volume and was not walked."};
inline constexpr Bilingual TooDeep{"Ο φάκελλος «%1» βρίσκεται βαθύτερα από 100 επίπεδα κάτω από την αφετηρία και δεν ελέγχθηκε.",
                                   "The folder '%1' lies more than 100 levels below the starting point and was not walked."};
inline constexpr Bilingual Changed{"Ο φάκελλος «%1» μετονομάσθηκε ή αντικαταστάθηκε κατά τη διάρκεια του ελέγχου και δεν ελέγχθηκε.",
                                   "The folder '%1' was renamed or replaced while it was being walked and was not walked."};

} // namespace TreeWalkTexts
