// One-based lists and the text dictionary.
#include <gtest/gtest.h>

#include "NUVHashDico.h"
#include "NUVRawCollPV.h"
#include "NUVRawCollint.h"

TEST(Collections, PointerListPositionsStartAtOne) {
  int a, b, c;
  NUVRawCollPV list;
  list.Append(&a);
  list.Append(&b);
  list.InsertAt(1, &c);  // c a b
  EXPECT_EQ(list.Size(), 3);
  EXPECT_EQ(list[1], &c);
  EXPECT_EQ(list[0], nullptr) << "position 0 does not exist";
  EXPECT_EQ(list[4], nullptr);
  EXPECT_EQ(list.Locate(&a), 2);
  EXPECT_EQ(list.Locate(&a, 3), 0) << "search starts at the given position";
  list.Append(&a);  // c a b a
  EXPECT_EQ(list.Locate(&a, 3), 4);
  EXPECT_EQ(list.RemoveValue(&a), 2) << "the first occurrence goes";
  EXPECT_EQ(list[2], &b);
  list.RemovePosition(9);
  list.RemovePosition(0);
  EXPECT_EQ(list.Size(), 3);
  list.RemovePosition(1, 5);
  EXPECT_EQ(list.Size(), 0);
  list.InsertAt(2, &a);
  EXPECT_EQ(list.Size(), 0) << "insertion past the end+1 is ignored";
}

TEST(Collections, IntListAndDictionary) {
  NUVRawCollint ints;
  ints.Append(5);
  ints.Append(7);
  ints.Set(2, 9);
  EXPECT_EQ(ints[2], 9);
  EXPECT_EQ(ints[3], 0);
  EXPECT_EQ(ints.Locate(9), 2);
  EXPECT_EQ(ints.RemoveValue(5), 1);
  EXPECT_EQ(ints.Size(), 1);

  NUVHashDico dico(10);
  int x, y;
  EXPECT_EQ(dico.Insert("key", &x), 1);
  EXPECT_EQ(dico.Insert("key", &y), 0) << "an existing key keeps its value";
  EXPECT_EQ(dico.Locate("key"), &x);
  EXPECT_EQ(dico.Locate("other"), nullptr);
  EXPECT_EQ(dico.Remove("key"), 1);
  EXPECT_EQ(dico.Remove("key"), 0);
}
