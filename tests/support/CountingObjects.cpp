#include "CountingObjects.h"

#include "NUVDictionary.h"
#include "NUVFillDictionary.h"

NUV_IMPLEMENT_INTERFACE(TestIGreeter, NUVBaseUnknown, "Tests")
NUV_IMPLEMENT_INTERFACE(TestIDirect, NUVBaseUnknown, "Tests")
NUV_IMPLEMENT_CLASS(TestCounted, TestIDirect, "Tests")
NUV_IMPLEMENT_CLASS(TestCountedChild, TestCounted, "Tests")
NUV_IMPLEMENT_CLASS_EXT(TestTieGreeter, TestIGreeter::MetaObject(), "NUVNull", "Tests",
                        NUVMetaClass::Tie)

int& TestCounted::Live() {
  static int live = 0;
  return live;
}

int& TestTieGreeter::Built() {
  static int built = 0;
  return built;
}

namespace {
NUVBaseUnknown* CreateTIETestIGreeterTestCounted(NUVBaseUnknown* impl) {
  NUVBaseUnknown* existing = impl ? impl->GetImpl()->FindTie(TestIGreeter::ClassId()) : nullptr;
  if (!existing) ++TestTieGreeter::Built();
  return NUVTieFindOrCreate<TestTieGreeter>(impl);
}
NUVBaseUnknown* CreateTestCounted() { return NUVNew<TestCounted>(); }
}  // namespace

void RegisterTestClasses() {
  NUVDictionary::RegisterMetaClass("Tests", "TestCounted", &TestCounted::MetaObject);
  NUVDictionary::RegisterInterface("Tests", "TestCounted", "TestIGreeter",
                                   &CreateTIETestIGreeterTestCounted);
  NUVFillDictionary::RegisterFunctionCreation("TestCounted", &CreateTestCounted, "Tests");
}

void UnregisterTestClasses() { NUVDictionary::UnregisterLibrary("Tests"); }
