// Wrong command lines end with status 2 and say what is wrong; every command has its help.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "CliFixture.h"

namespace cli_test {
namespace {

class CliUsageTest : public CliFixture {};

TEST_F(CliUsageTest, WrongCommandLinesAreUsageErrors) {
    struct Case {
        std::vector<std::string> arguments;
        std::string says;  // part of the message
    };
    const Case cases[] = {
        {{}, "A subcommand is required"},
        {{"fly"}, "varneth-cli: unknown command fly (see: varneth-cli --help)\n"},
        {{"macro", "fly"}, "unknown command macro fly (see: varneth-cli macro --help)"},
        {{"status", "now"}, "The following argument was not expected: now"},
        {{"--simulate=usb", "status"}, "usb is not a kind of virtual mouse"},
        {{"--sim-state", "x.json", "status"}, "requires --simulate"},
        {{"set", "report_rate", "9"}, "report_rate takes a whole number from 1 to 4, not 9"},
        {{"set", "sleep_light", "7"}, "sleep_light takes one of 1, 3, 5, 10, 20, 30, 60"},
        {{"set", "dpi_group0_rgb", "0x1000000"}, "dpi_group0_rgb takes"},
        {{"set", "version", "2"}, "there is no configuration key version"},
        {{"set", "report_rate"}, "VALUE is required"},
        {{"profile", "6"}, "not in range"},
        {{"button", "8", "left-click"}, "not in range"},
        {{"button", "2", "teleport"}, "there is no button function teleport"},
        {{"button", "2", "key", "NoSuchKey"}, "there is no key \"NoSuchKey\""},
        {{"button", "2", "key", "Ctrl"}, "a modifier is not a key of its own"},
        {{"button", "2", "key"}, "key needs a key name, a modifier or both"},
        {{"button", "2", "forward", "--ctrl"}, "belong to the key function"},
        {{"button", "2", "forward", "extra"}, "forward takes no argument"},
        {{"button", "2", "shortcut", "teleport"}, "shortcut takes one of brightness-up"},
        {{"button", "2", "macro"}, "macro needs a macro id"},
        {{"macro"}, "A subcommand is required"},
        {{"macro", "rename", "1", ""}, "a macro's name cannot be empty"},
        {{"macro", "export", "one", "/tmp"}, "ID"},
        {{"--simulate", "reset"}, "add --yes to confirm"},
        {{"--simulate", "factory-reset"}, "add --yes to confirm"},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(c.arguments);
        EXPECT_EQ(run.status, 2) << run;
        EXPECT_FALSE(run.err.empty()) << run;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.says << "\n" << run;
        EXPECT_EQ(run.out, "") << run;
    }
}

TEST_F(CliUsageTest, AssignmentsStoreWhatTheKeyPageStores) {
    ASSERT_EQ(Cli({"macro", "new"}).status, 0);
    struct Case {
        std::vector<std::string> arguments;
        int keyCode, type, value, value2;
        std::string desc, text;
    };
    const Case cases[] = {
        {{"button", "4", "middle-click"}, 4, 2, 1, 0, "123", "Middle click"},
        {{"button", "6", "dpi-up"}, 7, 7, 1, 0, "127", "DPI up"},
        {{"button", "7", "default"}, 8, 24, 1, 0, "162", "Default"},
        {{"button", "2", "key", "page", "up", "--alt"},
         2,
         22,
         75,
         4,
         "Alt + Page Up",
         "Alt + Page Up"},
        {{"button", "2", "key", "--alt"}, 2, 22, 0, 4, "Alt", "Alt"},
        {{"button", "3", "key", "C", "--ctrl", "--shift", "--win"},
         3,
         22,
         6,
         11,
         "Shift+ Ctrl+ Win + C",
         "Shift+ Ctrl+ Win + C"},
        {{"button", "5", "macro", "1"}, 5, 23, 1, 0, "Custom 1", "Custom 1"},
        {{"button", "4", "multimedia", "play-pause"}, 4, 25, 2, 0, "179", "Play/Pause"},
        {{"button", "4", "shortcut", "copy"}, 4, 26, 11, 0, "31", "Copy"},
        {{"button", "4", "shortcut", "screenshot"}, 4, 26, 10, 0, "Screenshot", "Screenshot"},
    };
    for (const Case& c : cases) {
        const CliRun run = Cli(c.arguments);
        ASSERT_EQ(run.status, 0) << run;
        nlohmann::json found;
        const nlohmann::json show = Json(Cli({"--json", "show"}));
        for (const nlohmann::json& button : show["buttons"]) {
            if (button["key_code"] == c.keyCode) {
                found = button;
            }
        }
        ASSERT_TRUE(found.is_object()) << c.desc;
        EXPECT_EQ(found["macro_type"], c.type) << c.desc;
        EXPECT_EQ(found["macro_value"], c.value) << c.desc;
        EXPECT_EQ(found["macro_value2"], c.value2) << c.desc;
        EXPECT_EQ(found["macro_value3"], 0) << c.desc;
        EXPECT_EQ(found["macro_desc"], c.desc);
        EXPECT_EQ(found["text"], c.text);
    }

    const CliRun locked = Cli({"button", "1", "back"});
    EXPECT_EQ(locked.status, 1);
    EXPECT_NE(locked.err.find("button 1 is locked"), std::string::npos);
    const CliRun noMacro = Cli({"button", "2", "macro", "9"});
    EXPECT_EQ(noMacro.status, 1);
    EXPECT_EQ(noMacro.err, "varneth-cli: there is no macro 9 (see: varneth-cli macro list)\n");

    // Renaming a macro renames it on every profile's buttons.
    ASSERT_EQ(Cli({"profile", "2"}).status, 0);
    ASSERT_EQ(Cli({"button", "5", "macro", "1"}).status, 0);
    ASSERT_EQ(Cli({"macro", "rename", "1", "Sprint"}).status, 0);
    for (const char* profile : {"1", "2"}) {
        ASSERT_EQ(Cli({"profile", profile}).status, 0);
        const nlohmann::json buttons = Json(Cli({"--json", "show"}))["buttons"];
        bool seen = false;
        for (const nlohmann::json& button : buttons) {
            if (button["key_code"] == 5) {
                EXPECT_EQ(button["macro_desc"], "Sprint") << "profile " << profile;
                seen = true;
            }
        }
        EXPECT_TRUE(seen) << "profile " << profile;
    }
}

TEST_F(CliUsageTest, NewMacrosStopAtThirtyTwo) {
    ASSERT_EQ(Cli({"macro", "new"}).status, 0);
    // 30 more macros straight into the database, so the next new one is the 32nd.
    const std::string database =
        m_home + "/Documents/Varneth software MouseDbFiles/db/VarnethM1_data_trq.db";
    sqlite3* handle = nullptr;
    ASSERT_EQ(sqlite3_open(database.c_str(), &handle), SQLITE_OK);
    std::string sql = "BEGIN;";
    for (int i = 2; i <= 31; ++i) {
        sql +=
            "INSERT INTO t_macro_data(name, play_type, play_times, delay_type, delay_time) "
            "VALUES ('Custom " +
            std::to_string(i) + "', 0, 1, 1, 0);";
    }
    sql += "COMMIT;";
    EXPECT_EQ(sqlite3_exec(handle, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(handle);

    const CliRun last = Cli({"macro", "new"});
    ASSERT_EQ(last.status, 0) << last;
    EXPECT_EQ(last.out, "Created macro 32 \"Custom 32\"\n");
    const CliRun refused = Cli({"macro", "new"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              "varneth-cli: there are already 32 macros, the most the mouse holds; delete one "
              "first\n");
    EXPECT_EQ(Json(Cli({"--json", "macro", "list"}))["macros"].size(), 32u);
}

TEST_F(CliUsageTest, EveryCommandHasHelp) {
    for (const std::vector<std::string>& command : {std::vector<std::string>{},
                                                    {"status"},
                                                    {"read"},
                                                    {"upload"},
                                                    {"reset"},
                                                    {"factory-reset"},
                                                    {"profile"},
                                                    {"show"},
                                                    {"set"},
                                                    {"button"},
                                                    {"export-profile"},
                                                    {"import-profile"},
                                                    {"macro"},
                                                    {"macro", "list"},
                                                    {"macro", "new"},
                                                    {"macro", "export"},
                                                    {"macro", "import"},
                                                    {"macro", "delete"},
                                                    {"macro", "rename"}}) {
        std::vector<std::string> arguments = command;
        arguments.push_back("--help");
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.status, 0) << run;
        EXPECT_NE(run.out.find("Usage: "), std::string::npos) << run;
    }
    EXPECT_NE(Cli({"set", "--help"}).out.find("dpi_group5_rgb"), std::string::npos);
    EXPECT_NE(Cli({"button", "--help"}).out.find("show-desktop"), std::string::npos);
}

}  // namespace
}  // namespace cli_test
