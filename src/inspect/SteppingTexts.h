#pragma once

#include "platform/Bilingual.h"

// The captions the stepping dialogs share.
namespace SteppingTexts {

inline constexpr Bilingual Steps[4] = {
    {"Πρώτο", "First"},
    {"Προηγούμενο", "Previous"},
    {"Επόμενο", "Next"},
    {"Τελευταίο", "Last"},
};
inline constexpr Bilingual Enough{"Αρκετά", "Enough"};

// The position line: Head + p + Of + N + Tail. The English tail ends in a blank, the
// Greek one does not.
inline constexpr Bilingual PositionHead{"Επιλεγμένο στοιχείο ", "Selected item "};
inline constexpr Bilingual PositionOf{" από ", " of "};
inline constexpr Bilingual PositionTail{". Τίτλος:", ". Title: "};
// The name box is what the position line's last word announces.
inline constexpr Bilingual TitleWord{"Τίτλος:", "Title: "};

} // namespace SteppingTexts
