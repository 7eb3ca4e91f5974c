// Macro names become file names: unsafe names are mended so the file always lands inside the
// chosen folder under a name any file system takes; safe names are used unchanged.
#include <gtest/gtest.h>

#include <filesystem>

#include "ExchangeFixture.h"
#include "base/Utf.h"
#include "exchange/MacroExchange.h"
#include "exchange/MacroFileName.h"

namespace exchange_test {
namespace {

using exchange::MacroFileName;

std::u16string Repeat(std::u16string_view unit, size_t count) {
    std::u16string text;
    for (size_t i = 0; i < count; ++i) {
        text += unit;
    }
    return text;
}

struct NameCase {
    const char* what;
    std::u16string name;
    std::u16string stem;
};

const NameCase kNames[] = {
    {"plain", u"Custom 1", u"Custom 1"},
    {"dots_inside", u"Wait... go", u"Wait... go"},
    {"dots_at_end", u"a..", u"a.."},
    {"chinese", u"\u5B8F 1", u"\u5B8F 1"},
    {"emoji", u"\U0001F600 fun", u"\U0001F600 fun"},
    {"blank", u" ", u" "},
    {"slash", u"a/b", u"a_b"},
    {"parent_path", u"../../escape", u"___.._escape"},
    {"only_dot_dot", u"..", u"__"},
    {"only_dot", u".", u"_"},
    {"hidden", u".hidden", u"_hidden"},
    {"absolute", u"/etc/passwd", u"_etc_passwd"},
    {"backslash", u"..\\..\\x", u"___.._x"},
    {"refused_characters", u"a:b*c?d\"e<f>g|h", u"a_b_c_d_e_f_g_h"},
    {"control_characters", std::u16string(u"t\tn\nz\0z", 7) + u"\x7F", u"t_n_z_z_"},
    {"empty", u"", u"Macro"},
    {"lone_surrogate", u"\xD800x\xDC00", u"_x_"},
    {"long_ascii", Repeat(u"a", 300), Repeat(u"a", 240)},
    {"long_two_byte", Repeat(u"\u00E9", 150), Repeat(u"\u00E9", 120)},
    {"long_three_byte_cut_at_boundary", u"a" + Repeat(u"\u5B8F", 80), u"a" + Repeat(u"\u5B8F", 79)},
    {"long_pairs_never_split", u"ab" + Repeat(u"\U0001F600", 60),
     u"ab" + Repeat(u"\U0001F600", 59)},
};

TEST(MacroFileName, MendsUnsafeNamesAndKeepsSafeOnes) {
    for (const NameCase& c : kNames) {
        EXPECT_EQ(base::Utf16ToUtf8(MacroFileName::Stem(c.name)), base::Utf16ToUtf8(c.stem))
            << c.what;
        EXPECT_EQ(MacroFileName::NeedsMending(c.name), c.name != c.stem) << c.what;
        const std::string file = MacroFileName::FileName(c.name, 4294967295u);
        EXPECT_LE(file.size(), 255u) << c.what;
        EXPECT_EQ(file.find('/'), std::string::npos) << c.what;
        EXPECT_TRUE(base::IsValidUtf8(file)) << c.what;
    }
    EXPECT_EQ(MacroFileName::FileName(u"a/b", 4294967295u), "a_b-4294967295.xml");
    EXPECT_EQ(MacroFileName::PathIn("/x/", u"n", 0), "/x/n-0.xml");
    EXPECT_EQ(MacroFileName::PathIn("/x", u"n", 0), "/x/n-0.xml");
}

// Every name exported for real: exactly one file appears, directly in the chosen folder, and
// the macro's own name travels unchanged inside it.
class MacroExportNameTest : public ExchangeFixture {};

TEST_F(MacroExportNameTest, FileLandsInTheChosenFolderAndKeepsTheRealName) {
    namespace fs = std::filesystem;
    const std::string sandbox = testing_support::MakeTempFolder("sandbox");
    const std::string folder = sandbox + "/a/b";
    fs::create_directories(folder);
    uint32_t tick = 100;
    for (const NameCase& c : kNames) {
        const int id = db.InsertMacro({0, c.name, 0, 1, 1, 0});
        ASSERT_GT(id, 0) << c.what;
        const exchange::MacroExportResult result =
            exchange::ExportMacro(db, id, c.name, folder, ++tick);
        ASSERT_EQ(result.status, exchange::MacroExportStatus::Written) << c.what;
        EXPECT_EQ(result.nameMended, c.name != c.stem) << c.what;
        EXPECT_EQ(result.path,
                  folder + "/" + base::Utf16ToUtf8(c.stem) + "-" + std::to_string(tick) + ".xml")
            << c.what;
        EXPECT_EQ(fs::path(result.path).parent_path(), fs::path(folder)) << c.what;

        std::vector<std::string> everything;
        for (const auto& entry : fs::recursive_directory_iterator(sandbox)) {
            if (entry.is_regular_file()) {
                everything.push_back(entry.path().string());
            }
        }
        EXPECT_EQ(everything, std::vector<std::string>{result.path}) << c.what;

        const exchange::MacroImportResult read = exchange::ImportMacro(db, result.path);
        ASSERT_EQ(read.status, exchange::ImportStatus::Imported) << c.what;
        if (c.what != std::string("lone_surrogate") &&
            c.what != std::string("control_characters")) {
            EXPECT_EQ(read.name, c.name) << c.what;
        }
        fs::remove(result.path);
    }
}

}  // namespace
}  // namespace exchange_test
