#pragma once

#include <QString>
#include <cstdint>

struct AppState;

// A count formatted "#,###,###,##0" with the system's group separator.
QString groupedNumber(std::int64_t value);

// "Folders: 3 of 4. Files: 10 of 12. File size in bytes: 1,234 of 5,678." in the
// language asked for (the printout asks for its own).
QString CountLine(const AppState &state, bool greek);

// The texts UpdateInfoLabels puts on lblCurrentPath and lblInfo.
QString CurrentPathLabelText(const AppState &state);
QString InfoLabelText(const AppState &state);
