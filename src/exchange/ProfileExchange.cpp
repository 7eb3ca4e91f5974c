#include "exchange/ProfileExchange.h"

#include <array>
#include <vector>

#include "exchange/ExchangeText.h"
#include "i18n/LanguageFile.h"
#include "store/ConfigDefaults.h"
#include "xml/XmlDocument.h"

namespace exchange {

namespace {

// The children of "Mouse": each carries the configuration value of its own name.
constexpr std::array<std::u16string_view, 7> kMouseKeys{
    u"button_respondtime", u"report_rate",   u"sensor_flag", u"liftoff_height",
    u"scroll_flag",        u"e-sports_flag", u"leftbtn_lock"};

// The attributes of "Mouse_DPI", each a configuration value of the same name.
constexpr std::array<std::u16string_view, 3> kDpiKeys{u"dpi_flag", u"dpi_index", u"dpi_count"};

constexpr int kDpiStages = 6;

std::string Key(std::u16string_view name) {
    return std::string(name.begin(), name.end());
}

std::u16string StageElement(int stage) {
    return u"DPI" + Decimal(stage + 1);
}

std::u16string ConfigText(store::ProfileDatabase& database, int profile, std::string_view key) {
    std::u16string value;
    database.GetConfigValue(profile, key, value);  // empty when the store cannot give it
    return value;
}

void WriteKeyItems(xml::XmlDocument& document, store::ProfileDatabase& database, int profile) {
    document.AppendElement(u"keyitems");
    document.EnterElement();
    std::vector<store::KeyMapping> mappings;
    database.ListKeyMappings(profile, mappings);
    for (const store::KeyMapping& mapping : mappings) {
        document.AppendElement(u"item");
        document.SetAttribute(u"key_code", Decimal(mapping.key_code));
        document.SetAttribute(u"macro_type", Decimal(mapping.macro_type));
        document.SetAttribute(u"macro_value", Decimal(mapping.macro_value));
        document.SetAttribute(u"macro_value2", Decimal(mapping.macro_value2));
        document.SetAttribute(u"macro_value3", Decimal(mapping.macro_value3));
        document.SetAttribute(u"macro_desc", mapping.macro_desc);
    }
    document.LeaveElement();
}

void WriteLightItems(xml::XmlDocument& document, store::ProfileDatabase& database, int profile) {
    document.AppendElement(u"Lightitems");
    document.SetAttribute(u"light_mode", Decimal(database.GetActiveLightMode(profile)));
    document.EnterElement();
    std::vector<store::LightSetting> lights;
    database.ListLights(profile, lights);
    for (const store::LightSetting& light : lights) {
        document.AppendElement(u"item");
        document.SetAttribute(u"light_mode", Decimal(light.mode));
        document.SetAttribute(u"brightness", Decimal(light.brightness));
        document.SetAttribute(u"speed", Decimal(light.speed));
        document.SetAttribute(u"direction", Decimal(light.direction));
        document.SetAttribute(u"colorful", Decimal(light.colorful));
        document.SetAttribute(u"colorindex", Decimal(light.colorindex));
        document.SetAttribute(u"color_value", Decimal(light.color_value));
    }
    document.LeaveElement();
}

void WriteDpi(xml::XmlDocument& document, store::ProfileDatabase& database, int profile) {
    document.AppendElement(u"Mouse_DPI");
    for (std::u16string_view key : kDpiKeys) {
        document.SetAttribute(key, ConfigText(database, profile, Key(key)));
    }
    document.EnterElement();
    for (int stage = 0; stage < kDpiStages; ++stage) {
        document.AppendElement(StageElement(stage));
        document.SetAttribute(u"value", ConfigText(database, profile, store::DpiValueKey(stage)));
        document.SetAttribute(u"color", ConfigText(database, profile, store::DpiColourKey(stage)));
    }
    document.LeaveElement();
}

void WriteMouse(xml::XmlDocument& document, store::ProfileDatabase& database, int profile) {
    document.AppendElement(u"Mouse");
    document.EnterElement();
    for (std::u16string_view key : kMouseKeys) {
        const std::u16string value = ConfigText(database, profile, Key(key));
        document.AppendElement(key);
        document.SetAttribute(u"value", value);
    }
}

void ReadKeyItems(xml::XmlDocument& document, store::ProfileDatabase& database, int profile) {
    if (!document.FindNextElement(u"keyitems")) {
        return;
    }
    document.EnterElement();
    while (document.FindNextElement(u"item")) {
        store::KeyMapping mapping;
        mapping.profile = profile;
        mapping.fn_layer = 0;
        mapping.key_code = ReadNumber(document.GetAttribute(u"key_code"));
        mapping.macro_type = ReadNumber(document.GetAttribute(u"macro_type"));
        mapping.macro_value = ReadNumber(document.GetAttribute(u"macro_value"));
        mapping.macro_value2 = ReadNumber(document.GetAttribute(u"macro_value2"));
        mapping.macro_value3 = ReadNumber(document.GetAttribute(u"macro_value3"));
        mapping.macro_desc = document.GetAttribute(u"macro_desc");
        // An item whose two values are 0 stores nothing: the button keeps its default.
        database.SaveKeyMapping(mapping);
    }
    document.LeaveElement();
}

void ReadLightItems(xml::XmlDocument& document, store::ProfileDatabase& database, int profile) {
    if (!document.FindNextElement(u"Lightitems")) {
        return;
    }
    database.SetActiveLightMode(profile, ReadNumber(document.GetAttribute(u"light_mode")));
    document.EnterElement();
    while (document.FindNextElement(u"item")) {
        const int mode = ReadNumber(document.GetAttribute(u"light_mode"));
        store::LightSetting light;
        if (!database.GetLight(profile, mode, light)) {
            continue;  // light rows are updated, never created
        }
        light.brightness = ReadNumber(document.GetAttribute(u"brightness"));
        light.speed = ReadNumber(document.GetAttribute(u"speed"));
        light.direction = ReadNumber(document.GetAttribute(u"direction"));
        light.colorful = ReadNumber(document.GetAttribute(u"colorful"));
        light.colorindex = ReadNumber(document.GetAttribute(u"colorindex"));
        light.color_value = ReadNumber(document.GetAttribute(u"color_value"));
        database.UpdateLight(profile, mode, light);
    }
    document.LeaveElement();
}

void ReadDpi(xml::XmlDocument& document, store::ProfileDatabase& database, int profile) {
    if (!document.FindNextElement(u"Mouse_DPI")) {
        return;
    }
    for (std::u16string_view key : kDpiKeys) {
        database.SetConfigValue(profile, Key(key), document.GetAttribute(key));
    }
    document.EnterElement();
    for (int stage = 0; stage < kDpiStages; ++stage) {
        if (document.FindNextElement(StageElement(stage))) {
            database.SetConfigValue(profile, store::DpiValueKey(stage),
                                    document.GetAttribute(u"value"));
            database.SetConfigValue(profile, store::DpiColourKey(stage),
                                    document.GetAttribute(u"color"));
        }
    }
    document.LeaveElement();
}

void ReadMouse(xml::XmlDocument& document, store::ProfileDatabase& database, int profile) {
    if (!document.FindNextElement(u"Mouse")) {
        return;
    }
    document.EnterElement();
    for (std::u16string_view key : kMouseKeys) {
        if (document.FindNextElement(key)) {
            database.SetConfigValue(profile, Key(key), document.GetAttribute(u"value"));
        }
    }
}

}  // namespace

std::u16string ProfileTitle(store::ProfileDatabase& database, int profile) {
    std::vector<store::ProfileInfo> profiles;
    database.ListProfiles(profiles);
    for (const store::ProfileInfo& info : profiles) {
        if (info.profile == profile) {
            return i18n::LoadText(ReadNumber(info.name));
        }
    }
    return {};
}

bool ExportProfile(store::ProfileDatabase& database, int profile, std::u16string_view title,
                   const std::string& path) {
    xml::XmlDocument document(kDeclaration);
    {
        // One consistent picture of the profile, even while the device worker writes.
        const auto hold = database.Hold();
        document.AppendElement(u"profile");
        document.EnterElement();
        document.AppendElement(u"profileinfo");
        document.SetAttribute(u"name", title);
        document.EnterElement();
        WriteKeyItems(document, database, profile);
        WriteLightItems(document, database, profile);
        WriteDpi(document, database, profile);
        WriteMouse(document, database, profile);
    }
    return document.SaveFile(path);
}

ImportStatus ImportProfile(store::ProfileDatabase& database, int profile, const std::string& path) {
    if (!PathExists(path)) {
        return ImportStatus::NoFile;
    }
    xml::XmlDocument document;
    if (!document.LoadFile(path)) {
        return ImportStatus::NotReadable;
    }
    if (!document.FindNextElement(u"profile")) {
        return ImportStatus::WrongKind;
    }
    document.EnterElement();
    document.FindNextElement(u"profileinfo");  // its name is for people, not for the import
    document.EnterElement();

    // The whole import is one step for the device worker, which must not read half of it.
    const auto hold = database.Hold();
    database.DeleteKeyMappings(profile);
    ReadKeyItems(document, database, profile);
    ReadLightItems(document, database, profile);
    ReadDpi(document, database, profile);
    ReadMouse(document, database, profile);
    return ImportStatus::Imported;
}

}  // namespace exchange
