#pragma once

#include <QString>

// Qt's print support hands a finished job to CUPS and drops the answer. When it was a
// refusal (a queue that rejects jobs, a printer that went away), CUPS keeps it as the
// thread's last error: this gives its text, or "" when the job was taken or when
// CUPS is not in use.
QString LastSpoolerRefusal();
