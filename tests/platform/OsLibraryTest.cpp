// Loading a library of the system at run time, and the failures.
#include <gtest/gtest.h>

#include <string>

#include "NUVOsLibrary.h"

namespace {
#if defined(_WIN32)
const char* const kSystemLibrary = "msvcrt.dll";
#else
const char* const kSystemLibrary = "libm.so.6";
#endif
}  // namespace

TEST(OsLibrary, LoadsFindsAndUnloadsOrSaysWhyNot) {
  std::string why;
  void* library = NUVOsLibrary::Load(kSystemLibrary, &why);
  ASSERT_NE(library, nullptr) << why;
  auto cosine = reinterpret_cast<double (*)(double)>(NUVOsLibrary::Symbol(library, "cos"));
  EXPECT_TRUE(cosine && cosine(0.0) == 1.0);
  EXPECT_EQ(NUVOsLibrary::Symbol(library, "NoSuchSymbol"), nullptr);
  EXPECT_TRUE(NUVOsLibrary::IsLoaded(kSystemLibrary));
  EXPECT_EQ(NUVOsLibrary::Unload(library), 0);
  EXPECT_EQ(NUVOsLibrary::Load("/no/such/library.so", &why), nullptr);
  EXPECT_NE(why.find("/no/such/library.so"), std::string::npos) << why;
  EXPECT_FALSE(NUVOsLibrary::Load(nullptr) || NUVOsLibrary::Symbol(nullptr, "cos"));
  EXPECT_EQ(NUVOsLibrary::Unload(nullptr), -1);
}
