#include <gtest/gtest.h>

#include <string>

#include "capture/AtomTable.h"

namespace {

TEST(AtomTable, SameNameSameAtomCountingReferences)
{
    AtomTable table;
    const TAtom a = table.Add("HKey_CAPTURE");
    ASSERT_GE(a, AtomTable::kFirstAtom);
    EXPECT_EQ(table.Add("HKey_CAPTURE"), a);
    EXPECT_EQ(table.Add("hkey_capture"), a); // names ignore case
    EXPECT_EQ(table.ReferenceCount(a), 3);
    EXPECT_EQ(table.Name(a), "HKey_CAPTURE");

    EXPECT_TRUE(table.Delete(a));
    EXPECT_TRUE(table.Delete(a));
    EXPECT_EQ(table.Find("HKey_CAPTURE"), a);
    EXPECT_TRUE(table.Delete(a));
    EXPECT_EQ(table.Find("HKey_CAPTURE"), 0);
    EXPECT_EQ(table.Name(a), "");
    EXPECT_FALSE(table.Delete(a)); // one delete too many changes nothing
}

TEST(AtomTable, DistinctNamesDistinctAtomsAndFreedSlotsAreReused)
{
    AtomTable table;
    const TAtom a = table.Add("one");
    const TAtom b = table.Add("two");
    EXPECT_NE(a, b);
    EXPECT_TRUE(table.Delete(a));
    EXPECT_EQ(table.ReferenceCount(b), 1);
    const TAtom c = table.Add("three");
    EXPECT_EQ(c, a);
    EXPECT_EQ(table.Name(c), "three");
    EXPECT_EQ(table.Name(b), "two");
}

TEST(AtomTable, RefusesEmptyOrLongNamesAndUnknownAtoms)
{
    AtomTable table;
    EXPECT_EQ(table.Add(""), 0);
    EXPECT_EQ(table.Add(std::string(256, 'x')), 0);
    EXPECT_NE(table.Add(std::string(255, 'x')), 0);
    for (TAtom atom : {TAtom(0), TAtom(1), TAtom(0xBFFF), TAtom(0xC001), TAtom(0xFFFF)})
        EXPECT_FALSE(table.Delete(atom)) << atom;
}

TEST(AtomTable, FullTableRefusesNewNamesButStillCountsKnownOnes)
{
    AtomTable table;
    const int capacity = AtomTable::kLastAtom - AtomTable::kFirstAtom + 1;
    TAtom last = 0;
    for (int i = 0; i < capacity; ++i)
        last = table.Add("n" + std::to_string(i));
    EXPECT_EQ(last, AtomTable::kLastAtom);
    EXPECT_EQ(table.Add("one more"), 0);
    EXPECT_EQ(table.Add("n7"), TAtom(AtomTable::kFirstAtom + 7));
    EXPECT_EQ(table.ReferenceCount(TAtom(AtomTable::kFirstAtom + 7)), 2);
}

} // namespace
