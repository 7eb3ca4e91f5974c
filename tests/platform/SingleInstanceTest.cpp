#include <gtest/gtest.h>

#include "platform/SingleInstance.h"
#include "support/ChildProcess.h"

namespace {

using testing_support::ChildProcess;

std::string Probe() { return std::string(VARNETH_BIN_DIR) + "/instance_probe"; }

TEST(SingleInstance, SecondStartActivatesTheFirstWindowAndExitsZero) {
    ChildProcess first;
    ASSERT_TRUE(first.Start(Probe(), {"listen"}));
    std::string line;
    ASSERT_TRUE(first.ReadLine(line));
    ASSERT_EQ(line, "first");

    std::string output;
    EXPECT_EQ(ChildProcess::Run(Probe(), {"listen"}, &output), 0);
    EXPECT_EQ(output, "second activated=1\n");
    ASSERT_TRUE(first.ReadLine(line));
    EXPECT_EQ(line, "activate");

    first.CloseInput();
    EXPECT_EQ(first.Wait(), 0);
}

TEST(SingleInstance, SecondStartBeforeTheWindowExistsActivatesNothing) {
    ChildProcess first;
    ASSERT_TRUE(first.Start(Probe(), {"hold"}));
    std::string line;
    ASSERT_TRUE(first.ReadLine(line));
    ASSERT_EQ(line, "first");

    std::string output;
    EXPECT_EQ(ChildProcess::Run(Probe(), {}, &output), 0);
    EXPECT_EQ(output, "second activated=0\n");
    first.CloseInput();
    EXPECT_EQ(first.Wait(), 0);
}

TEST(SingleInstance, TheLockIsFreedWhenTheFirstInstanceEnds) {
    {
        ChildProcess first;
        ASSERT_TRUE(first.Start(Probe(), {"hold"}));
        std::string line;
        ASSERT_TRUE(first.ReadLine(line));
        // Killed without any clean-up, as a crash would end it.
    }
    platform::SingleInstance instance;
    EXPECT_TRUE(instance.Acquire());
}

TEST(SingleInstance, WindowMessagesTravelBetweenProcesses) {
    platform::SingleInstance instance;
    ASSERT_TRUE(instance.Acquire());
    std::vector<platform::InstanceRequest> received;
    ASSERT_TRUE(instance.Listen([&](const platform::InstanceRequest& r) { received.push_back(r); }));
    EXPECT_TRUE(platform::SingleInstance::SendWindowMessage(0x069B, 0, 610));
    EXPECT_TRUE(platform::SingleInstance::ActivateRunning());
    instance.StopListening();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].kind, platform::InstanceRequest::Kind::WindowMessage);
    EXPECT_EQ(received[0].message, 0x069Bu);
    EXPECT_EQ(received[0].lparam, 610);
    EXPECT_EQ(received[1].kind, platform::InstanceRequest::Kind::Activate);
    EXPECT_FALSE(platform::SingleInstance::ActivateRunning()) << "nobody listens any more";
}

}  // namespace
