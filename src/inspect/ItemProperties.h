#pragma once

#include "platform/DosAttributes.h"
#include "platform/FileTimes.h"
#include "platform/Volumes.h"

#include <QString>
#include <cstdint>
#include <sys/types.h>

// Everything our own properties window shows of one item, read once.
struct ItemProperties
{
    QString name;     // exact
    QString location; // the folder that holds it, exact, without a trailing "/"
    QString mimeType;
    bool isFolder = false;
    bool isSymlink = false;
    QString linkTarget; // exact, when isSymlink
    std::int64_t size = 0;
    FileTimes times;
    QString owner; // the user's name, or the number when it has none
    QString group;
    mode_t mode = 0;
    DosAttributes attributes;
    Volume volume;
};

// Throws RuntimeError when the item cannot be reached.
ItemProperties ReadItemProperties(const QString &path);

// "rwxr-x--- (0750)": the nine permission letters (with s, S, t, T where set) and the octal value.
QString PermissionText(mode_t mode);

// One line of the window per property, in the order shown: caption and value.
struct PropertyLine
{
    QString caption;
    QString value;
};
QList<PropertyLine> PropertyLines(const ItemProperties &item, bool greek);
