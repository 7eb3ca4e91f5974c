#include "protocol/ButtonUpload.h"

#include <algorithm>

#include "protocol/CommandSet.h"
#include "protocol/DeviceProfile.h"
#include "protocol/ExchangeCommand.h"

namespace protocol {

namespace {

constexpr int kEntrySize = 4;
// Slots 0..7 always travel; slot 8 has no default and stays zero without an assignment.
constexpr int kDefaultSlots = 8;
// Where CMD_READ_KEYS returns slot 0 (R[8]); the others follow, four bytes each.
constexpr int kREntries = 8;

// Q[9 + 4 * slot]: where CMD_WRITE_KEYS carries a slot's entry.
size_t RequestOffset(int slot) {
    return static_cast<size_t>(kQData + kEntrySize * slot);
}

void PutEntry(CommandReport& report, int slot, const ButtonEntry& entry) {
    std::copy(entry.begin(), entry.end(), report.Bytes().begin() + RequestOffset(slot));
}

// A report that starts like a notification of the mouse (AA FA) is not the answer to a command,
// even though it passes the 0xAA test: taking its bytes for button entries would store garbage.
bool IsNotification(const CommandReport& reply) {
    return reply[kRStatus] == kNotificationMark0 && reply[kREcho] == kNotificationMark1;
}

}  // namespace

std::vector<MacroListing> MacroListingOf(store::ProfileDatabase& db) {
    std::vector<store::MacroInfo> macros;
    db.ListMacros(macros);
    std::vector<MacroListing> listing;
    listing.reserve(macros.size());
    for (const store::MacroInfo& macro : macros) {
        listing.push_back(
            MacroListing{macro.macro_id, macro.play_type, macro.play_times, macro.name});
    }
    return listing;
}

CommandReport BuildButtonEntries(store::ProfileDatabase& db, int profile,
                                 const std::vector<MacroListing>& macros) {
    if (!IsDeviceProfile(profile)) {
        return CommandReport{};
    }
    CommandReport report = CommandReport::For(CMD_WRITE_KEYS, ProfileIndexOf(profile));
    for (int slot = 0; slot < kDefaultSlots; ++slot) {
        PutEntry(report, slot, FactoryDefaultEntry(slot));
    }
    std::vector<store::KeyMapping> rows;
    db.ListKeyMappings(profile, rows);
    for (const store::KeyMapping& row : rows) {
        const int slot = SlotOfButton(row.key_code);
        if (row.fn_layer != 0 || slot < 0) {
            continue;
        }
        const ButtonFunction function{row.macro_type, row.macro_value, row.macro_value2,
                                      row.macro_desc};
        PutEntry(report, slot, EncodeButtonEntry(row.key_code, function, macros));
    }
    return report;
}

void WriteButtonEntries(device::DeviceManager& dm, store::ProfileDatabase& db) {
    const std::vector<MacroListing> macros = MacroListingOf(db);
    for (int profile = 1; profile <= kDeviceProfiles; ++profile) {
        CommandReport report = BuildButtonEntries(db, profile, macros);
        ExchangeCommand(dm, report);
    }
}

void StoreButtonEntry(store::ProfileDatabase& db, int profile, int slot, const ButtonEntry& entry,
                      const std::vector<MacroListing>& macros) {
    const int button = ButtonOfSlot(slot);
    if (!IsDeviceProfile(profile) || button == 0) {
        return;
    }
    const std::optional<ButtonFunction> function = DecodeButtonEntry(entry, macros);
    if (!function) {
        return;
    }
    store::KeyMapping mapping;
    mapping.profile = profile;
    mapping.fn_layer = 0;
    mapping.key_code = button;
    mapping.macro_type = function->type;
    mapping.macro_value = function->value;
    mapping.macro_value2 = function->value2;
    mapping.macro_desc = function->desc;
    db.SaveKeyMapping(mapping);
}

bool ReadButtonEntries(device::DeviceManager& dm, store::ProfileDatabase& db, int profile) {
    if (!IsDeviceProfile(profile)) {
        return false;
    }
    CommandReport report = CommandReport::For(CMD_READ_KEYS, ProfileIndexOf(profile));
    ExchangeCommand(dm, report);
    if (!report.IsAccepted() || IsNotification(report)) {
        return false;
    }
    // One hold, so the key page never shows a profile half read and the macro positions are
    // those of the macros at the time of storing.
    const auto hold = db.Hold();
    const std::vector<MacroListing> macros = MacroListingOf(db);
    for (int slot = 0; slot < kButtonSlots; ++slot) {
        ButtonEntry entry;
        std::copy_n(report.Bytes().begin() + kREntries + kEntrySize * slot, kEntrySize,
                    entry.begin());
        StoreButtonEntry(db, profile, slot, entry, macros);
    }
    return true;
}

}  // namespace protocol
