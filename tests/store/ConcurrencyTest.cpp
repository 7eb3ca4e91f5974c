// The window thread and the device worker use the store at once: each operation is atomic for
// the other thread, and a refresh on both threads creates the default profiles once.
#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <thread>

#include "StoreTestSupport.h"
#include "store/ProfileDatabase.h"
#include "store/ProfileListRefresh.h"

namespace store {
namespace {

using store_test::QueryOne;

constexpr int kRounds = 300;

std::u16string NoText(int) {
    return {};
}

class ConcurrencyTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_db.OpenForDevice(m_folder.Folder(), u"M1"));
        m_path = m_folder.PathOf(u"M1");
    }

    // Runs `writer` and `reader` on two threads started together; the reader runs until the
    // writer is done and answers false when it saw a state no single operation leaves.
    template <typename Writer, typename Reader>
    int CountBadReads(Writer writer, Reader reader) {
        std::atomic<bool> done{false};
        std::atomic<int> bad{0};
        std::latch start(2);
        std::thread write([&] {
            start.arrive_and_wait();
            writer();
            done = true;
        });
        std::thread read([&] {
            start.arrive_and_wait();
            while (!done) {
                if (!reader()) {
                    ++bad;
                }
            }
        });
        write.join();
        read.join();
        return bad;
    }

    store_test::StoreFolder m_folder;
    ProfileDatabase m_db;
    std::string m_path;
};

TEST_F(ConcurrencyTest, AButtonBeingReassignedAlwaysHasExactlyOneRow) {
    KeyMapping mapping;
    mapping.profile = 1;
    mapping.key_code = 2;
    mapping.macro_type = 22;
    mapping.macro_value = 1;
    ASSERT_GT(m_db.SaveKeyMapping(mapping), 0);
    const int bad = CountBadReads(
        [&] {
            for (int i = 2; i < kRounds; ++i) {
                KeyMapping next = mapping;
                next.macro_value = i;
                m_db.SaveKeyMapping(next);
            }
        },
        [&] {
            KeyMapping read;
            std::vector<KeyMapping> list;
            return m_db.GetKeyMapping(1, 2, read) && m_db.ListKeyMappings(1, list) == 1;
        });
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(QueryOne(m_path, "SELECT macro_value FROM t_key_macro_data"),
              std::to_string(kRounds - 1));
}

TEST_F(ConcurrencyTest, SwitchingTheActiveProfileNeverShowsNone) {
    RefreshProfileStore(m_db, NoText);
    const int bad = CountBadReads(
        [&] {
            for (int i = 0; i < kRounds; ++i) {
                m_db.SetActiveProfile(1 + i % 5);
            }
        },
        [&] { return m_db.GetActiveProfile() != 0; });
    EXPECT_EQ(bad, 0);
}

TEST_F(ConcurrencyTest, AHeldSequenceOfStepEditsIsSeenWhole) {
    const int id = m_db.AddMacro(u"m");
    std::vector<MacroStep> steps;
    for (int i = 0; i < 10; ++i) {
        steps.push_back(MacroStep{0, id, 1, i, 65 + i, 1, u"k"});
    }
    m_db.AddMacroSteps(steps);
    const int bad = CountBadReads(
        [&] {
            for (int i = 0; i < kRounds / 3; ++i) {
                auto hold = m_db.Hold();
                m_db.DeleteMacroSteps(id);
                m_db.AddMacroSteps(steps);
            }
        },
        [&] {
            std::vector<MacroStep> read;
            return m_db.ListMacroSteps(id, read) == 10;
        });
    EXPECT_EQ(bad, 0);
}

TEST_F(ConcurrencyTest, ValuesWrittenByOneThreadAreReadWholeByTheOther) {
    RefreshProfileStore(m_db, NoText);
    const std::u16string a(200, u'a');
    const std::u16string b(300, u'Ж');
    const int bad = CountBadReads(
        [&] {
            for (int i = 0; i < kRounds; ++i) {
                m_db.SetConfigValue(1, "light_mode", i % 2 ? a : b);
            }
        },
        [&] {
            std::u16string value;
            return m_db.GetConfigValue(1, "light_mode", value) &&
                   (value == a || value == b || value == u"3");
        });
    EXPECT_EQ(bad, 0);
}

TEST_F(ConcurrencyTest, TwoRefreshesAtOnceCreateOneDefaultSet) {
    for (int round = 0; round < 8; ++round) {
        m_db.ClearAll();
        std::latch start(2);
        auto refresh = [&] {
            start.arrive_and_wait();
            return RefreshProfileStore(m_db, NoText);
        };
        ProfileListState first;
        ProfileListState second;
        std::thread other([&] { second = refresh(); });
        first = refresh();
        other.join();
        EXPECT_EQ(QueryOne(m_path, "SELECT group_concat(profile) FROM t_profile_data"),
                  "1,2,3,4,5");
        EXPECT_EQ(QueryOne(m_path, "SELECT count(*) FROM t_configdata"), "125");
        EXPECT_EQ(first.current, 1);
        EXPECT_EQ(second.current, 1);
        EXPECT_EQ(first.items.size(), 5u);
        EXPECT_EQ(second.items.size(), 5u);
    }
}

}  // namespace
}  // namespace store
