#include "store/ProfileListRefresh.h"

#include "base/Numbers.h"
#include "i18n/LanguageFile.h"

namespace store {

ProfileListState RefreshProfileStore(ProfileDatabase& database, const TextLookup& loadText) {
    database.EnsureDefaultProfiles();

    ProfileListState state;
    std::vector<ProfileInfo> profiles;
    database.ListProfiles(profiles);
    for (const ProfileInfo& profile : profiles) {
        state.items.push_back({loadText(base::ParseLeadingDigits(profile.name)), profile.profile});
    }
    state.current = database.EnsureActiveProfile();
    return state;
}

ProfileListState RefreshProfileStore(ProfileDatabase& database) {
    return RefreshProfileStore(database, [](int number) { return i18n::LoadText(number); });
}

}  // namespace store
