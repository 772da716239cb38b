// Reference counting, interface queries, TIEs, handles and the dictionary.
#include <gtest/gtest.h>

#include "NUVBaseUnknown_var.h"
#include "NUVDictionary.h"
#include "NUVFillDictionary.h"
#include "NUVTie.h"

// An interface the implementation reaches only through a TIE, one it derives
// from, an implementation that counts its instances, a child of it and the TIE.
class TestIGreeter : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  virtual int Greet(int times) = 0;
};
typedef NUVVar<TestIGreeter> TestIGreeter_var;

class TestIDirect : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  virtual int Answer() = 0;
};
typedef NUVVar<TestIDirect> TestIDirect_var;

class TestCounted : public TestIDirect {
  NUV_DECLARE_CLASS
 public:
  TestCounted() { ++live; }
  ~TestCounted() override { --live; }
  int Answer() override { return 42; }
  int greetings = 0;
  static int live;
};
int TestCounted::live = 0;

class TestCountedChild : public TestCounted {
  NUV_DECLARE_CLASS
};

class TestTieGreeter : public NUVTie<TestIGreeter, TestCounted> {
  NUV_DECLARE_CLASS
 public:
  using NUVTie::NUVTie;
  int Greet(int times) override { return Impl()->greetings += times; }
  static int built;
};
int TestTieGreeter::built = 0;

NUV_IMPLEMENT_INTERFACE(TestIGreeter, NUVBaseUnknown, "Tests")
NUV_IMPLEMENT_INTERFACE(TestIDirect, NUVBaseUnknown, "Tests")
NUV_IMPLEMENT_CLASS(TestCounted, TestIDirect, "Tests")
NUV_IMPLEMENT_CLASS(TestCountedChild, TestCounted, "Tests")
NUV_IMPLEMENT_CLASS_EXT(TestTieGreeter, TestIGreeter::MetaObject(), "NUVNull", "Tests",
                        NUVMetaClass::Tie)

namespace {

NUVBaseUnknown* CreateTIETestIGreeterTestCounted(NUVBaseUnknown* impl) {
  if (impl && !impl->GetImpl()->FindTie(TestIGreeter::ClassId())) ++TestTieGreeter::built;
  return NUVTieFindOrCreate<TestTieGreeter>(impl);
}
NUVBaseUnknown* CreateTestCounted() { return NUVNew<TestCounted>(); }

class ObjectModel : public ::testing::Test {
 protected:
  void SetUp() override {
    NUVDictionary::RegisterMetaClass("Tests", "TestCounted", &TestCounted::MetaObject);
    NUVDictionary::RegisterInterface("Tests", "TestCounted", "TestIGreeter",
                                     &CreateTIETestIGreeterTestCounted);
    NUVFillDictionary::RegisterFunctionCreation("TestCounted", &CreateTestCounted, "Tests");
    TestCounted::live = 0;
    TestTieGreeter::built = 0;
  }
  void TearDown() override {
    NUVDictionary::UnregisterLibrary("Tests");
    EXPECT_EQ(TestCounted::live, 0) << "every object should have been destroyed";
  }
};

}  // namespace

TEST_F(ObjectModel, TieIsBuiltOnceSharesTheImplementationCountAndServesChildClasses) {
  auto* o = new TestCounted;
  {
    TestIGreeter_var first(o);
    ASSERT_TRUE(first);
    EXPECT_EQ(o->GetRefCount(), 2u) << "the handle on the TIE holds the implementation";
    TestIGreeter_var second(o);
    EXPECT_EQ(first.get(), second.get()) << "the TIE is found again, not built twice";
    EXPECT_EQ(TestTieGreeter::built, 1);
    // Querying through the TIE reaches the implementation's interfaces.
    TestIDirect_var direct(first.get());
    EXPECT_EQ(direct.get(), static_cast<TestIDirect*>(o));
  }
  EXPECT_EQ(o->GetRefCount(), 1u) << "handles gave every reference back";
  o->Release();
  auto* child = new TestCountedChild;
  EXPECT_TRUE(TestIGreeter_var(child)) << "a TIE registered for the parent class serves the child";
  EXPECT_FALSE(child->IsA("TestCounted")) << "IsA is the exact class";
  EXPECT_TRUE(child->IsAKindOf("TestIDirect"));
  EXPECT_FALSE(child->IsAKindOf("TestIGreeter")) << "reached through a TIE only";
  EXPECT_FALSE(child->IsAKindOf(nullptr));
  child->Release();
}

TEST_F(ObjectModel, MissingInterfaceGivesNullHandleThatThrowsWhenUsed) {
  NUVBaseUnknown* plain = new NUVBaseUnknown;
  TestIGreeter_var greeter(plain);
  EXPECT_FALSE(greeter);
  EXPECT_THROW(greeter->Greet(1), NUVNullVarError);
  EXPECT_EQ(plain->GetRefCount(), 1u) << "a failed query takes no reference";
  void* out = reinterpret_cast<void*>(1);
  EXPECT_LT(plain->QueryInterface(TestIGreeter::ClassId(), &out), 0);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(plain->QueryInterface(TestIGreeter::ClassId(), nullptr), E_INVALIDARG);
  plain->Release();
}

TEST_F(ObjectModel, InstantiateByNameQueriesTheInterfaceUntilTheLibraryIsUnregistered) {
  TestIGreeter* greeter = nullptr;
  ASSERT_EQ(NUVInstantiateComponent("TestCounted", TestIGreeter::ClassId(),
                                    reinterpret_cast<void**>(&greeter)),
            S_OK);
  EXPECT_EQ(greeter->GetImpl()->GetRefCount(), 1u) << "only the caller's reference remains";
  greeter->Release();
  void* out = nullptr;
  EXPECT_EQ(NUVInstantiateComponent("NoSuchComponent", TestIGreeter::ClassId(), &out), E_FAIL);
  EXPECT_EQ(NUVInstantiateComponent("TestCounted", NUVIID{"NoSuchInterface"}, &out),
            E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(NUVInstantiateComponent("TestCounted", TestIGreeter::ClassId(), nullptr),
            E_INVALIDARG);

  NUVDictionary::UnregisterLibrary("Tests");
  EXPECT_EQ(NUVDictionary::CountRegistrations("Tests"), 0);
  EXPECT_EQ(NUVInstantiateComponent("TestCounted", TestIGreeter::ClassId(), &out), E_FAIL);
  auto* o = new TestCounted;
  EXPECT_FALSE(TestIGreeter_var(o)) << "no TIE once its registration is gone";
  o->Release();
}
