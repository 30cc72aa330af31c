#pragma once

struct AppState;
struct ListedItem;

// The modes of the property filter, as PropertyRestrictions stores them.
namespace PropertyMode {
inline constexpr int Any = 1;     // "+": items with no property, or with a checked one
inline constexpr int Exactly = 2; // "=": items whose properties are exactly the checked ones
inline constexpr int OneOf = 3;   // "|": items with at least one checked property
}

// Whether an item with the given properties is listed under the filter of `state`
// (PropertyRestrictions and the four Restrict* flags).
bool PassesPropertyFilter(const AppState &state, bool hidden, bool system, bool readOnly, bool archive);

// The property filter and the Folders/Files filter together.
bool PassesFilters(const AppState &state, const ListedItem &item);
