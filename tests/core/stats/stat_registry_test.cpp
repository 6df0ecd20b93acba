// The registry holds the statistic classes in the fixed order of the statistic codes; this
// table is that order. Each registered class must sit at its place with its code, group and
// flags; classes not built yet are absent.
#include "core/stats/stat_registry.h"

#include "core/stats/stat_list.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace velmora;

namespace {

struct Expected {
    int position;
    const char* className;
    const char* code;  // the code template
    int group;
    uint8_t flags;
    bool available;
};

const Expected kRegistry[] = {
    {1, "TstValues", "NUMS", 0, 2, true},
    {2, "TstDigits", "DIGS", 0, 2, true},
    {3, "TstEvenCount", "EVEN", 0, 2, true},
    {4, "TstEvenValues", "EVNV", 0, 3, true},
    {5, "TstSmallCount", "SMAL", 0, 2, true},
    {6, "TstSmallValues", "SMLV", 0, 3, true},
    {7, "TstPrimeCount", "PRIM", 0, 2, true},
    {8, "TstPrimeValues", "PRMV", 0, 3, true},
    {9, "TstSumValues", "SUMS", 1, 2, true},
    {10, "TstSumRanges", "SUM%d", 1, 2, true},
    {11, "TstSumChange", "SUMC", 1, 4, true},
    {12, "TstSumChangeSome", "SUMV", 1, 4, true},
    {13, "TstSumTrend", "SUMT", 1, 4, true},
    {14, "TstSumEvenValues", "SUME", 1, 2, true},
    {15, "TstSumPrimeValues", "SUMP", 1, 2, true},
    {16, "TstSum2To3", "S2T3", 1, 2, true},
    {17, "TstDiffTotal", "DIFA", 2, 3, true},
    {18, "TstDiffMax", "DIFM", 2, 3, true},
    {19, "TstMinMaxDiffs", "DIFD", 2, 2, true},
    {20, "TstDiffSame", "DIFO", 2, 3, true},
    {21, "TstDiffSameCnt", "DIFK", 2, 3, true},
    {22, "TstChannels", "CHAN", 3, 2, true},
    {23, "TstChanValues", "CHNV", 3, 2, true},
    {24, "TstChanCount", "CHNC", 3, 2, true},
    {25, "TstColumns", "COLS", 4, 2, true},
    {26, "TstRows", "ROWS", 4, 2, true},
    {27, "TstColValues", "COLV", 4, 2, true},
    {28, "TstRowValues", "ROWV", 4, 2, true},
    {29, "TstColCount", "COLN", 4, 2, true},
    {30, "TstRowCount", "ROWN", 4, 2, true},
    {31, "TstColMask", "COLM", 4, 2, true},
    {32, "TstRowMask", "ROWM", 4, 2, true},
    {33, "TstColAjacent", "COLA", 4, 2, true},
    {34, "TstRowAjacent", "ROWA", 4, 2, true},
    {35, "TstColAjacentCnt", "COLC", 4, 2, true},
    {36, "TstRowAjacentCnt", "ROWC", 4, 2, true},
    {37, "TstSegments", "SGMS", 5, 2, true},
    {38, "TstSegmValues", "SGMV", 5, 2, true},
    {39, "TstSegmCount", "SGMC", 5, 2, true},
    {40, "TstSequenceLen", "SEQL", 6, 3, true},
    {41, "TstSequenceCnt", "SEQS", 6, 3, true},
    {42, "TstSequenceLenMax", "LENS", 6, 3, true},
    {43, "TstRepValues2", "RPV2", 7, 4, true},
    {44, "TstRepValues3", "RPV3", 7, 4, true},
    {45, "TstRepValues2B3", "PRL2", 7, 4, true},
    {46, "TstRepValues2over1", "PRV2O1", 7, 4, true},
    {47, "TstRepValues2over2", "PRV2O2", 7, 4, true},
    {48, "TstRepValues2over3", "PRV2O3", 7, 4, true},
    {49, "TstRepValues2P1", "PRV+1", 7, 4, true},
    {50, "TstRepValues2N1", "PRV-1", 7, 4, true},
    {51, "TstRepValues2P2", "PRV+2", 7, 4, true},
    {52, "TstRepValues2N2", "PRV-2", 7, 4, true},
    {53, "TstRepCount2", "RPC2", 7, 4, true},
    {54, "TstRepCount3", "RPC3", 7, 4, true},
    {55, "TstRepCount2B3", "PRB2", 7, 4, true},
    {56, "TstRepCount2over1", "RPO1", 7, 4, true},
    {57, "TstRepCount2over2", "PRC2O2", 7, 4, true},
    {58, "TstRepCount2over3", "PRC2O3", 7, 4, true},
    {59, "TstRepCount2P1", "PRC+1", 7, 4, true},
    {60, "TstRepCount2N1", "PRC-1", 7, 4, true},
    {61, "TstRepCount2P2", "PRC+2", 7, 4, true},
    {62, "TstRepCount2N2", "PRC-2", 7, 4, true},
    {63, "TstCombValMix2", "KNM2", 0, 1, true},
    {64, "TstCombValMix3", "KNM3", 0, 1, true},
    {65, "TstCombValMix4", "KNM4", 0, 1, true},
    {66, "TstCombValSeq2", "KNS2", 0, 1, true},
    {67, "TstCombValSeq3", "KNS3", 0, 1, true},
    {68, "TstCombValSeq4", "KNS4", 0, 1, true},
    {69, "TstCombValPos2", "KNP2%d", 0, 1, true},
    {70, "TstCombValPos3", "KNP3%d", 0, 1, true},
    {71, "TstCombValPos4", "KNP4%d", 0, 1, true},
    {72, "TstCombValSort2", "KNO2", 0, 0, false},
    {73, "TstCombValSort3", "KNO3", 0, 0, false},
    {74, "TstCombValSort4", "KNO4", 0, 0, false},
    {75, "TstCombDiffSeq2", "KDS2", 2, 1, true},
    {76, "TstCombDiffSeq3", "KDS3", 2, 1, true},
    {77, "TstCombDiffSeq4", "KDS4", 2, 1, true},
    {78, "TstCombChnMix2", "KCM2", 3, 1, true},
    {79, "TstCombChnMix3", "KCM3", 3, 1, true},
    {80, "TstCombChnMix4", "KCM4", 3, 1, true},
    {81, "TstCombChnSeq2", "KCS2", 3, 1, true},
    {82, "TstCombChnSeq3", "KCS3", 3, 1, true},
    {83, "TstCombChnSeq4", "KCS4", 3, 1, true},
    {84, "TstCombColMix2", "KFM2", 4, 1, true},
    {85, "TstCombColMix3", "KFM3", 4, 1, true},
    {86, "TstCombColMix4", "KFM4", 4, 1, true},
    {87, "TstCombColSeq2", "KFS2", 4, 1, true},
    {88, "TstCombColSeq3", "KFS3", 4, 1, true},
    {89, "TstCombColSeq4", "KFS4", 4, 1, true},
    {90, "TstCombRowMix2", "KRM2", 4, 1, true},
    {91, "TstCombRowMix3", "KRM3", 4, 1, true},
    {92, "TstCombRowMix4", "KRM4", 4, 1, true},
    {93, "TstCombRowSeq2", "KRS2", 4, 1, true},
    {94, "TstCombRowSeq3", "KRS3", 4, 1, true},
    {95, "TstCombRowSeq4", "KRS4", 4, 1, true},
    {96, "TstCombSegmMix2", "KGM2", 5, 1, true},
    {97, "TstCombSegmMix3", "KGM3", 5, 1, true},
    {98, "TstCombSegmMix4", "KGM4", 5, 1, true},
    {99, "TstCombSegmSeq2", "KGS2", 5, 1, true},
    {100, "TstCombSegmSeq3", "KGS3", 5, 1, true},
    {101, "TstCombSegmSeq4", "KGS4", 5, 1, true},
    {102, "TstPosVal", "POS%d", 0, 3, true},
    {103, "TstPosExt", "POE%d", 0, 0, true},
    {104, "TstChnValCnt", "CHN%d", 3, 2, true},
    {105, "TstColValCnt", "COL%d", 4, 2, true},
    {106, "TstRowValCnt", "ROW%d", 4, 2, true},
    {107, "TstSgmValCnt", "SGM%d", 5, 2, true},
    {108, "TstNumGroups", "GRPV", 8, 4, true},
    {109, "TstNumPauses", "GRPP", 8, 4, true},
    {110, "TstChnGroups", "GRCV", 8, 4, true},
    {111, "TstChnPauses", "GRCP", 8, 4, true},
    {112, "TstSgmGroups", "GRSV", 8, 4, true},
    {113, "TstSgmPauses", "GRSP", 8, 4, true},
    {114, "TstNumPeriods", "PRDV", 9, 8, true},
    {115, "TstChnPeriods", "PRDC", 9, 8, true},
    {116, "TstSgmPeriods", "PRDG", 9, 8, true},
    {117, "TstChain2DrawsAll", "SDV2", 10, 4, true},
    {118, "TstChain2DrawsPos", "SDP2", 10, 5, true},
    {119, "TstChain2Pos", "SDN%d", 10, 5, true},
    {120, "TstChain3DrawsPos", "SDP3", 10, 5, true},
    {121, "TstChain3Pos", "SDM%d", 10, 5, true},
    {122, "TstChain2ChannelsAll", "SCV2", 10, 4, true},
    {123, "TstChain2ChannelsPos", "SCP2", 10, 5, true},
    {124, "TstChain2Channel", "SCN%d", 10, 5, true},
    {125, "TstChain3ChannelsPos", "SCP3", 10, 5, true},
    {126, "TstChain3Channel", "SCM%d", 10, 5, true},
    {127, "TstChain2CnlCnt", "SC2C%d", 10, 4, true},
    {128, "TstChain3CnlCnt", "SC3C%d", 10, 4, true},
    {129, "TstChainChannels2InsideAll", "SDA2", 10, 4, true},
    {130, "TstChainChannels2InsideSuc", "SDG2", 10, 4, true},
    {131, "TstChainChannels2InsideBad", "SDZ2", 10, 4, true},
    {132, "TstChainChannels2InsideCnt", "SDC2", 10, 4, true},
    {133, "TstChain2SegmentsAll", "SSV2", 10, 4, true},
    {134, "TstChain2SegmentsPos", "SSP2", 10, 5, true},
    {135, "TstChain2Segment", "SSN%d", 10, 5, true},
    {136, "TstChain3SegmentsPos", "SSP3", 10, 5, true},
    {137, "TstChain3Segment", "SSM%d", 10, 5, true},
    {138, "TstChain2SgmCnt", "SS2C%d", 10, 4, true},
    {139, "TstChain3SgmCnt", "SS3C%d", 10, 4, true},
    {140, "TstSelvar1", "HCS1", 11, 3, true},
    {141, "TstSelvar2", "HCS2", 11, 3, true},
    {142, "TstSelvar3", "HCS3", 11, 5, true},
    {143, "TstShreddingStat", "SHR%d", 12, 3, true},
};

} // namespace

TEST(StatRegistry, ClassesSitAtTheirPlacesWithCodesGroupsAndFlags) {
    static_assert(std::size(kRegistry) == kRegistryClassCount);
    const auto& entries = RegisteredStatEntries();
    ASSERT_FALSE(entries.empty());
    int previous = 0;
    for (const auto& e : entries) {
        ASSERT_GE(e.Position, 1);
        ASSERT_LE(e.Position, kRegistryClassCount);
        EXPECT_GT(e.Position, previous) << "registry order";
        previous = e.Position;
        const Expected& x = kRegistry[e.Position - 1];
        const TStatClass& c = *e.Class;
        EXPECT_STREQ(c.ClassName(), x.className) << "position " << e.Position;
        EXPECT_EQ(c.GetCode(), x.code) << x.className;
        EXPECT_EQ(c.GetGroup(), x.group) << x.className;
        EXPECT_EQ(c.ClassFlags(), x.flags) << x.className;
        EXPECT_EQ(c.IsAvailable(), x.available) << x.className;
        EXPECT_EQ(c.HasParam(), std::string(x.code).find("%d") != std::string::npos) << x.className;
        EXPECT_FALSE(c.GetCaption().empty()) << x.className;
    }
    EXPECT_EQ(RegisteredStatClasses().size(), entries.size());
}

TEST(StatRegistry, BuildWalksTheRegistryInOrder) {
    TStatList l;
    l.Build();
    ASSERT_GT(l.Count(), 0);
    const auto& entries = RegisteredStatEntries();
    size_t e = 0;
    int param = 0;
    for (const auto& m : l.Methods) {
        while (e < entries.size() && entries[e].Class != m.StatClass) {
            ++e;
            param = 0;
        }
        ASSERT_LT(e, entries.size()) << m.Code() << " out of registry order";
        EXPECT_TRUE(m.StatClass->IsAvailable()) << m.Code();
        if (m.StatClass->HasParam()) {
            EXPECT_EQ(m.Param, param == 0 ? m.StatClass->GetParamRange(l).Min : param + 1) << m.Code();
            param = m.Param;
        } else {
            EXPECT_EQ(m.Param, 0) << m.Code();
        }
        EXPECT_TRUE(m.Visible);
        EXPECT_TRUE(m.CustomCaption.empty());
    }
    // The codes of the number statistics, at the front of the registry and at 102, 103.
    std::vector<std::string> codes;
    for (const auto& m : l.Methods) codes.push_back(m.Code());
    const std::vector<std::string> numbers = {"NUMS", "DIGS", "EVEN", "EVNV", "SMAL", "SMLV", "PRIM", "PRMV"};
    EXPECT_EQ(std::vector<std::string>(codes.begin(), codes.begin() + 8), numbers);
    for (const char* code : {"POS1", "POS2", "POS3", "POS4", "POS5", "POE1", "POE2"})
        EXPECT_GE(l.IndexOfCode(code), 8) << code;
    EXPECT_EQ(l.IndexOfCode("POS5") + 1, l.IndexOfCode("POE1"));
    EXPECT_EQ(l.IndexOfCode("pos1"), l.IndexOfCode("POS1"));
    EXPECT_EQ(l.IndexOfCode("KNO2"), -1);
    // The channel, matrix and segment methods with the default settings (width 5, five columns,
    // every number in segment 1), in registry order.
    std::vector<std::string> groups345;
    for (const auto& m : l.Methods)
        if (m.StatClass->GetGroup() >= 3 && m.StatClass->GetGroup() <= 5) groups345.push_back(m.Code());
    std::vector<std::string> expected = {"CHAN", "CHNV", "CHNC", "COLS", "ROWS", "COLV", "ROWV", "COLN", "ROWN",
                                         "COLM", "ROWM", "COLA", "ROWA", "COLC", "ROWC", "SGMS", "SGMV", "SGMC"};
    for (const char* t : {"KCM", "KCS", "KFM", "KFS", "KRM", "KRS", "KGM", "KGS"})
        for (int k = 2; k <= 4; ++k) expected.push_back(t + std::to_string(k));
    for (int c = 1; c <= 10; ++c) expected.push_back("CHN" + std::to_string(c));
    for (int c = 1; c <= 5; ++c) expected.push_back("COL" + std::to_string(c));
    for (int r = 1; r <= 10; ++r) expected.push_back("ROW" + std::to_string(r));
    expected.push_back("SGM1");
    EXPECT_EQ(groups345, expected);
    // Every code is unique, ignoring case.
    for (size_t i = 0; i < codes.size(); ++i) EXPECT_EQ(l.IndexOfCode(codes[i]), int(i)) << codes[i];
    if (entries.size() == size_t(kRegistryClassCount)) {
        EXPECT_EQ(l.Count(), 219);
    }
}

TEST(StatRegistry, RejectsBadOrRepeatedPositions) {
    TStatRegistry r;
    const TStatClass& c = *RegisteredStatClasses().front();
    EXPECT_THROW(r.Add(0, c), std::logic_error);
    EXPECT_THROW(r.Add(kRegistryClassCount + 1, c), std::logic_error);
    r.Add(5, c);
    EXPECT_THROW(r.Add(5, *RegisteredStatClasses().back()), std::logic_error);
    EXPECT_THROW(r.Add(6, c), std::logic_error);
}
