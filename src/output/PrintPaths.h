#pragma once

#include <QString>

// The path helpers the printouts share. Paths use "/" as their separator.

// The path without one trailing separator, if it ends with one. Only the first
// character of `separator` counts; an empty one means "/".
QString StripTrailingSeparator(const QString &path, const QString &separator = QStringLiteral("/"));

// The text after the last separator (after the first one when `fromTheEnd` is false);
// empty when the path holds none.
QString LastPathComponent(const QString &path, const QString &separator = QStringLiteral("/"),
                          bool fromTheEnd = true);

// The name a print-to-file proposes for the folder `currentPath` ("Reports.txt"): its
// last component, or at the top of a volume the volume's key ("_" for "/"), so the
// name never holds a "/". `prefix` goes in front ("Comments-" for the comments).
QString ProposedPrintFileName(const QString &currentPath, const QString &volumeKeyOfPath,
                              const QString &prefix = {});

// True when `currentPath` is the top folder of its volume, `mountPoint`.
bool IsVolumeTop(const QString &currentPath, const QString &mountPoint);

// The folder the save dialog starts in: the listed folder when it can be written,
// else the home folder.
QString InitialPrintFolder(const QString &currentPath, const QString &homeFolder);
