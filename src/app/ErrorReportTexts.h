#pragma once

#include "platform/Bilingual.h"

namespace ErrorReportTexts {
inline constexpr Bilingual OutOfMemory{"Η μνήμη δεν επαρκεί", "Out of memory"};
}
