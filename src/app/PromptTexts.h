#pragma once

#include "platform/Bilingual.h"
#include "platform/Prompter.h"

// Captions of the buttons of our message boxes. Debian ships no Greek translation of
// Qt's own strings, so every button carries a text of ours.
const Bilingual &ButtonCaption(PromptButton button);
