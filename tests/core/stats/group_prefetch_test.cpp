// The distribution files of the channel, matrix and segment statistics follow the settings: a
// change rebuilds the files of the changed groups only, and with the files switched off it
// removes them so that they are not read later as they were.
#include "core/combs/prefetch.h"

#include "../combs/table_fixture.h"
#include "core/stats/stat_registry.h"
#include "core/util/progress.h"
#include "core/util/text.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace velmora;
using namespace velmora::test;

namespace {

const TStatClass* ClassWithCode(const std::string& code) {
    for (const TStatClass* c : RegisteredStatClasses())
        if (c->GetCode() == code) return c;
    return nullptr;
}

class GroupPrefetch : public TableTest {
protected:
    void SetUp() override {
        TableTest::SetUp();
        list.Build({ClassWithCode("NUMS"), ClassWithCode("CHAN")});
        ASSERT_EQ(list.Count(), 2);
    }
    std::string File(const char* code) { return PrefetchFileName(list.Items(Method(code))); }
    // The channels of the CHAN file.
    size_t ChanValues() {
        TPrefetchData data;
        EXPECT_TRUE(DecodePrefetch(ReadFileBytes(File("CHAN")), data));
        return data.Body.size();
    }
};

} // namespace

TEST_F(GroupPrefetch, ChangedGroupsAreRebuiltOrRemoved) {
    ASSERT_EQ(CreatePrefetchFiles(list, false, true, kNoPrefetchGroups, NullProgress()).Built, 2);
    EXPECT_EQ(ChanValues(), 10u);

    // Width 7, files on: only the channel file is built again, with eight channels.
    list.Config.ChannelSize = 7;
    list.Build({ClassWithCode("NUMS"), ClassWithCode("CHAN")});
    EXPECT_EQ(CreatePrefetchFiles(list, false, true, 1u << 3, NullProgress()).Built, 1);
    EXPECT_EQ(ChanValues(), 8u);

    // Width 5, files off: the channel file goes, the others stay; switched on, it comes back.
    list.Config.ChannelSize = 5;
    EXPECT_EQ(CreatePrefetchFiles(list, false, false, 1u << 3, NullProgress()).Built, 0);
    EXPECT_FALSE(std::filesystem::exists(File("CHAN")));
    EXPECT_TRUE(std::filesystem::exists(File("NUMS")));
    EXPECT_EQ(CreatePrefetchFiles(list, false, true, kNoPrefetchGroups, NullProgress()).Built, 1);
    EXPECT_EQ(ChanValues(), 10u);
}
