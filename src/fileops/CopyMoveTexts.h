#pragma once

#include "platform/Bilingual.h"

// The verification asked before a copy or a move, Greek first. The text is the lead,
// the target, the close, an empty line and the question.
namespace CopyMoveTexts {

inline constexpr Bilingual CopyTitle{"Επιβεβαίωση αντιγραφής", "Copy verification"};
inline constexpr Bilingual CopyLead{"Επιλέξατε την αντιγραφή των επιλεγμένων φακέλλων ή/και αρχείων στον προορισμό «",
                                    "You have chosen to copy the selected folders and/or files to '"};
inline constexpr Bilingual CopyQuestion{"Θέλετε πράγματι να προχωρήσετε στη διαδικασία της αντιγραφής;",
                                        "Is it certain that you want to proceed with the copying?"};

inline constexpr Bilingual MoveTitle{"Επιβεβαίωση μετακινήσεως", "Move verification"};
inline constexpr Bilingual MoveLead{"Επιλέξατε τη μετακίνηση των επιλεγμένων φακέλλων ή/και αρχείων στον προορισμό «",
                                    "You have chosen to move the selected folders and/or files to '"};
inline constexpr Bilingual MoveQuestion{"Θέλετε πράγματι να προχωρήσετε στη διαδικασία της μετακινήσεως;",
                                        "Is it certain that you want to proceed with the moving?"};

inline constexpr Bilingual TargetClose{"».", "'."};

} // namespace CopyMoveTexts
