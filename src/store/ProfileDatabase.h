#pragma once

#include <array>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "store/KeyMapping.h"
#include "store/LightSetting.h"
#include "store/MacroInfo.h"
#include "store/MacroStep.h"
#include "store/ProfileInfo.h"
#include "store/SQLiteDB.h"

namespace store {

// Answers the kind of connection that carries the mouse's traffic: 0 wired, 1 or 3 the
// receiver, 2 Bluetooth LE, -1 no mouse. The device manager provides it; it decides the report
// rate a reset profile gets.
using ConnectionKindQuery = std::function<int()>;

// The settings database of the selected mouse model: one SQLite file per model under the data
// folder, "db/<name>_data_trq.db". It holds the profiles, their configuration values, button
// assignments and light rows, and the macros with their steps.
//
// One object serves the whole process (Instance()); the window thread and the device worker
// both call it. Every operation holds the object's recursive lock from start to end, so each
// one is atomic for the other thread, and an operation may call another inside its hold.
// Sequences of operations are not atomic unless the caller keeps Hold() across them.
//
// Errors are results: every operation on a closed database, on a file that is not a database
// or lacks a table, or on a read-only file fails quietly with false, 0, an empty value or an
// empty list, and leaves the file as it was. Nothing is shown or logged.
class ProfileDatabase {
  public:
    // Names of the five profiles a new or cleared database gets (language text numbers), with
    // ids 1 to 5 in this order.
    static constexpr std::array<int, 5> kDefaultProfileNames{800, 801, 811, 821, 831};

    ProfileDatabase() = default;
    ProfileDatabase(const ProfileDatabase&) = delete;
    ProfileDatabase& operator=(const ProfileDatabase&) = delete;

    // The process-wide store, constructed on first use (from any thread) and destroyed at exit.
    static ProfileDatabase& Instance();

    // Keeps the store's lock for a sequence of operations the other thread must not split.
    // Never keep it while waiting for the other thread.
    [[nodiscard]] std::unique_lock<std::recursive_mutex> Hold();

    // ---- The database file -------------------------------------------------------------

    // `folder` + "db/" + `name` + "_data_trq.db", in UTF-8. `folder` ends in '/'.
    static std::string DatabaseFilePath(const std::string& folder, std::u16string_view name);

    // Opens the model's database file, creating it with its tables when no file exists. An
    // existing file is opened as it is: nothing is added, repaired or replaced. While a
    // connection is already open the answer is true and that connection stays in use, even
    // when it belongs to another file (close first to switch). Records the answer as opened.
    bool OpenForDevice(const std::string& folder, std::u16string_view name);

    // OpenForDevice, then ClearAll: the factory reset of the database. Answers the open.
    bool OpenAndClear(const std::string& folder, std::u16string_view name);

    // With the connection closed: creates the file at the last computed path and runs the 15
    // schema statements in order, continuing after a failure. True when the connection was
    // already open, or when every statement succeeded; the connection stays open even when a
    // statement failed. False without a path or when the file cannot be created.
    bool CreateSchema();

    // Deletes every row of every table and restarts the id counters, so the next row of each
    // table gets id 1 again. Failures are ignored.
    void ClearAll();

    // Closes the connection (true when none is open); false when SQLite refuses.
    bool Close();
    bool IsOpen() const;

    // Closes a database that is open, opens the one of `name` in `folder` and remembers
    // `deviceType` as the current model, all in one hold of the lock.
    bool SelectDatabase(const std::string& folder, std::u16string_view name, int deviceType);

    // Result of the last OpenForDevice.
    bool IsOpened() const;
    // Device type of the model whose database was selected last; 0 before any selection.
    int DeviceType() const;
    void SetDeviceType(int deviceType);
    // Path of the current database file as last computed by OpenForDevice.
    std::string DatabasePath() const;

    // Sets how the report rate of a reset profile is chosen (null: as with no mouse).
    void SetConnectionKindQuery(ConnectionKindQuery query);

    // ---- Configuration values of a profile ------------------------------------------------

    // The value of (profile, key) into `value` (emptied first). False when there is no row.
    bool GetConfigValue(int profile, std::string_view key, std::u16string& value);
    // Replaces the value of (profile, key). Never creates a row: a pair without one changes
    // nothing and still answers true. False when the database refuses the update.
    bool SetConfigValue(int profile, std::string_view key, std::u16string_view value);
    // GetConfigValue read as a decimal number (leading blanks, sign, digits); 0 when missing
    // or not numeric.
    int GetConfigInt(int profile, std::string_view key);
    // SetConfigValue with the decimal text of `value`.
    bool SetConfigInt(int profile, std::string_view key, int value);
    // Inserts one row per key with its default, in table order (ConfigDefaults.h). Results
    // are ignored. Called twice it leaves two rows per key.
    void InsertConfigDefaults(int profile);
    // Sets every key but "version" back to its default; "report_rate" becomes "4" while the
    // mouse is wired and "2" otherwise, including with no mouse.
    void ResetConfigDefaults(int profile);

    // ---- Profiles ----------------------------------------------------------------------

    // Inserts a profile (its name and app; status and type 0) and its 25 default
    // configuration rows. The new id, or 0 when the insert failed; the configuration rows are
    // then not inserted either.
    int AddProfile(const ProfileInfo& info);
    // Replaces `list` with every profile in table order, names relabelled for the current
    // user-interface language (ProfileNameLabel.h). Answers the count.
    int ListProfiles(std::vector<ProfileInfo>& list);
    // Makes `id` the only active profile. An id without a row leaves every profile inactive
    // and still answers true.
    bool SetActiveProfile(int id);
    // Id of the first active profile, 0 when there is none or the query fails.
    int GetActiveProfile();
    // When the database holds no profile: adds the five default profiles (ids 1 to 5 on an
    // empty or cleared database) and activates profile 1, all in one hold, so two threads
    // refreshing at once never create two sets. True when the database held no profile and
    // the set was attempted (every step fails quietly on a closed database).
    bool EnsureDefaultProfiles();
    // The active profile; when there is none, activates profile 1 first. 0 when that fails.
    int EnsureActiveProfile();

    // ---- Button assignments (fn_layer is always 0) ----------------------------------------

    // Replaces the row of (profile, fn_layer, key_code). A record with macro_value and
    // macro_value2 both 0 only deletes the row (the button goes back to its default) and
    // answers 0. Otherwise answers the new key_id, or 0 when the insert failed; the button's
    // previous row is then kept.
    int SaveKeyMapping(const KeyMapping& mapping);
    // The row of (profile, key_code) into `mapping`; false, with `mapping` untouched, when
    // there is none.
    bool GetKeyMapping(int profile, int keyCode, KeyMapping& mapping);
    // Replaces the display text of an existing row.
    bool SetKeyMacroDesc(int profile, int keyCode, std::u16string_view desc);
    // Replaces `list` with the profile's rows in table order. Answers the count.
    int ListKeyMappings(int profile, std::vector<KeyMapping>& list);
    // Deletes every row of the profile.
    bool DeleteKeyMappings(int profile);

    // ---- Macros -------------------------------------------------------------------------

    // A new macro that plays once with delay choice 1. The new id, or 0.
    int AddMacro(std::u16string_view name);
    // A new macro with the record's name and settings (its macro_id is not used). The new id,
    // or 0.
    int InsertMacro(const MacroInfo& macro);
    bool RenameMacro(int macroId, std::u16string_view name);
    // Replaces the name and settings of macro `macroId` (the record's own id is not used).
    bool UpdateMacro(int macroId, const MacroInfo& macro);
    bool GetMacro(int macroId, MacroInfo& macro);
    // Replaces `list` with every macro in ascending id order, the order in which the mouse
    // numbers them. Answers the count.
    int ListMacros(std::vector<MacroInfo>& list);
    // Deletes the macro and, only when that succeeded, its steps. True when both succeeded.
    // Button assignments naming the macro are left in place.
    bool DeleteMacro(int macroId);

    // A new step (its record_id is not used). The new record_id, or 0.
    int AddMacroStep(const MacroStep& step);
    // Adds every step in list order inside one transaction; steps that fail are skipped and
    // the others kept.
    void AddMacroSteps(std::vector<MacroStep> steps);
    // Replaces `list` with the macro's steps ordered by record_index. Answers the count.
    int ListMacroSteps(int macroId, std::vector<MacroStep>& list);
    bool DeleteMacroSteps(int macroId);

    // ---- Light rows (read and updated, never inserted) ----------------------------------

    // Replaces the parameters (brightness to reserved) of the profile's row of `mode`.
    bool UpdateLight(int profile, int mode, const LightSetting& light);
    // Marks `mode` as the profile's only active light row. Answers the marking.
    bool SetActiveLightMode(int profile, int mode);
    // The mode of the profile's active light row; 3 when there is none.
    int GetActiveLightMode(int profile);
    bool GetLight(int profile, int mode, LightSetting& light);
    // Replaces `list` with the profile's light rows. Answers the count.
    int ListLights(int profile, std::vector<LightSetting>& list);

  private:
    // Insert statements answer the new row id when their step succeeded, 0 otherwise.
    int InsertedId(int stepResult) const;

    mutable std::recursive_mutex m_lock;   // held for the whole of every operation
    SQLiteDB m_db;                         // the open database, or closed
    std::string m_path;                    // UTF-8 path of the current database file
    std::string m_key;                     // always empty: no key is ever applied
    int m_deviceType = 0;                  // model whose database was selected; 0 before
    bool m_opened = false;                 // result of the last OpenForDevice
    ConnectionKindQuery m_connectionKind;  // report rate choice of a reset
};

// True for the step results every write of the store counts as success: 0, 100 and 101.
inline bool StepSucceeded(int result) {
    return result == 0 || result == 100 || result == 101;
}

}  // namespace store
