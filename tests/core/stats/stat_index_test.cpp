#include "core/stats/stat_index.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace velmora;

namespace {

// Keys of every size: direct-index keys, bitmap-sized keys and keys in all four parts.
TStatKey RandomKey(std::mt19937& rng) {
    TStatKey k;
    switch (rng() % 3) {
        case 0: k.K[0] = uint16_t(rng() % 60); break;
        case 1: k.K[0] = uint16_t(rng()); break;
        default:
            for (auto& p : k.K) p = uint16_t(rng() % 4);
            break;
    }
    return k;
}

bool Same(const TStatDrawArray& a, const TStatDrawArray& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(TStatValueRec)) == 0;
}

} // namespace

TEST(StatKeyIndex, MergesAsAddStatValueDoes) {
    std::mt19937 rng(11);
    TStatDrawArray plain, indexed;
    TStatKeyIndex index(indexed);
    for (int i = 0; i < 20000; ++i) {
        TStatValueRec r;
        r.Key = RandomKey(rng);
        r.DrawNo = r.LastDrawNo = int32_t(rng() % 50);
        r.Age = int32_t(rng() % 5);
        r.Count = 1;
        bool gaps = rng() % 2;
        AddStatValue(plain, r, gaps);
        if (i % 7 == 0)
            AddStatValue(indexed, r, gaps);  // behind the index's back
        else
            index.Merge(r, gaps);
        if (i == 12000) {  // the list shrinks and grows again
            plain.resize(100);
            indexed.resize(100);
        }
    }
    EXPECT_GT(plain.size(), 1000u);
    EXPECT_TRUE(Same(plain, indexed));
}

TEST(SelectedKeys, AnswersAsTheLinearSearch) {
    std::mt19937 rng(5);
    TStatDrawArray sel;
    for (int i = 0; i < 300; ++i) {
        TStatValueRec r;
        r.Key = RandomKey(rng);
        sel.push_back(r);
    }
    TSelectedKeys keys(sel);
    for (int i = 0; i < 20000; ++i) {
        TStatKey q = i % 2 ? RandomKey(rng) : sel[rng() % sel.size()].Key;
        bool any = false, word[4] = {}, dword[2] = {}, byte[8] = {};
        for (const auto& e : sel) {
            any |= e.Key == q;
            for (int p = 0; p < 4; ++p) word[p] |= e.Key.K[p] == q.K[p];
            for (int h = 0; h < 2; ++h) dword[h] |= e.Key.Dword(h) == q.Dword(h);
            for (int b = 0; b < 8; ++b) byte[b] |= e.Key.Byte(b) == q.Byte(b);
        }
        ASSERT_EQ(keys.HasKey(q.Packed()), any) << i;
        for (int p = 0; p < 4; ++p) ASSERT_EQ(keys.HasWord(p, q.K[p]), word[p]) << i;
        for (int h = 0; h < 2; ++h) ASSERT_EQ(keys.HasDword(h, q.Dword(h)), dword[h]) << i;
        for (int b = 0; b < 8; ++b) ASSERT_EQ(keys.HasByte(b, q.Byte(b)), byte[b]) << i;
    }
    TStatDrawArray none;
    TSelectedKeys empty(none);
    EXPECT_FALSE(empty.HasKey(0));
    EXPECT_FALSE(empty.HasWord(0, 0));
    EXPECT_FALSE(empty.HasDword(1, 0));
    EXPECT_FALSE(empty.HasByte(7, 0));
}

TEST(KeyCounter, MergesLikeOneMergePerValue) {
    TStatDrawArray start(2);
    start[0].Key.K[0] = 7;
    start[0].Age = 3;
    start[0].DrawNo = 90;
    start[1].Key.K[0] = 2;
    TStatDrawArray plain = start, counted = start;
    TKeyCounter counter(16);
    for (uint16_t k : {5, 7, 5, 2, 9, 5}) {
        TStatValueRec r;
        r.Key.K[0] = k;
        r.Count = 1;
        AddStatValue(plain, r, false);
        counter.Add(k);
    }
    counter.MergeInto(counted);
    EXPECT_TRUE(Same(plain, counted));
    EXPECT_EQ(counter.Order(), (std::vector<uint16_t>{5, 7, 2, 9}));
}
