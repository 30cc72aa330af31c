#pragma once

#include "platform/Bilingual.h"

// The descriptions the error report of a companion program shows.
namespace CompanionTexts {

// %1 the key, %2 the section.
inline constexpr Bilingual KeyPlace{"Special.ini, [%2] %1: ", "Special.ini, [%2] %1: "};
inline constexpr Bilingual NoCommand{"δεν έχει οριστεί εντολή για την εκκίνηση του προγράμματος.",
                                     "no command line is set to start the program."};
inline constexpr Bilingual CannotStart{"το πρόγραμμα δεν μπόρεσε να ξεκινήσει.", "the program could not be started."};
inline constexpr Bilingual NoSpecialIni{"Το αρχείο ρυθμίσεων Special.ini δεν υπάρχει:",
                                        "The settings file Special.ini does not exist:"};

} // namespace CompanionTexts
