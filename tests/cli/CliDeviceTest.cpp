// Device commands of the real program on the virtual mouse, across separate runs that share one
// state file, and without any mouse.
#include <gtest/gtest.h>

#include "CliFixture.h"

namespace cli_test {
namespace {

class CliDeviceTest : public CliFixture {};

nlohmann::json ButtonOf(const nlohmann::json& show, int keyCode) {
    for (const nlohmann::json& button : show["buttons"]) {
        if (button["key_code"] == keyCode) {
            return button;
        }
    }
    return nullptr;
}

TEST_F(CliDeviceTest, SetUploadReadRoundTripReachesTheMouseAndComesBack) {
    for (const std::vector<std::string>& change :
         {std::vector<std::string>{"set", "dpi_group0_value", "1000"},
          {"set", "report_rate", "3"},
          {"set", "button_respondtime", "12"},
          {"button", "3", "key", "C", "--ctrl", "--shift"}}) {
        const CliRun run = Sim(change);
        ASSERT_EQ(run.status, 0) << run;
    }
    const CliRun upload = Sim({"upload"});
    ASSERT_EQ(upload.status, 0) << upload;
    EXPECT_EQ(upload.out, "Sent profile 1 to the mouse.\n");

    // The store changes again; reading the mouse brings back what was uploaded.
    for (const std::vector<std::string>& change :
         {std::vector<std::string>{"set", "dpi_group0_value", "400"},
          {"set", "report_rate", "1"},
          {"set", "button_respondtime", "2"},
          {"button", "3", "back"}}) {
        ASSERT_EQ(Sim(change).status, 0);
    }
    const CliRun read = Sim({"read"});
    ASSERT_EQ(read.status, 0) << read;
    const nlohmann::json show = Json(Sim({"--json", "show"}));
    ASSERT_TRUE(show.is_object());
    EXPECT_EQ(show["config"]["dpi_group0_value"], "1000");
    EXPECT_EQ(show["config"]["report_rate"], "3");
    EXPECT_EQ(show["config"]["button_respondtime"], "12");
    const nlohmann::json button = ButtonOf(show, 3);
    EXPECT_EQ(button["macro_type"], 22);
    EXPECT_EQ(button["macro_value"], 6) << "usage of C";
    EXPECT_EQ(button["macro_value2"], 3) << "Ctrl and Shift";
    EXPECT_EQ(button["macro_desc"], "Shift+ Ctrl + C");

    // The mouse lives in the state file, not in the store: a fresh home reads the same mouse.
    const std::string otherHome = testing_support::MakeTempFolder("other");
    const std::string state = m_work + "/mouse.json";
    ASSERT_EQ(CliIn(otherHome, {"--simulate", "--sim-state", state, "read"}).status, 0);
    const nlohmann::json other =
        Json(CliIn(otherHome, {"--simulate", "--sim-state", state, "--json", "show"}));
    EXPECT_EQ(other["config"]["dpi_group0_value"], "1000");
    EXPECT_EQ(ButtonOf(other, 3)["macro_desc"], "Shift+ Ctrl + C");
}

TEST_F(CliDeviceTest, DeviceCommandsWithoutAUsableMouseFailAndChangeNothing) {
    struct Case {
        std::vector<std::string> prefix;  // how the program is started
        std::string message;
    };
    const Case cases[] = {
        {{}, "varneth-cli: no mouse is connected\n"},
        {{"--simulate=receiver-offline"},
         "varneth-cli: the mouse is not reachable: its receiver is connected, but the mouse is "
         "off or asleep\n"},
        {{"--simulate=bluetooth"},
         "varneth-cli: the mouse is connected over Bluetooth, where its settings cannot be "
         "changed; connect it by cable or with its receiver\n"},
    };
    ASSERT_EQ(Cli({"set", "dpi_group0_value", "1000"}).status, 0);
    for (const Case& c : cases) {
        for (const std::vector<std::string>& command : {std::vector<std::string>{"read"},
                                                        {"upload"},
                                                        {"reset", "--yes"},
                                                        {"factory-reset", "--yes"}}) {
            std::vector<std::string> arguments = c.prefix;
            arguments.insert(arguments.end(), command.begin(), command.end());
            const CliRun run = Cli(arguments);
            EXPECT_EQ(run.status, 1) << run;
            EXPECT_EQ(run.err, c.message) << run;
            EXPECT_EQ(run.out, "") << run;
        }
    }
    EXPECT_EQ(Json(Cli({"--json", "show"}))["config"]["dpi_group0_value"], "1000")
        << "refused resets leave the store alone";
}

TEST_F(CliDeviceTest, StatusTellsTheConnectionInTextAndJson) {
    const CliRun none = Cli({"status"});
    ASSERT_EQ(none.status, 0) << none;
    EXPECT_EQ(none.out,
              "connection: none\nstatus: Not connected\nbattery: unknown\nfirmware: "
              "unknown\nprofile: 1\n");

    struct Case {
        std::string mode;
        std::string connection;
        std::string statusText;
        bool answers;  // battery and firmware come from the mouse
    };
    for (const Case& c :
         {Case{"wired", "wired", "Wired", true}, Case{"receiver", "receiver", "Wireless", true},
          Case{"receiver-offline", "receiver-offline", "Mouse offline", false},
          Case{"bluetooth", "bluetooth", "Bluetooth", false}}) {
        const CliRun run = Sim({"--json", "status"}, c.mode);
        ASSERT_EQ(run.status, 0) << run;
        const nlohmann::json status = Json(run);
        ASSERT_TRUE(status.is_object()) << run;
        EXPECT_EQ(status["connected"], true) << c.mode;
        EXPECT_EQ(status["connection"], c.connection);
        EXPECT_EQ(status["status_text"], c.statusText);
        EXPECT_EQ(status["battery"].is_object(), c.answers) << c.mode;
        EXPECT_EQ(status["firmware"].is_string(), c.answers) << c.mode;
        if (c.answers) {
            EXPECT_TRUE(status["battery"]["level"].is_number());
            EXPECT_FALSE(status["firmware"].get<std::string>().empty());
        }
    }
}

TEST_F(CliDeviceTest, ResetAndFactoryResetNeedConfirmationThenWriteTheMouse) {
    ASSERT_EQ(Sim({"button", "2", "forward"}).status, 0);
    ASSERT_EQ(Sim({"macro", "new"}).status, 0);

    const CliRun unconfirmed = Sim({"reset"});
    EXPECT_EQ(unconfirmed.status, 2) << unconfirmed;
    EXPECT_NE(unconfirmed.err.find("--yes"), std::string::npos);
    EXPECT_FALSE(Json(Sim({"--json", "show"}))["buttons"].empty());

    ASSERT_EQ(Sim({"reset", "--yes"}).status, 0);
    const nlohmann::json show = Json(Sim({"--json", "show"}));
    EXPECT_TRUE(show["buttons"].empty());
    EXPECT_EQ(show["config"]["report_rate"], "4") << "1000 Hz over a cable";
    EXPECT_EQ(Json(Sim({"--json", "macro", "list"}))["macros"].size(), 1u) << "macros stay";

    ASSERT_EQ(Sim({"factory-reset", "--yes"}).status, 0);
    EXPECT_TRUE(Json(Sim({"--json", "macro", "list"}))["macros"].empty());
    EXPECT_EQ(Json(Sim({"--json", "profile"}))["current"], 1);
}

TEST_F(CliDeviceTest, ProfileChoiceIsKeptBetweenRuns) {
    const CliRun chosen = Cli({"profile", "3"});
    ASSERT_EQ(chosen.status, 0) << chosen;
    EXPECT_NE(chosen.out.find("* 3  Profile 3\n"), std::string::npos) << chosen;
    ASSERT_EQ(Cli({"set", "scroll_flag", "1"}).status, 0);
    const nlohmann::json show = Json(Cli({"--json", "show"}));
    EXPECT_EQ(show["profile"], 3);
    EXPECT_EQ(show["config"]["scroll_flag"], "1");
    ASSERT_EQ(Cli({"profile", "1"}).status, 0);
    EXPECT_EQ(Json(Cli({"--json", "show"}))["config"]["scroll_flag"], "0");
}

TEST_F(CliDeviceTest, TraceRecordsTheExchangedReports) {
    const std::string trace = m_work + "/trace.txt";
    ASSERT_EQ(Sim({"--trace", trace, "upload"}).status, 0);
    const std::string lines = testing_support::ReadFile(trace);
    EXPECT_EQ(lines.rfind("> 00 55 ", 0), 0u) << lines.substr(0, 200);
    EXPECT_NE(lines.find("\n< AA "), std::string::npos);

    const CliRun unwritable = Sim({"--trace", m_work + "/no/such/folder/t.txt", "status"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("cannot write the protocol trace"), std::string::npos);
}

}  // namespace
}  // namespace cli_test
