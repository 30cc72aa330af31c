#include "fileops/OperationFlags.h"

std::uint32_t CopyFlagsFor(bool confirm, bool rename)
{
    std::uint32_t flags = 0;
    if (!confirm)
        flags |= OperationFlag::NoConfirmation;
    if (rename)
        flags |= OperationFlag::RenameOnCollision;
    return flags;
}

std::uint32_t DeleteFlagsFor(int deleteOption)
{
    switch (deleteOption) {
    case 2:
        return OperationFlag::AllowUndo | OperationFlag::NoConfirmation;
    case 3:
        return 0;
    case 4:
        return OperationFlag::NoConfirmation;
    default:
        return OperationFlag::AllowUndo;
    }
}
