#include "mainwin/PropertyFilter.h"

#include "app/AppState.h"
#include "mainwin/ItemTable.h"

bool PassesPropertyFilter(const AppState &state, bool hidden, bool system, bool readOnly, bool archive)
{
    const unsigned item = (hidden ? 1u : 0u) | (system ? 2u : 0u) | (readOnly ? 4u : 0u) | (archive ? 8u : 0u);
    const unsigned checked = (state.RestrictHidden ? 1u : 0u) | (state.RestrictSystem ? 2u : 0u)
                             | (state.RestrictReadOnly ? 4u : 0u) | (state.RestrictArchive ? 8u : 0u);
    switch (state.PropertyRestrictions) {
    case PropertyMode::Exactly:
        return item != 0 && item == checked;
    case PropertyMode::OneOf:
        return (item & checked) != 0;
    case PropertyMode::Any:
    default:
        return item == 0 || (item & checked) != 0;
    }
}

bool PassesFilters(const AppState &state, const ListedItem &item)
{
    if (item.isFolder ? !state.ShowFolders : !state.ShowFiles)
        return false;
    return PassesPropertyFilter(state, item.hidden, item.system, item.readOnly, item.archive);
}
