// The game: 5 main numbers of 1..50 and 2 extra numbers of 1..10 per draw, and the small pure
// operations on numbers, combinations, draws and number sets that every part of the engine uses.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

constexpr int kNumberCount = 5;  // main numbers per draw and per combination
constexpr int kMinNumber = 1;
constexpr int kMaxNumber = 50;
constexpr int kExtraCount = 2;
constexpr int kMinExtra = 1;
constexpr int kMaxExtra = 10;
constexpr int kCombinationTotal = 2118760;  // C(50, 5)

constexpr int SumOfRun(int a, int k) { return k * a + k * (k - 1) / 2; }
constexpr int SumOfRunDown(int a, int k) { return k * a - k * (k - 1) / 2; }
constexpr int MinSum = SumOfRun(1, kNumberCount);
constexpr int MaxSum = SumOfRunDown(kMaxNumber, kNumberCount);
constexpr int SumStep = (MaxSum - MinSum) / 10;
static_assert(MinSum == 15 && MaxSum == 240 && SumStep == 22);

// Plain decimal number texts are integers, so number texts always parse back.
constexpr bool NumbersAreNumeric = true;

// The guide of the help document (help/Numora_<ABR>/index.htm, core/app/help.h); set at start-up,
// empty means no help.
std::string& HelpFile();

using TByteArray = std::vector<uint8_t>;
using TIntArray = std::vector<int32_t>;
using TCombination = std::array<uint8_t, kNumberCount>;
using TCombsArray = std::vector<TCombination>;
static_assert(sizeof(TCombination) == 5);

struct TDrawRecord;

struct TNumberSet {
    int32_t Count = 0;
    uint8_t Numbers[8] = {};
};

// Number texts. A variant of the game could render numbers differently; here all are decimal.
std::string NumberToText(int n);
std::string ExtraToText(int n);
std::string IntToText(int64_t n);
int32_t TextToNumber(const std::string& s);
int32_t TextToExtra(const std::string& s);
int32_t TextToInt(const std::string& s);

// Channel colours as 0xBBGGRR.
uint32_t ChannelColor(int channel);
uint32_t NumberColor(int number, int channelSize);

std::string StakeKindName(int kind);

// Counting.
long double Factorial(uint8_t n);
long double RisingProduct(int a, int k);
long double FallingProduct(int a, int k);
// C(n, k), exact: 0 when k < 0 or k > n; UINT64_MAX when it does not fit.
uint64_t Binomial(int n, int k);
// The number of combinations of a stake of n numbers taken k at a time: 1 when k >= n (a stake
// of five or fewer numbers is one combination), else Binomial(n, k) as an unsigned 32-bit value.
uint32_t CombinationCount(uint8_t n, uint8_t k);
uint32_t MatchWays(uint8_t n, uint8_t k, uint8_t m);
int CeilDiv(int a, int b);
int GroupCount(int first, int last, int size);
int MatrixColumn(int n, int cols);
int MatrixRow(int n, int cols);
int ShiftNumber(int n, int d);
void ShiftCombination(const TCombination& comb, int d, TCombination& out);

// Membership.
bool DrawHasNumber(int n, const TDrawRecord& draw);
bool DrawHasChannel(int c, const TDrawRecord& draw, int size);
bool DrawHasMapped(int v, const TDrawRecord& draw, const uint8_t* map50);
inline bool CombHasNumber(int n, const TCombination& c) {
    return c[0] == n || c[1] == n || c[2] == n || c[3] == n || c[4] == n;
}
bool ByteArrayHas(uint8_t b, const TByteArray& arr);
void ByteArrayAddUnique(uint8_t b, TByteArray& arr);
void ByteArrayAdd(uint8_t b, TByteArray& arr);

// Draws, combinations and number sets.
void DrawToComb(const TDrawRecord& draw, TCombination& comb);
void CombToNumberSet(const TCombination& comb, TNumberSet& set);
int CommonCount(const TDrawRecord& draw, const TCombination& comb);
int DrawCommonCount(const TDrawRecord& a, const TDrawRecord& b);
void MatchedNumbers(const TDrawRecord& draw, const TNumberSet& set, TNumberSet& res);
bool SameNumberSet(const TNumberSet& a, const TNumberSet& b);
int DistinctNumberCount(const TCombination* combs, int n);
void DistinctNumbers(const TCombination* combs, int n, TByteArray& out);
std::string DrawToText(const TDrawRecord& draw);
std::string CombToText(const TCombination& comb);
std::string CombToSpacedText(const TCombination& comb);
// Throws Error("Некорректная комбинация: \"%s\"!") unless the text holds exactly 5 words whose
// numbers fit a byte; a word that is not an integer reads as 0. comb is unchanged on an error.
void TextToComb(const std::string& text, TCombination& comb);
// The words of a list of numbers typed by the user ("3 7 19 28 44", "3;7;19;28;44", "3, 7, 19"):
// separated by "," or ";" or by blanks. Blanks around a "," or ";" belong to it; an empty word
// between two of "," and ";" (or before or after them) stays, so such a list is no list of
// numbers.
std::vector<std::string> SplitNumberWords(const std::string& text);
std::string NumberSetToText(const TNumberSet& set, const std::string& sep);
std::string DeltaText(const std::string& text, int base);

// Sorting (stable insertion sorts).
void SortComb(TCombination& comb);
void SortDrawNumbers(TDrawRecord& draw);
void SortNumberSet(TNumberSet& set);
void SortIntsDesc(TIntArray& arr);

// Integer lists: "3;1;2", "1-10;3" (from, to, step).
void ParseIntList(const std::string& text, TIntArray& arr);
std::string IntListToText(const TIntArray& arr, const std::string& sep);

// The matrix segment map: one digit per number.
void DigitsToBytes(const std::string& text, uint8_t map50[50]);
std::string BytesToDigits(const uint8_t map50[50]);

// Differences of neighbours repeated down to two numbers (characteristic numbers).
void IteratedDifference(const uint8_t* nums, int k, int mode, TIntArray& arr);

} // namespace velmora
