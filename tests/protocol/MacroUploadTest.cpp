// The macro image sent to the mouse in 56-byte chunks, end to end through the virtual mouse.
#include <gtest/gtest.h>

#include "DeviceJobTestSupport.h"
#include "protocol/CommandSet.h"
#include "protocol/MacroImage.h"
#include "protocol/MacroUpload.h"

namespace {

using device_job_test::DeviceJobFixture;
using device_job_test::Frame;
using device_job_test::Hex;
using protocol::MacroStepData;

constexpr int kDelay = 1;
constexpr int kKeyDown = 2;
constexpr int kKeyUp = 3;
constexpr int kMouseDown = 4;

class MacroUploadTest : public DeviceJobFixture {
  protected:
    // A macro with these steps (in this order); returns its id.
    int AddMacro(const std::vector<MacroStepData>& steps) {
        const int id = db.AddMacro(u"macro");
        std::vector<store::MacroStep> rows;
        int index = 0;
        // Stored in reverse, so only record_index gives the order.
        for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
            store::MacroStep row;
            row.macro_id = id;
            row.type = it->type;
            row.value = it->value;
            row.desc = it->desc;
            row.record_index = static_cast<int>(steps.size()) - 1 - index++;
            rows.push_back(row);
        }
        db.AddMacroSteps(rows);
        image.push_back(steps);
        return id;
    }

    // The first `size` bytes of the image the mouse holds.
    std::string MouseImage(size_t size) {
        const std::vector<uint8_t> held = Mouse().MacroImage();
        return Hex(std::span<const uint8_t>(held.data(), std::min(size, held.size())));
    }

    std::vector<protocol::MacroSteps> image;  // what the store holds, in listing order
};

TEST_F(MacroUploadTest, NoMacrosSendsTheBareHeaderInTwoChunksAndDone) {
    Connect();
    protocol::UploadMacros(manager, db);
    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(Hex(writes[0]), Frame("00 55 0D 00 38 38 00 00 00"));
    EXPECT_EQ(Hex(writes[1]), Frame("00 55 0D 00 40 08 38 00 00"));
    EXPECT_EQ(Hex(writes[2]), Frame("00 55 10 A5 00 00 00 00 00"));
    EXPECT_EQ(Mouse().MacroDoneCount(), 1);
    EXPECT_EQ(Mouse().RejectedCount(), 0);
}

TEST_F(MacroUploadTest, AnImageOf68BytesGoesAsChunksOf56And12) {
    AddMacro({{kKeyDown, 'A', u""}});
    Connect();
    protocol::UploadMacros(manager, db);
    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(Hex(writes[0]), Frame("00 55 0D 00 78 38 00 00 00 40 00"));
    EXPECT_EQ(Hex(writes[1]),
              Frame("00 55 0D 00 0A 0C 38 00 00 00 00 00 00 00 00 00 00 00 00 C2 04"));
    EXPECT_EQ(writes[2][2], protocol::CMD_MACRO_DONE);
}

TEST_F(MacroUploadTest, TheMouseHoldsTheImageBuiltFromTheStore) {
    AddMacro({{kKeyDown, 'A', u""}, {kDelay, 50, u""}, {kKeyUp, 'A', u""}});
    AddMacro({{kKeyDown, 'A', u""}, {kKeyUp, 'A', u""}});
    AddMacro({{kKeyDown, 'A', u""}, {kDelay, 20, u""}});
    AddMacro({});
    AddMacro({{kMouseDown, 1, u"Scroll Down"}});
    std::vector<MacroStepData> longMacro;
    for (int i = 0; i < 40; ++i) {
        longMacro.push_back({kKeyDown, 'B' + i % 20, u""});
        longMacro.push_back({kDelay, 30 + i, u""});
        longMacro.push_back({kKeyUp, 'B' + i % 20, u""});
    }
    AddMacro(longMacro);

    const protocol::MacroImage built = protocol::BuildMacroImage(image);
    EXPECT_EQ(Hex(protocol::MacroImageOf(db).bytes), Hex(built.bytes));
    // The first macros as laid out from offset 64.
    EXPECT_EQ(Hex(std::span<const uint8_t>(built.bytes.data() + 64, 32)),
              "32 00 42 04 00 00 82 04 0A 00 42 04 00 00 82 04 14 00 C2 04 00 00 80 00 "
              "00 00 C4 FF 1E 00 42 05");

    Connect();
    protocol::UploadMacros(manager, db);
    const size_t chunks = (built.bytes.size() + 55) / 56;
    EXPECT_EQ(Writes().size(), chunks + 1);
    EXPECT_EQ(MouseImage(built.bytes.size()), Hex(built.bytes));
    EXPECT_EQ(Mouse().MacroDoneCount(), 1);
    EXPECT_EQ(Mouse().RejectedCount(), 0);
}

}  // namespace
