// Profile and macro files through the real program: exact bytes, round trips, refusals, and
// macro names that cannot be file names.
#include <gtest/gtest.h>

#include "CliFixture.h"

namespace cli_test {
namespace {

using testing_support::ReadFile;
using testing_support::WriteFile;

std::string CrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

class CliFilesTest : public CliFixture {};

TEST_F(CliFilesTest, ProfileFileIsExactAndCopiesOneProfileIntoAnother) {
    const std::string file = m_work + "/profile.xml";
    ASSERT_EQ(Cli({"export-profile", file}).status, 0);
    EXPECT_EQ(ReadFile(file), CrLf({R"(<?xml version="1.0" encoding="UTF-8"?>)",
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
                                    "</profile>"}));

    for (const std::vector<std::string>& change :
         {std::vector<std::string>{"set", "dpi_group3_value", "4000"},
          {"set", "leftbtn_lock", "0"},
          {"button", "1", "right-click"},
          {"button", "7", "shortcut", "show-desktop"},
          {"button", "4", "multimedia", "volume-up"}}) {
        const CliRun run = Cli(change);
        ASSERT_EQ(run.status, 0) << run;
    }
    const CliRun refused = Cli({"export-profile", file});
    EXPECT_EQ(refused.status, 1) << refused;
    EXPECT_EQ(refused.err, "varneth-cli: " + file + " exists; add --force to replace it\n");
    ASSERT_EQ(Cli({"export-profile", "--force", file}).status, 0);
    EXPECT_NE(ReadFile(file).find("<item key_code=\"8\" macro_type=\"26\" macro_value=\"5\" "
                                  "macro_value2=\"0\" macro_value3=\"0\" "
                                  "macro_desc=\"Show desktop\"/>\r\n"),
              std::string::npos);
    const nlohmann::json first = Json(Cli({"--json", "show"}));

    ASSERT_EQ(Cli({"profile", "2"}).status, 0);
    ASSERT_EQ(Cli({"button", "2", "dpi-up"}).status, 0);
    const CliRun imported = Cli({"import-profile", file});
    ASSERT_EQ(imported.status, 0) << imported;
    EXPECT_EQ(imported.out, "Imported " + file + " into profile 2\n");
    const nlohmann::json second = Json(Cli({"--json", "show"}));
    EXPECT_EQ(second["profile"], 2);
    EXPECT_EQ(second["config"], first["config"]);
    // The same assignments, in rows of their own.
    nlohmann::json firstButtons = first["buttons"];
    nlohmann::json secondButtons = second["buttons"];
    ASSERT_EQ(secondButtons.size(), 3u);
    for (nlohmann::json* buttons : {&firstButtons, &secondButtons}) {
        for (nlohmann::json& button : *buttons) {
            button.erase("key_id");
            button.erase("profile");
        }
    }
    EXPECT_EQ(secondButtons, firstButtons);
    EXPECT_EQ(second["buttons"][0]["profile"], 2);
}

TEST_F(CliFilesTest, ImportsThatCannotBeUsedSayWhyAndChangeNothing) {
    ASSERT_EQ(Cli({"button", "2", "forward"}).status, 0);
    const std::string macroFile = m_work + "/macro.xml";
    ASSERT_TRUE(
        WriteFile(macroFile, CrLf({"<macro>", "<macroinfo macro_name=\"m\"/>", "</macro>"})));
    const std::string twoRoots = m_work + "/two.xml";
    ASSERT_TRUE(WriteFile(twoRoots, CrLf({"<profile/>", "<profile/>"})));
    struct Case {
        std::vector<std::string> arguments;
        std::string error;
    };
    const Case cases[] = {
        {{"import-profile", m_work + "/missing.xml"},
         "there is no file " + m_work + "/missing.xml"},
        {{"import-profile", macroFile}, macroFile + " is not a profile file; nothing was imported"},
        {{"import-profile", twoRoots},
         twoRoots + " cannot be read as an XML file with one top-level element; nothing was "
                    "imported"},
        {{"macro", "import", twoRoots},
         twoRoots + " cannot be read as an XML file with one top-level element; nothing was "
                    "imported"},
        {{"macro", "import", m_work + "/missing.xml"},
         "there is no file " + m_work + "/missing.xml"},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(c.arguments);
        EXPECT_EQ(run.status, 1) << run;
        EXPECT_EQ(run.err, "varneth-cli: " + c.error + "\n");
    }
    const nlohmann::json show = Json(Cli({"--json", "show"}));
    ASSERT_EQ(show["buttons"].size(), 1u);
    EXPECT_EQ(show["buttons"][0]["macro_type"], 5);
    EXPECT_TRUE(Json(Cli({"--json", "macro", "list"}))["macros"].empty());
}

// A macro file as the program writes it, with three steps.
std::string ThreeStepMacro(const std::string& name) {
    return CrLf({R"(<?xml version="1.0" encoding="UTF-8"?>)", "<macro>",
                 "<macroinfo macro_name=\"" + name +
                     R"(" macro_type="0" play_times="3" delay_type="2" delay_time="20"/>)",
                 "<macroitems>",
                 R"(<item desc="down A" index="0" type="2" value="65" timestamp="7"/>)",
                 R"(<item desc=" -   20 ms" index="1" type="1" value="20" timestamp="8"/>)",
                 R"(<item desc="up A" index="2" type="3" value="65" timestamp="9"/>)",
                 "</macroitems>", "</macro>"});
}

TEST_F(CliFilesTest, MacroFileRoundTripIsExact) {
    const std::string source = m_work + "/in.xml";
    ASSERT_TRUE(WriteFile(source, ThreeStepMacro("Jump &amp; run")));
    const CliRun imported = Cli({"macro", "import", source});
    ASSERT_EQ(imported.status, 0) << imported;
    EXPECT_EQ(imported.out, "Imported macro 1 \"Jump & run\" with 3 steps\n");

    const std::string out = testing_support::MakeTempFolder("macros");
    const CliRun exported = Cli({"--json", "macro", "export", "1", out});
    ASSERT_EQ(exported.status, 0) << exported;
    const nlohmann::json result = Json(exported);
    EXPECT_EQ(result["name_mended"], false);
    const std::vector<std::string> files = FilesIn(out);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].rfind("Jump & run-", 0), 0u) << files[0];
    EXPECT_EQ(result["file"], out + "/" + files[0]);
    EXPECT_EQ(ReadFile(out + "/" + files[0]), ReadFile(source));

    // A new macro exports with its default name and an empty step list.
    const CliRun created = Cli({"macro", "new"});
    ASSERT_EQ(created.status, 0) << created;
    EXPECT_EQ(created.out, "Created macro 2 \"Custom 2\"\n");
    const nlohmann::json second = Json(Cli({"--json", "macro", "export", "2", out}));
    EXPECT_EQ(ReadFile(second["file"]),
              CrLf({R"(<?xml version="1.0" encoding="UTF-8"?>)", "<macro>",
                    R"(<macroinfo macro_name="Custom 2" macro_type="0" play_times="1" )"
                    R"(delay_type="1" delay_time="0"/>)",
                    "<macroitems/>", "</macro>"}));

    const nlohmann::json list = Json(Cli({"--json", "macro", "list"}))["macros"];
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]["name"], "Jump & run");
    EXPECT_EQ(list[0]["steps"], 3);
    EXPECT_EQ(list[0]["play_times"], 3);
}

TEST_F(CliFilesTest, MacroNamesWithSeparatorsOrDotsNeverLeaveTheChosenFolder) {
    const std::string sandbox = testing_support::MakeTempFolder("sandbox");
    const std::string folder = sandbox + "/out";
    std::filesystem::create_directories(folder);
    ASSERT_EQ(Cli({"macro", "new"}).status, 0);
    struct Case {
        std::string name;
        std::string stem;  // of the file name
    };
    for (const Case& c :
         {Case{"a/b", "a_b"}, Case{"../../escape", "___.._escape"}, Case{"..", "__"},
          Case{"/etc/passwd", "_etc_passwd"}, Case{"Wait... go", "Wait... go"}}) {
        ASSERT_EQ(Cli({"macro", "rename", "1", c.name}).status, 0) << c.name;
        const CliRun run = Cli({"--json", "macro", "export", "1", folder});
        ASSERT_EQ(run.status, 0) << run;
        const nlohmann::json result = Json(run);
        EXPECT_EQ(result["name_mended"], c.name != c.stem) << c.name;
        const std::vector<std::string> files = FilesIn(sandbox);
        ASSERT_EQ(files.size(), 1u) << c.name;
        EXPECT_EQ(files[0].rfind("out/" + c.stem + "-", 0), 0u) << files[0];
        EXPECT_EQ(result["file"], sandbox + "/" + files[0]);

        // The file keeps the real name.
        const CliRun back = Cli({"--json", "macro", "import", result["file"]});
        ASSERT_EQ(back.status, 0) << back;
        EXPECT_EQ(Json(back)["name"], c.name);
        ASSERT_EQ(Cli({"macro", "delete", std::to_string(Json(back)["id"].get<int>())}).status, 0);
        std::filesystem::remove(result["file"].get<std::string>());
    }
    ASSERT_EQ(Cli({"macro", "rename", "1", "x/y"}).status, 0);
    const CliRun text = Cli({"macro", "export", "1", folder});
    EXPECT_NE(text.out.find("cannot be a file name as it is"), std::string::npos) << text;

    const CliRun missing = Cli({"macro", "export", "1", sandbox + "/none"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "varneth-cli: " + sandbox + "/none is not a folder\n");
}

}  // namespace
}  // namespace cli_test
