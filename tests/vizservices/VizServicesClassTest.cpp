#include <gtest/gtest.h>

#include <cstring>

#include "NUVDictionary.h"
#include "NUVSimVizServices.h"

TEST(VizServicesClass, IsRegisteredUnderTheLibraryAtLoad) {
  const NUVMetaClass* meta = NUVDictionary::FindMetaClass("NUVSimVizServices");
  ASSERT_NE(meta, nullptr);
  EXPECT_EQ(meta, NUVSimVizServices::MetaObject());
  EXPECT_STREQ(meta->GetLibraryName(), "Velloran");
  EXPECT_TRUE(meta->IsAKindOf("NUVBaseUnknown"));

  NUVSimVizServices* services = new NUVSimVizServices;
  EXPECT_TRUE(services->IsA("NUVSimVizServices"));
  EXPECT_EQ(services->Release(), 0u);
}
