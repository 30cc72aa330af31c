#pragma once

#include <QString>

// Puts the test program into a mount namespace of its own, before Qt starts any
// thread, so that what its tests mount stays private and goes with the process.
// Returns "" on success, else why it could not (for the tests' skip messages).
QString enterPrivateMountNamespace();
