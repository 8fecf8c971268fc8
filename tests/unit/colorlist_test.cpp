// The colour list's operations and their do-nothing cases.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

#include "core/colorlist/ColorListOps.h"
#include "core/text/Digits.h"

namespace {

enum class Op { InsertFirst, Append, Delete, MoveUp, MoveDown };

// The cases name their colours by a grey level.
Rgb Grey(std::uint32_t level)
{
    return {std::uint8_t(level), std::uint8_t(level), std::uint8_t(level)};
}

RgbList Greys(const std::vector<std::uint8_t>& levels)
{
    RgbList list;
    for (std::uint8_t level : levels)
        list.push_back(Grey(level));
    return list;
}

struct ListCase {
    const char* name;
    std::vector<std::uint8_t> before;
    Op op;
    std::uint32_t indexOrColor;
    std::vector<std::uint8_t> after;
};

void Apply(const ListCase& c, RgbList& list)
{
    switch (c.op) {
    case Op::InsertFirst: InsertColorFirst(Grey(c.indexOrColor), list); break;
    case Op::Append: AppendColor(Grey(c.indexOrColor), list); break;
    case Op::Delete: DeleteColor(c.indexOrColor, list); break;
    case Op::MoveUp: MoveColorUp(c.indexOrColor, list); break;
    case Op::MoveDown: MoveColorDown(c.indexOrColor, list); break;
    }
}

constexpr std::uint32_t kMinusOne = std::uint32_t(-1);

} // namespace

TEST(ColorList, OperationsAndTheirDoNothingCases)
{
    const ListCase cases[] = {
        {"insert into empty", {}, Op::InsertFirst, 7, {7}},
        {"insert keeps order", {1, 2}, Op::InsertFirst, 9, {9, 1, 2}},
        {"insert duplicate", {5}, Op::InsertFirst, 5, {5, 5}},
        {"append to empty", {}, Op::Append, 3, {3}},
        {"append at end", {1, 2}, Op::Append, 3, {1, 2, 3}},
        {"delete only entry", {4}, Op::Delete, 0, {}},
        {"delete from empty", {}, Op::Delete, 0, {}},
        {"delete first", {1, 2, 3}, Op::Delete, 0, {2, 3}},
        {"delete middle", {1, 2, 3}, Op::Delete, 1, {1, 3}},
        {"delete last", {1, 2, 3}, Op::Delete, 2, {1, 2}},
        {"delete at length", {1, 2, 3}, Op::Delete, 3, {1, 2, 3}},
        {"delete at -1", {1, 2, 3}, Op::Delete, kMinusOne, {1, 2, 3}},
        {"up at 0", {1, 2, 3}, Op::MoveUp, 0, {1, 2, 3}},
        {"up at 1", {1, 2, 3}, Op::MoveUp, 1, {2, 1, 3}},
        {"up at last", {1, 2, 3}, Op::MoveUp, 2, {1, 3, 2}},
        {"up at length", {1, 2, 3}, Op::MoveUp, 3, {1, 2, 3}},
        {"up at -1", {1, 2, 3}, Op::MoveUp, kMinusOne, {1, 2, 3}},
        {"up in empty", {}, Op::MoveUp, 0, {}},
        {"down at 0", {1, 2, 3}, Op::MoveDown, 0, {2, 1, 3}},
        {"down before last", {1, 2, 3}, Op::MoveDown, 1, {1, 3, 2}},
        {"down at last", {1, 2, 3}, Op::MoveDown, 2, {1, 2, 3}},
        {"down at -1", {1, 2, 3}, Op::MoveDown, kMinusOne, {1, 2, 3}},
        {"down in empty", {}, Op::MoveDown, 0, {}},
        {"down in one-entry list", {8}, Op::MoveDown, 0, {8}},
    };
    for (const ListCase& c : cases) {
        RgbList list = Greys(c.before);
        Apply(c, list);
        EXPECT_EQ(list, Greys(c.after)) << c.name;
    }
}

TEST(ColorList, InsertingABThenCGivesCBA)
{
    RgbList list;
    for (std::uint8_t level : {0xAA, 0xBB, 0xCC})
        InsertColorFirst(Grey(level), list);
    EXPECT_EQ(list, Greys({0xCC, 0xBB, 0xAA}));
}

TEST(ColorList, AMillionAppendsTakeLinearTime)
{
    // A quadratic growth (a resize per entry) would take minutes here.
    const auto start = std::chrono::steady_clock::now();
    RgbList list;
    for (std::uint32_t i = 0; i < 1'000'000; ++i)
        AppendColor(RgbFromStoredColor(i), list);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(list.size(), 1'000'000u);
    EXPECT_EQ(list.front(), kBlack);
    EXPECT_EQ(list.back(), RgbFromStoredColor(999'999));
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 2000);
}

TEST(ColorList, ExtractDigits)
{
    const std::pair<const char*, const char*> cases[] = {
        {"2.0.2.1", "2021"}, {"", ""}, {"no digits", ""}, {"a1b2c3", "123"}, {"0099", "0099"},
        {"\xC2\xB9 9", "9"}, // a superscript one is not a digit
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(ExtractDigits(in), out) << in;
}
