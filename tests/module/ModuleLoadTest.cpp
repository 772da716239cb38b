// libVelloran loaded and unloaded with dlopen, as the application does.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "NUVDictionary.h"
#include "VelloranModule.h"

namespace {

void* Load() { return dlopen(VELLORAN_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL); }

}  // namespace

TEST(ModuleLoad, RegistrationsComeWithTheLibraryAndGoWithIt) {
  ASSERT_EQ(NUVDictionary::CountRegistrations(VELLORAN_LIBRARY_NAME), 0)
      << "this program must not be linked against the library";
  void* handle = Load();
  ASSERT_NE(handle, nullptr) << dlerror();

  EXPECT_GT(NUVDictionary::CountRegistrations(VELLORAN_LIBRARY_NAME), 0);
  const NUVMetaClass* meta = NUVDictionary::FindMetaClass("NUVSimMessage");
  ASSERT_NE(meta, nullptr);
  EXPECT_STREQ(meta->GetLibraryName(), VELLORAN_LIBRARY_NAME);
  EXPECT_TRUE(meta->IsAKindOf("NUVBaseUnknown"));

  ASSERT_EQ(dlclose(handle), 0);
  EXPECT_EQ(dlopen(VELLORAN_LIBRARY_PATH, RTLD_NOW | RTLD_NOLOAD), nullptr)
      << "the library should really be unloaded";
  EXPECT_EQ(NUVDictionary::CountRegistrations(VELLORAN_LIBRARY_NAME), 0);
  EXPECT_EQ(NUVDictionary::FindMetaClass("NUVSimMessage"), nullptr);
}

TEST(ModuleLoad, ReloadRegistersAgain) {
  for (int round = 0; round < 2; ++round) {
    void* handle = Load();
    ASSERT_NE(handle, nullptr) << dlerror();
    EXPECT_NE(NUVDictionary::FindMetaClass("NUVSimMessage"), nullptr) << "round " << round;
    ASSERT_EQ(dlclose(handle), 0);
    EXPECT_EQ(NUVDictionary::CountRegistrations(VELLORAN_LIBRARY_NAME), 0);
  }
}

TEST(ModuleLoad, ExportsPublicClassesOnly) {
  void* handle = Load();
  ASSERT_NE(handle, nullptr) << dlerror();
  // A public class's operation is visible...
  EXPECT_NE(dlsym(handle, "_ZN18NUVSimMessageQueue11GetInstanceEv"), nullptr);
  // ...the module's internal start-up is not.
  EXPECT_EQ(dlsym(handle, "_Z18VelloranModuleLoadv"), nullptr);
  dlclose(handle);
}
