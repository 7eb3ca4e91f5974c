// The text query through feature report 0x51.
#include <gtest/gtest.h>

#include "ExchangeTestSupport.h"
#include "protocol/QueryFeatureString.h"

namespace {

using exchange_test::ExchangeFixture;
using exchange_test::Hex;
using exchange_test::Padded;
using protocol::QueryFeatureString;
using sim::IoRecord;

class QueryFeatureStringTest : public ExchangeFixture {};

TEST_F(QueryFeatureStringTest, AsksTheMouseOrTheReceiver) {
    struct Case {
        const char* name;
        sim::SimMode mode;
        int target;
        std::string request;
        std::u16string text;
    };
    const Case cases[] = {
        {"mouse over cable", sim::SimMode::Wired, 0, "51 04 00", u"1.0.3"},
        {"mouse through its receiver", sim::SimMode::Receiver, 0, "51 04 00", u"1.0.3"},
        {"receiver, selector 1", sim::SimMode::Receiver, 1, "51 04 AA", u"2.1.0"},
        {"receiver, selector 3", sim::SimMode::Receiver, 3, "51 04 AA", u"2.1.0"},
        {"a cable has no receiver text", sim::SimMode::Wired, 1, "51 04 AA", u"0.0.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Connect(c.mode);
        std::u16string text = u"old";
        EXPECT_TRUE(QueryFeatureString(manager, c.target, text));
        EXPECT_EQ(text, c.text);
        const auto sent = Log(IoRecord::Kind::FeatureSend);
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(Hex(sent[0].bytes), Padded(c.request, 21));
    }
}

TEST_F(QueryFeatureStringTest, FailsOnlyWithoutAnActiveConnection) {
    Connect(sim::SimMode::Wired);
    manager.SetOpened(false);
    std::u16string text = u"old";
    EXPECT_FALSE(QueryFeatureString(manager, 0, text));
    EXPECT_EQ(text, u"0.0.0");

    Connect(sim::SimMode::Bluetooth);
    text = u"old";
    EXPECT_FALSE(QueryFeatureString(manager, 0, text));
    EXPECT_EQ(text, u"0.0.0");
    EXPECT_TRUE(Bus().IoLog().empty());
}

TEST_F(QueryFeatureStringTest, AnswersAreReadWithinTheBytesPresent) {
    struct Case {
        const char* name;
        std::vector<uint8_t> answer;
        std::u16string text;
    };
    std::vector<uint8_t> full = {0x51, 0x04, 200};
    for (char c = 'A'; c <= 'R'; ++c) {
        full.push_back(static_cast<uint8_t>(c));
    }
    const Case cases[] = {
        {"length 0 keeps the default", {0x51, 0x04, 0x00, '9', '9'}, u"0.0.0"},
        {"a length beyond the report takes the 18 bytes present", full, u"ABCDEFGHIJKLMNOPQR"},
        {"a short answer gives only the bytes it has", {0x51, 0x04, 10, 'V', '2'}, u"V2"},
        {"no length byte at all", {0x51, 0x04}, u"0.0.0"},
        {"text ends at a zero byte", {0x51, 0x04, 7, '1', '.', '2', 0, 'x', 'y', 'z'}, u"1.2"},
        {"an empty text keeps the default", {0x51, 0x04, 3, 0, 'x', 'y'}, u"0.0.0"},
        {"8-bit text is Windows-1252", {0x51, 0x04, 3, 'v', 0xE9, 0x80}, u"v\u00E9\u20AC"},
        {"bytes the code page lacks", {0x51, 0x04, 1, 0x81}, u"\uFFFD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Connect(sim::SimMode::Wired);
        sim::SimFaults faults;
        faults.featureAnswer = c.answer;
        Bus().SetFaults(faults);
        std::u16string text;
        EXPECT_TRUE(QueryFeatureString(manager, 0, text));
        EXPECT_EQ(text, c.text);
        Bus().SetFaults({});
    }
}

TEST_F(QueryFeatureStringTest, RequestsTheAnswerTenTimesTenMillisecondsApart) {
    Connect(sim::SimMode::Wired);
    sim::SimFaults faults;
    faults.featureFailures = -1;
    Bus().SetFaults(faults);
    std::u16string text;
    EXPECT_TRUE(QueryFeatureString(manager, 0, text));
    EXPECT_EQ(text, u"0.0.0");
    EXPECT_EQ(Log(IoRecord::Kind::FeatureFailed).size(), 10u);
    EXPECT_EQ(clock->Sleeps(), std::vector<uint32_t>(9, 10));

    Connect(sim::SimMode::Wired);
    faults.featureFailures = 9;
    Bus().SetFaults(faults);
    EXPECT_TRUE(QueryFeatureString(manager, 0, text));
    EXPECT_EQ(text, u"1.0.3");
}

TEST_F(QueryFeatureStringTest, AFailedRequestGivesTheDefaultWithoutAsking) {
    Connect(sim::SimMode::Wired);
    Bus().Unplug();
    std::u16string text;
    EXPECT_TRUE(QueryFeatureString(manager, 0, text));
    EXPECT_EQ(text, u"0.0.0");
    EXPECT_TRUE(Log(IoRecord::Kind::FeatureGet).empty());
    EXPECT_TRUE(Log(IoRecord::Kind::FeatureFailed).empty());
}

}  // namespace
