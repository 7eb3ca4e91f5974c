// The macro exchange file: the exact bytes of an export, the import as a new macro, and what an
// import makes of files that differ from what the export writes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "ExchangeFixture.h"
#include "exchange/MacroExchange.h"

namespace exchange_test {
namespace {

using exchange::ImportStatus;
using exchange::MacroExportStatus;
using testing_support::ReadFile;
using testing_support::WriteFile;

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The fields a file carries (no row ids).
struct Step {
    int index, type, value, stamp;
    std::u16string desc;
    bool operator==(const Step&) const = default;
};

class MacroExchangeTest : public ExchangeFixture {
  protected:
    int AddMacro(std::u16string name, int playType, int playTimes, int delayType, int delayTime,
                 const std::vector<Step>& steps) {
        const int id =
            db.InsertMacro({0, std::move(name), playType, playTimes, delayType, delayTime});
        EXPECT_GT(id, 0);
        std::vector<store::MacroStep> rows;
        for (const Step& s : steps) {
            rows.push_back({0, id, s.type, s.index, s.value, s.stamp, s.desc});
        }
        db.AddMacroSteps(rows);
        return id;
    }
    std::vector<Step> Steps(int id) {
        std::vector<store::MacroStep> rows;
        db.ListMacroSteps(id, rows);
        std::vector<Step> steps;
        for (const store::MacroStep& r : rows) {
            steps.push_back({r.record_index, r.type, r.value, r.delay_time, r.desc});
        }
        return steps;
    }
    int MacroCount() {
        std::vector<store::MacroInfo> macros;
        return db.ListMacros(macros);
    }
};

const std::vector<Step> kThreeSteps = {
    {0, 2, 65, 101, u"\u2193  A"}, {1, 1, 10, 102, u" -   10 ms"}, {2, 3, 65, 103, u"\u2191  A"}};

TEST_F(MacroExchangeTest, ThreeStepMacroIsWrittenByteForByteAndImportsAsANewMacro) {
    const int id = AddMacro(u"Custom 1", 0, 3, 2, 25, kThreeSteps);
    const exchange::MacroExportResult written =
        exchange::ExportMacro(db, id, u"Custom 1", m_files, 4242);
    ASSERT_EQ(written.status, MacroExportStatus::Written);
    EXPECT_EQ(written.path, m_files + "/Custom 1-4242.xml");
    EXPECT_FALSE(written.nameMended);
    EXPECT_EQ(ReadFile(written.path),
              CrLf({R"(<?xml version="1.0" encoding="UTF-8"?>)", "<macro>",
                    R"(<macroinfo macro_name="Custom 1" macro_type="0" play_times="3" )"
                    R"(delay_type="2" delay_time="25"/>)",
                    "<macroitems>",
                    "<item desc=\"\xE2\x86\x93  A\" index=\"0\" type=\"2\" value=\"65\" "
                    "timestamp=\"101\"/>",
                    R"(<item desc=" -   10 ms" index="1" type="1" value="10" timestamp="102"/>)",
                    "<item desc=\"\xE2\x86\x91  A\" index=\"2\" type=\"3\" value=\"65\" "
                    "timestamp=\"103\"/>",
                    "</macroitems>", "</macro>"}));

    const exchange::MacroImportResult read = exchange::ImportMacro(db, written.path);
    ASSERT_EQ(read.status, ImportStatus::Imported);
    EXPECT_NE(read.macroId, id);
    EXPECT_EQ(read.stepsStored, 3);
    EXPECT_EQ(read.stepsSkipped, 0);
    store::MacroInfo macro;
    ASSERT_TRUE(db.GetMacro(read.macroId, macro));
    EXPECT_EQ(macro, (store::MacroInfo{read.macroId, u"Custom 1", 0, 3, 2, 25}));
    EXPECT_EQ(Steps(read.macroId), kThreeSteps);
}

TEST_F(MacroExchangeTest, MacroWithoutStepsHasAnEmptyStepList) {
    const int id = AddMacro(u"Empty", 1, 1, 1, 0, {});
    const auto written = exchange::ExportMacro(db, id, u"Shown name", m_files, 7);
    ASSERT_EQ(written.status, MacroExportStatus::Written);
    EXPECT_EQ(ReadFile(written.path),
              CrLf({R"(<?xml version="1.0" encoding="UTF-8"?>)", "<macro>",
                    R"(<macroinfo macro_name="Shown name" macro_type="1" play_times="1" )"
                    R"(delay_type="1" delay_time="0"/>)",
                    "<macroitems/>", "</macro>"}));
}

TEST_F(MacroExchangeTest, SameTickWritesTheSameFileAgain) {
    const int id = AddMacro(u"M", 0, 2, 1, 0, kThreeSteps);
    ASSERT_EQ(exchange::ExportMacro(db, id, u"M", m_files, 9).status, MacroExportStatus::Written);
    ASSERT_TRUE(db.UpdateMacro(id, {0, u"M", 0, 5, 1, 0}));
    ASSERT_EQ(exchange::ExportMacro(db, id, u"M", m_files, 9).status, MacroExportStatus::Written);
    EXPECT_EQ(FilesIn(m_files), std::vector<std::string>{"M-9.xml"});
    EXPECT_NE(ReadFile(File("M-9.xml")).find("play_times=\"5\""), std::string::npos);
}

TEST_F(MacroExchangeTest, ExportsThatCannotWriteSaySoAndLeaveNoFile) {
    const int id = AddMacro(u"M", 0, 1, 1, 0, {});
    EXPECT_EQ(exchange::ExportMacro(db, id + 5, u"M", m_files, 1).status,
              MacroExportStatus::NoSuchMacro);
    EXPECT_EQ(exchange::ExportMacro(db, id, u"M", m_files + "/missing", 1).status,
              MacroExportStatus::NoFolder);
    ASSERT_TRUE(WriteFile(File("plain"), "x"));
    EXPECT_EQ(exchange::ExportMacro(db, id, u"M", File("plain"), 1).status,
              MacroExportStatus::NoFolder);
    // A folder stands where the file would go.
    ASSERT_EQ(::mkdir(File("M-1.xml").c_str(), 0755), 0);
    EXPECT_EQ(exchange::ExportMacro(db, id, u"M", m_files, 1).status,
              MacroExportStatus::WriteFailed);
    EXPECT_EQ(FilesIn(m_files), (std::vector<std::string>{"M-1.xml", "plain"}));
    EXPECT_TRUE(std::filesystem::is_directory(File("M-1.xml")));
}

// A file changed in one place per case.
struct MacroImportCase {
    const char* what;
    std::string text;
    ImportStatus status;
    store::MacroInfo macro;  // macro_id unused
    std::vector<Step> steps;
};

const std::string kInfo =
    R"(<macroinfo macro_name="Imported" macro_type="0" play_times="4" delay_type="2" )"
    R"(delay_time="30"/>)";
const std::string kItems =
    "<macroitems>\r\n"
    R"(<item desc="a" index="0" type="2" value="65" timestamp="5"/>)"
    "\r\n"
    R"(<item desc="b" index="1" type="3" value="65"/>)"
    "\r\n</macroitems>";

class MacroImportTest : public MacroExchangeTest,
                        public testing::WithParamInterface<MacroImportCase> {};

TEST_P(MacroImportTest, AddsWhatTheFileHolds) {
    const MacroImportCase& c = GetParam();
    const int before = MacroCount();
    ASSERT_TRUE(WriteFile(File("m.xml"), c.text));
    const exchange::MacroImportResult result = exchange::ImportMacro(db, File("m.xml"));
    EXPECT_EQ(result.status, c.status);
    if (c.status != ImportStatus::Imported) {
        EXPECT_EQ(MacroCount(), before);
        return;
    }
    store::MacroInfo macro;
    ASSERT_TRUE(db.GetMacro(result.macroId, macro));
    macro.macro_id = 0;
    EXPECT_EQ(macro, c.macro);
    EXPECT_EQ(Steps(result.macroId), c.steps);
}

const store::MacroInfo kImported{0, u"Imported", 0, 4, 2, 30};
const std::vector<Step> kImportedSteps = {{0, 2, 65, 5, u"a"}, {1, 3, 65, 0, u"b"}};

INSTANTIATE_TEST_SUITE_P(
    Files, MacroImportTest,
    testing::Values(
        MacroImportCase{"item_without_timestamp", CrLf({"<macro>", kInfo, kItems, "</macro>"}),
                        ImportStatus::Imported, kImported, kImportedSteps},
        MacroImportCase{"items_before_info",
                        CrLf({"<macro>", kItems, kInfo, "</macro>"}),
                        ImportStatus::Imported,
                        kImported,
                        {}},
        MacroImportCase{"no_info",
                        CrLf({"<macro>", kItems, "</macro>"}),
                        ImportStatus::Imported,
                        {0, u"", 0, 0, 0, 0},
                        kImportedSteps},
        MacroImportCase{"non_numeric_settings",
                        CrLf({"<macro>",
                              R"(<macroinfo macro_name="&lt;x&gt; &#x41;" macro_type="two" )"
                              R"(play_times="7times"/>)",
                              "</macro>"}),
                        ImportStatus::Imported,
                        {0, u"<x> A", 0, 7, 0, 0},
                        {}},
        MacroImportCase{"root_is_profile",
                        CrLf({"<profile>", kInfo, kItems, "</profile>"}),
                        ImportStatus::WrongKind,
                        {},
                        {}},
        MacroImportCase{"two_roots",
                        CrLf({"<macro>", kInfo, "</macro>", "<macro/>"}),
                        ImportStatus::NotReadable,
                        {},
                        {}},
        MacroImportCase{"not_xml", "just text", ImportStatus::NotReadable, {}, {}}),
    [](const testing::TestParamInfo<MacroImportCase>& info) { return info.param.what; });

TEST_F(MacroExchangeTest, ImportNeverReplacesAMacroOfTheSameName) {
    const int id = AddMacro(u"Twice", 0, 1, 1, 0, kThreeSteps);
    const auto written = exchange::ExportMacro(db, id, u"Twice", m_files, 1);
    ASSERT_EQ(written.status, MacroExportStatus::Written);
    const auto first = exchange::ImportMacro(db, written.path);
    const auto second = exchange::ImportMacro(db, written.path);
    ASSERT_EQ(second.status, ImportStatus::Imported);
    EXPECT_NE(first.macroId, second.macroId);
    EXPECT_EQ(MacroCount(), 3);
    EXPECT_EQ(Steps(id), kThreeSteps);
    EXPECT_EQ(exchange::ImportMacro(db, File("missing.xml")).status, ImportStatus::NoFile);
}

}  // namespace
}  // namespace exchange_test
