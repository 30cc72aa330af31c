#pragma once

#include "platform/Bilingual.h"

// The reasons the system gives for the errors people meet, in both languages, so that
// no message shows the system's own untranslated text ("Invalid argument").
// Empty (both texts null) for a number outside the table.
Bilingual systemErrorText(int err);
