#pragma once

#include "platform/Bilingual.h"

namespace PrivateProfileTexts {
inline constexpr Bilingual LineBreakInValue{
    "Η τιμή περιέχει αλλαγή γραμμής και δεν μπορεί να αποθηκευθεί στο αρχείο ρυθμίσεων",
    "The value holds a line break and cannot be kept in the settings file"};
inline constexpr Bilingual CannotConvert{
    "Η τιμή περιέχει χαρακτήρες που δεν χωρούν στην κωδικοσελίδα 1253 του αρχείου ρυθμίσεων, και το αρχείο "
    "δεν μπορεί να μετατραπεί σε UTF-8, διότι κάποια γραμμή του περιέχει χαρακτήρες που η κωδικοσελίδα δεν ορίζει. "
    "Διορθώστε το αρχείο",
    "The value holds characters that the settings file's code page 1253 cannot hold, and the file cannot be "
    "converted to UTF-8, because one of its lines holds bytes that the code page does not define. Mend the file"};
}
