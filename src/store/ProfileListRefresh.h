#pragma once

#include <functional>
#include <string>
#include <vector>

#include "store/ProfileDatabase.h"

namespace store {

// One item of the key page's profile selector.
struct ProfileSelectorItem {
    std::u16string text;  // the language text whose number the profile's name holds
    int profile = 0;      // the profile id, the item's data

    bool operator==(const ProfileSelectorItem&) const = default;
};

// What the profile selector shows after a refresh.
struct ProfileListState {
    std::vector<ProfileSelectorItem> items;  // one per profile, in list order
    int current = 0;                         // the current profile number (0: none)
};

// Looks up language text number N (i18n::LoadText in the program).
using TextLookup = std::function<std::u16string(int)>;

// The store's part of refreshing the profile list: creates the five default profiles when the
// database holds none (profile 1 active), lists the profiles with the text of the number each
// name starts with (text 0 for a name without leading digits), and makes sure one profile is
// active (profile 1 when none is). The selector is then filled from `items` and `current`.
// With the database closed every step fails quietly: no items, current 0.
ProfileListState RefreshProfileStore(ProfileDatabase& database, const TextLookup& loadText);

// The same with the current language file's texts.
ProfileListState RefreshProfileStore(ProfileDatabase& database = ProfileDatabase::Instance());

}  // namespace store
