#pragma once

#include <cstdint>

// The flags of a copy, move or delete, with the values users' settings were made for.
namespace OperationFlag {
inline constexpr std::uint32_t RenameOnCollision = 0x8;
inline constexpr std::uint32_t NoConfirmation = 0x10;
inline constexpr std::uint32_t AllowUndo = 0x40;
}

// Copy and move: confirm off replaces without asking; rename on gives the incoming
// item a new name instead of replacing.
std::uint32_t CopyFlagsFor(bool confirm, bool rename);

// Delete modes 1 to 4: to the trash asking first, to the trash without asking,
// for good asking first, for good without asking; any other value is mode 1.
std::uint32_t DeleteFlagsFor(int deleteOption);
