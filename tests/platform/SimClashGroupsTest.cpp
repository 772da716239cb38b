#include <gtest/gtest.h>

#include "RWMWDMSortImpl.h"

TEST(SimClashGroups, GroupsAreNumberedKeptAndDeleted) {
  auto* support = new RWMWDMSortImpl;
  auto* entity = new NUVBaseUnknown;
  NUVListValNUVBaseUnknown_var group;
  group.Append(NUVBaseUnknown_var(entity));
  group.Append(NUVBaseUnknown_var(entity));
  unsigned long refs = entity->GetRefCount();

  int first = 0, second = 0;
  EXPECT_EQ(support->CreateClashGroup(group, first), S_OK);
  EXPECT_EQ(support->CreateClashGroup(group, second), S_OK);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);
  EXPECT_EQ(entity->GetRefCount(), refs + 4) << "each group holds its entities";

  NUVListValNUVBaseUnknown_var copy;
  EXPECT_EQ(support->GetClashGroup(first, copy), S_OK);
  EXPECT_EQ(copy.Size(), 2);
  copy.RemoveAll();

  EXPECT_EQ(support->DeleteClashGroup(first), S_OK);
  EXPECT_EQ(support->DeleteClashGroup(first), S_FALSE);
  EXPECT_EQ(support->DeleteClashGroup(77), S_FALSE);
  EXPECT_EQ(support->GetClashGroup(first, copy), S_FALSE);
  EXPECT_EQ(entity->GetRefCount(), refs + 2);

  int third = 0;
  support->CreateClashGroup(group, third);
  EXPECT_EQ(third, 3) << "identifiers are not reused";
  EXPECT_EQ(support->CountClashGroups(), 2);

  support->Release();
  EXPECT_EQ(entity->GetRefCount(), refs);
  group.RemoveAll();
  entity->Release();
}
