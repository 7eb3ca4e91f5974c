// Configuration values of a profile: one t_configdata row per (profile, key), values as text.
#include <climits>
#include <string>

#include "store/ConfigDefaults.h"
#include "store/ProfileDatabase.h"
#include "store/SQLiteStatement.h"
#include "store/Utf8Text.h"

namespace store {

namespace {

// A plain decimal reading of a stored value: leading blanks, an optional sign, then digits up
// to the first other character. 0 without digits; values beyond the int range saturate.
int ParseDecimal(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            break;
        }
    }
    value = negative ? -value : value;
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

std::u16string Ascii(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

}  // namespace

bool ProfileDatabase::GetConfigValue(int profile, std::string_view key, std::u16string& value) {
    std::lock_guard hold(m_lock);
    value.clear();
    const std::string keyText(key);
    SQLiteStatement statement;
    m_db.Prepare(statement, "SELECT value FROM t_configdata WHERE profile = ? and key = ?");
    statement.BindInt(1, profile);
    statement.BindText(2, keyText);
    if (statement.Step() != 100) {
        return false;
    }
    value = FromUtf8(statement.ColumnText(0));
    return true;
}

bool ProfileDatabase::SetConfigValue(int profile, std::string_view key, std::u16string_view value) {
    std::lock_guard hold(m_lock);
    const std::string valueText = ToUtf8(value);
    const std::string keyText(key);
    SQLiteStatement statement;
    m_db.Prepare(statement, "UPDATE t_configdata SET value = ? WHERE profile = ? and key = ?");
    statement.BindText(1, valueText);
    statement.BindInt(2, profile);
    statement.BindText(3, keyText);
    return StepSucceeded(statement.Step());
}

int ProfileDatabase::GetConfigInt(int profile, std::string_view key) {
    std::u16string value;
    GetConfigValue(profile, key, value);
    return ParseDecimal(value);
}

bool ProfileDatabase::SetConfigInt(int profile, std::string_view key, int value) {
    return SetConfigValue(profile, key, Ascii(std::to_string(value)));
}

void ProfileDatabase::InsertConfigDefaults(int profile) {
    std::lock_guard hold(m_lock);
    SQLiteStatement statement;
    for (const ConfigDefault& row : kConfigDefaults) {
        const std::string key(row.key);
        const std::string value(row.value);
        m_db.Prepare(statement, "INSERT INTO t_configdata(profile, key, value) VALUES (?, ?, ?);");
        statement.BindInt(1, profile);
        statement.BindText(2, key);
        statement.BindText(3, value);
        statement.Step();
    }
}

void ProfileDatabase::ResetConfigDefaults(int profile) {
    // The connection kind is asked before taking the store's lock, so the device manager's own
    // lock is never taken inside the store's.
    ConnectionKindQuery query;
    {
        std::lock_guard hold(m_lock);
        query = m_connectionKind;
    }
    const int kind = query ? query() : -1;

    std::lock_guard hold(m_lock);
    for (const ConfigDefault& row : kConfigDefaults) {
        if (row.key == config_key::kVersion) {
            continue;
        }
        std::string_view value = row.value;
        if (row.key == config_key::kReportRate) {
            value = kind == 0 ? kReportRateWired : kReportRateOther;
        }
        SetConfigValue(profile, row.key, Ascii(value));
    }
}

}  // namespace store
