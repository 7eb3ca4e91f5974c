// The program itself: its command line, and its screenshots of the window connected to the
// virtual mouse, with the first read of the mouse in the protocol trace.
#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TempHome.h"

namespace gui_test {
namespace {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs varneth with the test home and without a display of its own.
ProgramRun Varneth(const std::vector<std::string>& arguments) {
    const std::string errFile = testing_support::MakeTempFolder("err") + "/stderr.txt";
    std::vector<std::string> shell = {"-c",
                                      "err=$1; shift; QT_QPA_PLATFORM=offscreen VARNETH_TRACE= "
                                      "exec \"$@\" 2>\"$err\"",
                                      "sh", errFile, std::string(VARNETH_BIN_DIR) + "/varneth"};
    shell.insert(shell.end(), arguments.begin(), arguments.end());
    ProgramRun run;
    run.status = testing_support::ChildProcess::Run("/bin/sh", shell, &run.out);
    run.err = testing_support::ReadFile(errFile);
    return run;
}

TEST(Program, WrongCommandLinesSayWhatIsWrong) {
    struct Case {
        std::vector<std::string> arguments;
        std::string says;
    };
    const Case cases[] = {
        {{"--simulate=usb"}, "usb is not a kind of virtual mouse"},
        {{"--sim-state", "mouse.json"}, "requires --simulate"},
        {{"--trace"}, "--trace"},
        {{"--screenshot"}, "--screenshot"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = Varneth(c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments[0];
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    }
    const ProgramRun help = Varneth({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--simulate"), std::string::npos) << help.out;
}

// The pictures show the window as it is once the virtual mouse was read: connected by cable,
// its pages open. The trace starts with that first read.
TEST(Program, ScreenshotsOfTheSimulatedMouse) {
    const std::string folder = testing_support::MakeTempFolder("shots");
    const std::string trace = folder + "/trace.txt";
    const ProgramRun run = Varneth({"--simulate", "--trace", trace, "--screenshot", folder});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* name :
         {"1-home.png", "2-keys.png", "3-performance.png", "4-macros.png", "6-settings.png"}) {
        const std::string path = folder + "/" + name;
        EXPECT_NE(run.out.find(path), std::string::npos) << run.out;
        const QImage image(QString::fromStdString(path));
        EXPECT_EQ(image.size(), QSize(1121, 780)) << name;
    }
    const std::string lines = testing_support::ReadFile(trace);
    EXPECT_EQ(lines.rfind("> 00 55 30 ", 0), 0u) << "the battery is read first";
    EXPECT_NE(lines.find("\n> 00 55 08 "), std::string::npos) << "then the buttons";
    EXPECT_NE(lines.find("\n< AA 0E "), std::string::npos) << "and the settings";

    // A virtual mouse over Bluetooth renders too; its kind may follow after a blank. Nothing
    // can be exchanged with it, so its trace stays empty.
    const std::string quiet = folder + "/bluetooth-trace.txt";
    const ProgramRun bluetooth = Varneth(
        {"--simulate", "bluetooth", "--trace", quiet, "--screenshot", folder + "/bluetooth"});
    EXPECT_EQ(bluetooth.status, 0) << bluetooth.err;
    EXPECT_EQ(testing_support::ReadFile(quiet), "");
}

}  // namespace
}  // namespace gui_test
