// The profile exchange file: the exact bytes of an export, a round trip into another profile,
// and what an import makes of files that differ from what the export writes.
#include <gtest/gtest.h>

#include <functional>

#include "ExchangeFixture.h"
#include "base/Utf.h"
#include "exchange/ProfileExchange.h"
#include "platform/Folders.h"
#include "store/ConfigDefaults.h"

namespace exchange_test {
namespace {

using exchange::ImportStatus;
using testing_support::ReadFile;
using testing_support::WriteFile;

// The file of a profile as a new store holds it, up to the key items.
const std::vector<std::string> kFreshProfile = {
    R"(<?xml version="1.0" encoding="UTF-8"?>)",
    "<profile>",
    R"(<profileinfo name="Profile 1">)",
    "<keyitems/>",
    R"(<Lightitems light_mode="3"/>)",
    R"(<Mouse_DPI dpi_flag="5" dpi_index="2" dpi_count="5">)",
    R"(<DPI1 value="800" color="255"/>)",
    R"(<DPI2 value="1200" color="65280"/>)",
    R"(<DPI3 value="1600" color="16711680"/>)",
    R"(<DPI4 value="3200" color="65535"/>)",
    R"(<DPI5 value="6400" color="8388736"/>)",
    R"(<DPI6 value="12000" color="16776960"/>)",
    "</Mouse_DPI>",
    "<Mouse>",
    R"(<button_respondtime value="8"/>)",
    R"(<report_rate value="2"/>)",
    R"(<sensor_flag value="53"/>)",
    R"(<liftoff_height value="1"/>)",
    R"(<scroll_flag value="0"/>)",
    R"(<e-sports_flag value="1"/>)",
    R"(<leftbtn_lock value="1"/>)",
    "</Mouse>",
    "</profileinfo>",
    "</profile>",
};

// The twelve configuration values a profile file carries.
const std::vector<std::string> kFileKeys = {
    "dpi_flag",         "dpi_index",        "dpi_count",        "dpi_group0_value",
    "dpi_group1_value", "dpi_group2_value", "dpi_group3_value", "dpi_group4_value",
    "dpi_group5_value", "dpi_group0_rgb",   "dpi_group1_rgb",   "dpi_group2_rgb",
    "dpi_group3_rgb",   "dpi_group4_rgb",   "dpi_group5_rgb",   "button_respondtime",
    "report_rate",      "sensor_flag",      "liftoff_height",   "scroll_flag",
    "e-sports_flag",    "leftbtn_lock"};

store::KeyMapping Mapping(int profile, int key, int type, int value, int value2,
                          std::u16string desc) {
    store::KeyMapping mapping;
    mapping.profile = profile;
    mapping.key_code = key;
    mapping.macro_type = type;
    mapping.macro_value = value;
    mapping.macro_value2 = value2;
    mapping.macro_desc = std::move(desc);
    return mapping;
}

// The fields a file carries (no row id, no profile).
struct Assignment {
    int key, type, value, value2, value3;
    std::u16string desc;
    bool operator==(const Assignment&) const = default;
};

std::vector<Assignment> Assignments(const std::vector<store::KeyMapping>& keys) {
    std::vector<Assignment> list;
    for (const store::KeyMapping& k : keys) {
        list.push_back({k.key_code, k.macro_type, k.macro_value, k.macro_value2, k.macro_value3,
                        k.macro_desc});
    }
    return list;
}

class ProfileExchangeTest : public ExchangeFixture {};

TEST_F(ProfileExchangeTest, FreshProfileIsWrittenByteForByte) {
    EXPECT_EQ(exchange::ProfileTitle(db, 1), u"Profile 1");
    ASSERT_TRUE(exchange::ExportProfile(db, 1, exchange::ProfileTitle(db, 1), File("p.xml")));
    EXPECT_EQ(ReadFile(File("p.xml")), CrLf(kFreshProfile));
}

TEST_F(ProfileExchangeTest, AssignmentsAndLightRowsAreWrittenInStoreOrderAndEscaped) {
    ASSERT_GT(db.SaveKeyMapping(Mapping(1, 4, 2, 1, 0, u"123")), 0);
    ASSERT_GT(db.SaveKeyMapping(Mapping(1, 2, 22, 6, 3, u"Shift+ Ctrl + C")), 0);
    ASSERT_GT(db.SaveKeyMapping(Mapping(1, 8, 23, 4, 0, u"Say \"hi\" & <go> 'now' \u5B8F")), 0);
    PlantLight(1, 3, 5, 0);
    PlantLight(1, 5, 1, 1);

    ASSERT_TRUE(exchange::ExportProfile(db, 1, u"P & 1", File("p.xml")));
    std::vector<std::string> lines = kFreshProfile;
    lines[2] = R"(<profileinfo name="P &amp; 1">)";
    lines[3] = "<keyitems>";
    lines.insert(lines.begin() + 4,
                 {R"(<item key_code="4" macro_type="2" macro_value="1" macro_value2="0" )"
                  R"(macro_value3="0" macro_desc="123"/>)",
                  R"(<item key_code="2" macro_type="22" macro_value="6" macro_value2="3" )"
                  R"(macro_value3="0" macro_desc="Shift+ Ctrl + C"/>)",
                  R"(<item key_code="8" macro_type="23" macro_value="4" macro_value2="0" )"
                  R"(macro_value3="0" macro_desc="Say &quot;hi&quot; &amp; &lt;go&gt; )"
                  "&apos;now&apos; \xE5\xAE\x8F\"/>",
                  "</keyitems>", R"(<Lightitems light_mode="5">)",
                  R"(<item light_mode="3" brightness="5" speed="2" direction="1" colorful="0" )"
                  R"(colorindex="4" color_value="16711680"/>)",
                  R"(<item light_mode="5" brightness="1" speed="2" direction="1" colorful="0" )"
                  R"(colorindex="4" color_value="16711680"/>)",
                  "</Lightitems>"});
    lines.erase(lines.begin() + 12);  // the empty-element Lightitems of a fresh profile
    EXPECT_EQ(ReadFile(File("p.xml")), CrLf(lines));
}

TEST_F(ProfileExchangeTest, RoundTripCopiesOneProfileIntoAnother) {
    ASSERT_GT(db.SaveKeyMapping(Mapping(1, 1, 3, 1, 0, u"122")), 0);
    ASSERT_GT(db.SaveKeyMapping(Mapping(1, 5, 22, 225, 0, u"LShift")), 0);
    ASSERT_GT(db.SaveKeyMapping(Mapping(1, 7, 27, 12, 0, u"\u8868\u60C5\u7B26\u53F7")), 0);
    for (const auto& [key, value] :
         std::vector<std::pair<std::string, std::u16string>>{{"dpi_group2_value", u"2400"},
                                                             {"dpi_group5_rgb", u"123"},
                                                             {"dpi_index", u"4"},
                                                             {"report_rate", u"4"},
                                                             {"scroll_flag", u"1"},
                                                             {"leftbtn_lock", u"0"}}) {
        ASSERT_TRUE(db.SetConfigValue(1, key, value));
    }
    PlantLight(1, 3, 7, 0);
    PlantLight(1, 4, 9, 1);
    PlantLight(2, 3, 1, 1);
    PlantLight(2, 4, 1, 0);
    ASSERT_GT(db.SaveKeyMapping(Mapping(2, 8, 5, 1, 0, u"124")), 0);

    ASSERT_TRUE(exchange::ExportProfile(db, 1, u"Profile 1", File("p.xml")));
    ASSERT_EQ(exchange::ImportProfile(db, 2, File("p.xml")), ImportStatus::Imported);

    EXPECT_EQ(Assignments(Keys(2)), Assignments(Keys(1)));
    for (const std::string& key : kFileKeys) {
        EXPECT_EQ(Config(2, key), Config(1, key)) << key;
    }
    EXPECT_EQ(db.GetActiveLightMode(2), 4);
    store::LightSetting light;
    ASSERT_TRUE(db.GetLight(2, 4, light));
    EXPECT_EQ(light.brightness, 9);
    EXPECT_EQ(light.color_value, 16711680);
    // The file of the imported profile is the file of the exported one.
    ASSERT_TRUE(exchange::ExportProfile(db, 2, u"Profile 1", File("q.xml")));
    EXPECT_EQ(ReadFile(File("q.xml")), ReadFile(File("p.xml")));
}

TEST_F(ProfileExchangeTest, FreshProfileFileResetsAnotherProfile) {
    ASSERT_GT(db.SaveKeyMapping(Mapping(1, 2, 5, 1, 0, u"124")), 0);
    ASSERT_TRUE(db.SetConfigValue(1, "dpi_group0_value", u"400"));
    ASSERT_TRUE(exchange::ExportProfile(db, 3, u"Profile 3", File("fresh.xml")));

    ASSERT_EQ(exchange::ImportProfile(db, 1, File("fresh.xml")), ImportStatus::Imported);
    EXPECT_TRUE(Keys(1).empty());
    for (const store::ConfigDefault& row : store::kConfigDefaults) {
        EXPECT_EQ(Config(1, row.key), base::AsciiToUtf16(row.value)) << row.key;
    }
}

// One file, changed in one place per case, imported into profile 2.
struct ImportCase {
    const char* what;
    std::function<std::string(std::string)> change;
    ImportStatus status;
    std::function<void(ExchangeFixture&)> check;
};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string Utf16LeWithMark(const std::string& utf8) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : base::Utf8ToUtf16(utf8)) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

class ProfileImportTest : public ExchangeFixture, public testing::WithParamInterface<ImportCase> {
  protected:
    // The baseline: one button assignment and values that differ from the defaults.
    static std::string Baseline() {
        std::vector<std::string> lines = kFreshProfile;
        lines[3] =
            "<keyitems>\r\n"
            R"(<item key_code="3" macro_type="2" macro_value="1" macro_value2="0" )"
            R"(macro_value3="0" macro_desc="123"/>)"
            "\r\n</keyitems>";
        lines[6] = R"(<DPI1 value="900" color="17"/>)";
        lines[8] = R"(<DPI3 value="1700" color="18"/>)";
        lines[9] = R"(<DPI4 value="3300" color="19"/>)";
        lines[14] = R"(<button_respondtime value="12"/>)";
        lines[15] = R"(<report_rate value="3"/>)";
        return CrLf(lines);
    }
};

// Profile 2 before each import: defaults and one assignment of its own.
const Assignment kOwn{8, 5, 1, 0, 0, u"124"};
const Assignment kFromFile{3, 2, 1, 0, 0, u"123"};

std::vector<Assignment> KeysOf(ExchangeFixture& f) {
    return Assignments(f.Keys(2));
}
std::u16string ConfigOf(ExchangeFixture& f, const char* key) {
    return f.Config(2, key);
}

void ExpectUnchanged(ExchangeFixture& f) {
    EXPECT_EQ(KeysOf(f), std::vector<Assignment>{kOwn});
    EXPECT_EQ(ConfigOf(f, "button_respondtime"), u"8");
    EXPECT_EQ(ConfigOf(f, "dpi_group0_value"), u"800");
}

void ExpectBaseline(ExchangeFixture& f) {
    EXPECT_EQ(KeysOf(f), std::vector<Assignment>{kFromFile});
    EXPECT_EQ(ConfigOf(f, "button_respondtime"), u"12");
    EXPECT_EQ(ConfigOf(f, "report_rate"), u"3");
    EXPECT_EQ(ConfigOf(f, "dpi_group0_value"), u"900");
    EXPECT_EQ(ConfigOf(f, "dpi_group0_rgb"), u"17");
    EXPECT_EQ(ConfigOf(f, "dpi_group2_value"), u"1700");
    EXPECT_EQ(ConfigOf(f, "dpi_group3_value"), u"3300");
}

TEST_P(ProfileImportTest, ImportsWhatTheFileSays) {
    const ImportCase& c = GetParam();
    ASSERT_GT(db.SaveKeyMapping(Mapping(2, kOwn.key, kOwn.type, kOwn.value, 0, kOwn.desc)), 0);
    ASSERT_TRUE(WriteFile(File("in.xml"), c.change(Baseline())));
    EXPECT_EQ(exchange::ImportProfile(db, 2, File("in.xml")), c.status);
    c.check(*this);
    EXPECT_EQ(Keys(1).size(), 0u) << "other profiles are never touched";
    EXPECT_EQ(Config(1, "button_respondtime"), u"8");
}

std::string Same(std::string text) {
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileImportTest,
    testing::Values(
        ImportCase{"baseline", Same, ImportStatus::Imported, ExpectBaseline},
        ImportCase{"utf16_with_byte_order_mark", Utf16LeWithMark, ImportStatus::Imported,
                   ExpectBaseline},
        ImportCase{"rate_before_response_time",
                   [](std::string t) {
                       t = Replace(t, "<report_rate value=\"3\"/>\r\n", "");
                       return Replace(t, "<button_respondtime",
                                      "<report_rate value=\"3\"/>\r\n<button_respondtime");
                   },
                   ImportStatus::Imported,
                   [](ExchangeFixture& f) {
                       EXPECT_EQ(ConfigOf(f, "button_respondtime"), u"12");
                       EXPECT_EQ(ConfigOf(f, "report_rate"), u"2") << "out of order: ignored";
                   }},
        ImportCase{"stage_out_of_order",
                   [](std::string t) {
                       t = Replace(t, "<DPI3 value=\"1700\" color=\"18\"/>\r\n", "");
                       return Replace(t, "<DPI2", "<DPI3 value=\"1700\" color=\"18\"/>\r\n<DPI2");
                   },
                   ImportStatus::Imported,
                   [](ExchangeFixture& f) {
                       EXPECT_EQ(ConfigOf(f, "dpi_group0_value"), u"900");
                       EXPECT_EQ(ConfigOf(f, "dpi_group2_value"), u"1600") << "before DPI2";
                       EXPECT_EQ(ConfigOf(f, "dpi_group3_value"), u"3300") << "still read";
                   }},
        ImportCase{
            "item_without_values",
            [](std::string t) { return Replace(t, "macro_value=\"1\"", "macro_value=\"0\""); },
            ImportStatus::Imported, [](ExchangeFixture& f) { EXPECT_TRUE(KeysOf(f).empty()); }},
        ImportCase{"no_keyitems_still_replaces_assignments",
                   [](std::string t) {
                       const size_t from = t.find("<keyitems>");
                       const size_t to = t.find("</keyitems>\r\n") + 13;
                       return t.erase(from, to - from);
                   },
                   ImportStatus::Imported,
                   [](ExchangeFixture& f) {
                       EXPECT_TRUE(KeysOf(f).empty());
                       EXPECT_EQ(ConfigOf(f, "button_respondtime"), u"12");
                   }},
        ImportCase{"numbers_read_as_their_leading_digits",
                   [](std::string t) {
                       t = Replace(t, "macro_value2=\"0\"", "macro_value2=\"7z\"");
                       return Replace(t, "macro_value=\"1\"", "macro_value=\"-1\"");
                   },
                   ImportStatus::Imported,
                   [](ExchangeFixture& f) {
                       EXPECT_EQ(KeysOf(f), (std::vector<Assignment>{{3, 2, 0, 7, 0, u"123"}}));
                   }},
        ImportCase{"texts_stored_as_they_are",
                   [](std::string t) {
                       t = Replace(t, "dpi_index=\"2\"", "dpi_index=\"\"");
                       return Replace(t, "value=\"12\"", "value=\"twelve\"");
                   },
                   ImportStatus::Imported,
                   [](ExchangeFixture& f) {
                       EXPECT_EQ(ConfigOf(f, "dpi_index"), u"");
                       EXPECT_EQ(ConfigOf(f, "button_respondtime"), u"twelve");
                   }},
        ImportCase{"light_item_without_a_row_is_skipped",
                   [](std::string t) {
                       return Replace(t, "<Lightitems light_mode=\"3\"/>",
                                      "<Lightitems light_mode=\"5\">\r\n"
                                      "<item light_mode=\"5\" brightness=\"3\"/>\r\n"
                                      "</Lightitems>");
                   },
                   ImportStatus::Imported,
                   [](ExchangeFixture& f) {
                       std::vector<store::LightSetting> lights;
                       EXPECT_EQ(f.db.ListLights(2, lights), 0) << "light rows are never made";
                       EXPECT_EQ(ConfigOf(f, "button_respondtime"), u"12");
                   }},
        ImportCase{"second_top_level_element", [](std::string t) { return t + "<profile/>\r\n"; },
                   ImportStatus::NotReadable, ExpectUnchanged},
        ImportCase{"unclosed_element", [](std::string t) { return Replace(t, "</Mouse>\r\n", ""); },
                   ImportStatus::NotReadable, ExpectUnchanged},
        ImportCase{"root_is_not_profile",
                   [](std::string t) {
                       t = Replace(t, "<profile>", "<macro>");
                       return Replace(t, "</profile>", "</macro>");
                   },
                   ImportStatus::WrongKind, ExpectUnchanged},
        ImportCase{"empty_file", [](std::string) { return std::string(); },
                   ImportStatus::NotReadable, ExpectUnchanged}),
    [](const testing::TestParamInfo<ImportCase>& info) { return info.param.what; });

TEST_F(ProfileExchangeTest, MissingFileOrUnwritablePathChangesNothing) {
    ASSERT_GT(db.SaveKeyMapping(Mapping(1, 2, 5, 1, 0, u"124")), 0);
    EXPECT_EQ(exchange::ImportProfile(db, 1, File("missing.xml")), ImportStatus::NoFile);
    EXPECT_EQ(exchange::ImportProfile(db, 1, m_files), ImportStatus::NotReadable) << "a folder";
    EXPECT_EQ(Keys(1).size(), 1u);

    EXPECT_FALSE(exchange::ExportProfile(db, 1, u"Profile 1", File("no/such/folder/p.xml")));
    EXPECT_FALSE(exchange::ExportProfile(db, 1, u"Profile 1", m_files)) << "a folder";
    EXPECT_TRUE(platform::IsDirectory(m_files));
}

}  // namespace
}  // namespace exchange_test
