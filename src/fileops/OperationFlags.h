#pragma once

#include "platform/FileOperation.h"

#include <cstdint>

// The flags of a copy, move or delete, as the file-operation service takes them.
namespace OperationFlag {
inline constexpr std::uint32_t RenameOnCollision = FileOperationFlag::RenameOnCollision;
inline constexpr std::uint32_t NoConfirmation = FileOperationFlag::NoConfirmation;
inline constexpr std::uint32_t AllowUndo = FileOperationFlag::AllowUndo;
}

// Copy and move: confirm off replaces without asking; rename on gives the incoming
// item a new name instead of replacing.
std::uint32_t CopyFlagsFor(bool confirm, bool rename);

// Delete modes 1 to 4: to the trash asking first, to the trash without asking,
// for good asking first, for good without asking; any other value is mode 1.
std::uint32_t DeleteFlagsFor(int deleteOption);
