#pragma once

#include "platform/Bilingual.h"

// Titles and action captions of the four stepping dialogs.
namespace ShellCommandTexts {

inline constexpr Bilingual PropertiesTitle{"Ιδιότητες", "Properties"};
inline constexpr Bilingual PropertiesButton{"Ιδιότητες", "Properties"};
inline constexpr Bilingual OpenTitle{"Άνοιγμα μέσω συσχετισμένης εφαρμογής", "Open with associated application"};
inline constexpr Bilingual OpenButton{"Άνοιγμα", "Open"};
inline constexpr Bilingual PrintTitle{"Εκτύπωση μέσω συσχετισμένης εφαρμογής", "Print with associated application"};
inline constexpr Bilingual PrintButton{"Εκτύπωση", "Print"};
inline constexpr Bilingual QuickViewTitle{"Γρήγορη προβολή", "Quick view"};
inline constexpr Bilingual QuickViewButton{"Γρήγορη προβολή", "Quick view"};

} // namespace ShellCommandTexts
