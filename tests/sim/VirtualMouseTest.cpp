// The virtual mouse's command set: answers of a fresh mouse, data that reads back, requests it
// refuses, and its JSON state.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sim/VirtualMouse.h"

namespace {

using sim::VirtualMouse;
using Payload = VirtualMouse::Payload;

// A request payload (the output report without its report ID): P[k] is request byte Q[k+1].
struct Request {
    uint8_t code = 0;
    uint8_t access = 0xA5;
    uint8_t length = 0;
    uint8_t profile = 0;
    uint16_t offset = 0;
    std::vector<uint8_t> data;  // from Q[9]

    Payload Build() const {
        Payload p{};
        p[0] = 0x55;
        p[1] = code;
        p[2] = access;
        p[4] = length;
        p[5] = static_cast<uint8_t>(offset & 0xFF);
        p[6] = static_cast<uint8_t>(offset >> 8);
        p[7] = profile;
        std::copy_n(data.begin(), std::min<size_t>(data.size(), 56), p.begin() + 8);
        unsigned sum = 0;
        for (size_t i = 4; i < p.size(); ++i) {
            sum += p[i];
        }
        p[3] = static_cast<uint8_t>(sum);
        return p;
    }
};

Request ReadSettings(uint8_t profile) {
    return {0x0E, 0xA5, 0x2E, profile, 0, {}};
}
Request ReadKeys(uint8_t profile) {
    return {0x08, 0xA5, 0x20, profile, 0, {}};
}
Request SetValue(uint8_t code, uint8_t profile, std::vector<uint8_t> value) {
    std::vector<uint8_t> data = {0, 0};
    data.insert(data.end(), value.begin(), value.end());
    const uint8_t access = code == 0x21 ? 0xA5 : 0xAE;
    return {code, access, 3, profile, 0, data};
}

VirtualMouse::Outcome Send(VirtualMouse& mouse, const Request& request) {
    const Payload p = request.Build();
    return mouse.HandleCommand(p);
}

TEST(VirtualMouseTest, FreshMouseAnswersEveryCommandAsAnUnprogrammedMouse) {
    VirtualMouse mouse;
    struct Case {
        const char* name;
        Request request;
        std::vector<std::pair<size_t, uint8_t>> replyBytes;  // (R index, value)
    };
    const Case cases[] = {
        {"read version", {0x03, 0x00, 0, 0, 0, {}}, {{1, 0x03}, {23, '1'}, {24, '0'}, {25, '3'}}},
        {"read keys", ReadKeys(4), {{1, 0x08}, {8, 0xFF}, {43, 0xFF}, {44, 0x00}}},
        {"write keys", {0x09, 0xA5, 0x20, 0, 0, {}}, {{1, 0x09}}},
        {"macro data", {0x0D, 0x00, 56, 0, 0, {}}, {{1, 0x0D}}},
        {"read settings", ReadSettings(3), {{1, 0x0E}, {8, 3}, {9, 0xFF}, {53, 0xFF}, {54, 0}}},
        {"write settings", {0x0F, 0xAE, 0x2E, 1, 0, {}}, {{1, 0x0F}}},
        {"macro done", {0x10, 0xA5, 0, 0, 0, {}}, {{1, 0x10}}},
        {"set light mode", SetValue(0x21, 0, {3}), {{1, 0x21}}},
        {"set DPI", SetValue(0x22, 0, {3, 0x40, 0x06}), {{1, 0x22}}},
        {"set report rate", SetValue(0x23, 0, {4}), {{1, 0x23}}},
        {"read battery", {0x30, 0xA5, 0x2E, 0, 0, {}}, {{1, 0x30}, {8, 85}, {9, 0}}},
    };
    for (const Case& c : cases) {
        VirtualMouse fresh;
        const auto outcome = Send(fresh, c.request);
        EXPECT_TRUE(outcome.accepted) << c.name;
        EXPECT_EQ(outcome.reply[0], 0xAA) << c.name;
        for (const auto& [index, value] : c.replyBytes) {
            EXPECT_EQ(outcome.reply[index], value) << c.name << " R[" << index << "]";
        }
        EXPECT_EQ(fresh.AcceptedCount(c.request.code), 1) << c.name;
    }
}

TEST(VirtualMouseTest, WrittenDataReadsBack) {
    VirtualMouse mouse;
    std::vector<uint8_t> block(46);
    for (size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<uint8_t>(0x30 + i);
    }
    block[0] = 1;
    EXPECT_TRUE(Send(mouse, {0x0F, 0xAE, 0x2E, 1, 0, block}).changed);
    auto reply = Send(mouse, ReadSettings(1)).reply;
    EXPECT_TRUE(std::equal(block.begin(), block.end(), reply.begin() + 8));
    EXPECT_EQ(Send(mouse, ReadSettings(0)).reply[9], 0xFF) << "other profiles untouched";

    // The three "set" commands change their bytes of the block.
    Send(mouse, SetValue(0x22, 1, {6, 0x90, 0x65}));
    Send(mouse, SetValue(0x23, 1, {1}));
    Send(mouse, SetValue(0x21, 1, {5}));
    reply = Send(mouse, ReadSettings(1)).reply;
    EXPECT_EQ(reply[9], 5);      // light mode
    EXPECT_EQ(reply[10], 1);     // report rate
    EXPECT_EQ(reply[12], 6);     // selected stage
    EXPECT_EQ(reply[23], 0x90);  // stage 6 value, little-endian
    EXPECT_EQ(reply[24], 0x65);

    std::vector<uint8_t> keys(36);
    for (size_t i = 0; i < keys.size(); ++i) {
        keys[i] = static_cast<uint8_t>(i);
    }
    Send(mouse, {0x09, 0xA5, 0x20, 2, 0, keys});
    reply = Send(mouse, ReadKeys(2)).reply;
    EXPECT_TRUE(std::equal(keys.begin(), keys.end(), reply.begin() + 8));

    std::vector<uint8_t> chunk(12, 0x7E);
    Send(mouse, {0x0D, 0x00, 12, 0, 4212, chunk});
    EXPECT_EQ(mouse.MacroImage()[4211], 0);
    EXPECT_EQ(mouse.MacroImage()[4212], 0x7E);
    EXPECT_EQ(mouse.MacroImage()[4223], 0x7E);
    Send(mouse, {0x10, 0xA5, 0, 0, 0, {}});
    EXPECT_EQ(mouse.MacroDoneCount(), 1);
}

TEST(VirtualMouseTest, BadRequestsAreNotAcknowledgedAndChangeNothing) {
    struct Case {
        const char* name;
        Payload payload;
    };
    const auto withByte = [](Request r, size_t index, uint8_t value) {
        Payload p = r.Build();
        p[index] = value;
        return p;
    };
    const Request write = {0x0F, 0xAE, 0x2E, 0, 0, std::vector<uint8_t>(46, 0x11)};
    const Case cases[] = {
        {"wrong request marker", withByte(write, 0, 0x54)},
        {"wrong access byte",
         [&] {
             Request r = write;
             r.access = 0xA5;
             return r.Build();
         }()},
        {"bad checksum", withByte(write, 3, 0x00)},
        {"wrong data length",
         [&] {
             Request r = write;
             r.length = 0x2D;
             return r.Build();
         }()},
        {"profile index 5",
         [&] {
             Request r = write;
             r.profile = 5;
             return r.Build();
         }()},
        {"unknown command", Request{0x77, 0xA5, 0, 0, 0, {}}.Build()},
        {"macro chunk longer than 56", Request{0x0D, 0x00, 57, 0, 0, {}}.Build()},
        {"macro chunk past the image", Request{0x0D, 0x00, 56, 0, 4200, {1, 2, 3}}.Build()},
        {"DPI stage 0", SetValue(0x22, 0, {0, 0x40, 0x06}).Build()},
        {"DPI stage 7", SetValue(0x22, 0, {7, 0x40, 0x06}).Build()},
    };
    for (const Case& c : cases) {
        VirtualMouse mouse;
        const VirtualMouse before = mouse;
        const auto outcome = mouse.HandleCommand(c.payload);
        EXPECT_FALSE(outcome.accepted) << c.name;
        EXPECT_EQ(outcome.reply[0], VirtualMouse::kRejected) << c.name;
        EXPECT_FALSE(outcome.changed) << c.name;
        EXPECT_EQ(mouse.RejectedCount(), 1) << c.name;
        EXPECT_EQ(mouse.ToJson(), before.ToJson()) << c.name;
    }
}

TEST(VirtualMouseTest, StateSurvivesJson) {
    VirtualMouse mouse;
    Send(mouse, SetValue(0x22, 4, {2, 0x20, 0x03}));
    Send(mouse, {0x09, 0xA5, 0x20, 0, 0, std::vector<uint8_t>(36, 0x21)});
    Send(mouse, {0x0D, 0x00, 4, 0, 64, {0x32, 0x00, 0x42, 0x04}});
    mouse.SetBattery(40, 1);
    mouse.SetFirmwareVersion("207");
    mouse.SetMouseText("v\xE9");

    VirtualMouse copy;
    std::string error;
    ASSERT_TRUE(copy.FromJson(mouse.ToJson(), error)) << error;
    EXPECT_EQ(copy.Settings(4), mouse.Settings(4));
    EXPECT_EQ(copy.Buttons(0), mouse.Buttons(0));
    EXPECT_EQ(copy.MacroImage(), mouse.MacroImage());
    EXPECT_EQ(copy.BatteryLevel(), 40);
    EXPECT_EQ(copy.BatteryState(), 1);
    EXPECT_EQ(copy.FirmwareVersion(), "207");
    EXPECT_EQ(copy.MouseText(), "v\xE9");
    EXPECT_EQ(copy.ToJson(), mouse.ToJson());
}

TEST(VirtualMouseTest, BrokenJsonIsRefusedWholeAndChangesNothing) {
    VirtualMouse good;
    const std::string valid = good.ToJson();
    const auto edited = [&](const std::string& from, const std::string& to) {
        std::string text = valid;
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"not JSON", "{ profiles: "},
        {"not an object", "[1, 2]"},
        {"other version", edited("\"version\": 1", "\"version\": 2")},
        {"settings too short", edited("\"settings\": \"FFFF", "\"settings\": \"FF")},
        {"settings not hex", edited("\"settings\": \"FF", "\"settings\": \"ZZ")},
        {"battery out of range", edited("\"battery_level\": 85", "\"battery_level\": 300")},
        {"battery not a number", edited("\"battery_level\": 85", "\"battery_level\": \"85\"")},
        {"firmware of two characters", edited("\"firmware\": \"103\"", "\"firmware\": \"10\"")},
        {"negative count", edited("\"macro_done_count\": 0", "\"macro_done_count\": -4")},
        {"macro image missing", edited("\"macro_image\"", "\"macro_picture\"")},
        {"odd text hex", edited("\"mouse_text\": \"", "\"mouse_text\": \"1")},
    };
    for (const Case& c : cases) {
        VirtualMouse mouse;
        mouse.SetBattery(12, 1);
        const std::string before = mouse.ToJson();
        std::string error;
        EXPECT_FALSE(mouse.FromJson(c.text, error)) << c.name;
        EXPECT_FALSE(error.empty()) << c.name;
        EXPECT_EQ(mouse.ToJson(), before) << c.name;
    }
}

}  // namespace
