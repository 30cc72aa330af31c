#pragma once

#include <QByteArray>
#include <QString>

// Replaces `path` with `bytes` all at once: the new contents go to a temporary file
// beside it, which is flushed and renamed over the old file only when every byte is
// written. A full disk or any other failure leaves the old file whole and throws
// RuntimeError.
void writeFileAtomically(const QString &path, const QByteArray &bytes);
