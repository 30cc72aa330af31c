#pragma once

#include "platform/Bilingual.h"

// Our own Greek and English descriptions of the common errno values, so a failure is
// described in the interface's language; {nullptr, nullptr} for a value we have no text
// for (the caller then uses the system's own text).
Bilingual systemErrorText(int err);
