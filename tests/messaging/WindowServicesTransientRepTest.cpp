// Named transient representations shown in the current editor's
// interactive set.
#include <gtest/gtest.h>

#include "FrameTestScene.h"
#include "NUV3DBagRep.h"
#include "NUVBaseUnknown_WR.h"
#include "NUVFrmEditor.h"
#include "NUVISO.h"
#include "NUVModelForRep3D.h"
#include "NUVSimWindowServices.h"

namespace {

typedef NUVSimWindowServices WS;

class WindowServicesTransientRep : public ::testing::Test {
 protected:
  void SetUp() override {
    _pIso = _Scene.Editor()->GetISO();
    _pRep = new NUV3DBagRep;
    _pOtherRep = new NUV3DBagRep;
  }
  void TearDown() override {
    // Forget the names with an editor current, so the next test starts clean.
    NUVFrmEditor::SetCurrentEditor(_Scene.Editor());
    for (const char* n : {"path", "other", "ghost"}) {
      NUVUnicodeString name(n);
      WS::RemoveTransientRep(name);
    }
    EXPECT_EQ(_pRep->GetRefCount(), 1u) << "every reference on the rep must be given back";
    EXPECT_EQ(_pOtherRep->GetRefCount(), 1u);
    _pRep->Release();
    _pOtherRep->Release();
  }
  NUVModelForRep3D* Holder(int position = 1) const {
    return static_cast<NUVModelForRep3D*>(_pIso->GetElement(position));
  }

  FrameTestScene _Scene;
  NUVISO* _pIso = nullptr;
  NUV3DBagRep* _pRep = nullptr;
  NUV3DBagRep* _pOtherRep = nullptr;
};

TEST_F(WindowServicesTransientRep, ShowsTheRepUnderItsNameAndRemovesIt) {
  NUVUnicodeString name("path");
  EXPECT_EQ(WS::AddTransientRep(name, _pRep), S_OK);
  ASSERT_EQ(_pIso->Size(), 1);
  NUVModelForRep3D* holder = Holder();
  ASSERT_TRUE(holder->IsA("NUVModelForRep3D"));
  EXPECT_EQ(holder->GetRep(), _pRep);
  EXPECT_EQ(_pRep->GetRefCount(), 2u);
  EXPECT_EQ(holder->GetRefCount(), 2u) << "one for the dictionary, one for the set";
  EXPECT_EQ(_pIso->GetRemoveCount(), 1) << "taken out before the rep is set";
  EXPECT_EQ(_pIso->GetAddCount(), 1);

  NUVBaseUnknown_WR weak(holder);
  EXPECT_EQ(WS::RemoveTransientRep(name), S_OK);
  EXPECT_EQ(_pIso->Size(), 0);
  EXPECT_FALSE(weak.IsAlive()) << "the dictionary's reference was the last";
  EXPECT_EQ(_pRep->GetRefCount(), 1u);
}

TEST_F(WindowServicesTransientRep, ASecondRepUnderTheSameNameReplacesTheFirst) {
  NUVUnicodeString name("path");
  NUVUnicodeString other("other");
  WS::AddTransientRep(name, _pRep);
  NUVModelForRep3D* holder = Holder();
  WS::AddTransientRep(name, _pOtherRep);
  ASSERT_EQ(_pIso->Size(), 1);
  EXPECT_EQ(Holder(), holder) << "the same holder is reused";
  EXPECT_EQ(holder->GetRep(), _pOtherRep);
  EXPECT_EQ(_pRep->GetRefCount(), 1u);
  EXPECT_EQ(holder->GetRefCount(), 2u);

  WS::AddTransientRep(other, _pRep);
  EXPECT_EQ(_pIso->Size(), 2);
  WS::RemoveTransientRep(name);
  ASSERT_EQ(_pIso->Size(), 1);
  EXPECT_EQ(Holder()->GetRep(), _pRep);
}

TEST_F(WindowServicesTransientRep, NullRepAndUnknownNameChangeNothing) {
  NUVUnicodeString name("path");
  EXPECT_EQ(WS::AddTransientRep(name, nullptr), S_OK);
  EXPECT_EQ(_pIso->GetAddCount() + _pIso->GetRemoveCount(), 0);
  NUVUnicodeString ghost("ghost");
  EXPECT_EQ(WS::RemoveTransientRep(ghost), S_OK);
  EXPECT_EQ(_pIso->GetRemoveCount(), 0);
}

TEST_F(WindowServicesTransientRep, WithoutCurrentEditorTheNameIsKeptForLater) {
  NUVUnicodeString name("path");
  NUVFrmEditor::SetCurrentEditor(nullptr);
  EXPECT_EQ(WS::AddTransientRep(name, _pRep), S_OK);
  EXPECT_EQ(_pRep->GetRefCount(), 1u) << "the holder is created without a rep";

  NUVFrmEditor::SetCurrentEditor(_Scene.Editor());
  WS::AddTransientRep(name, _pRep);
  ASSERT_EQ(_pIso->Size(), 1);
  NUVModelForRep3D* holder = Holder();
  EXPECT_EQ(holder->GetRefCount(), 2u);

  NUVFrmEditor::SetCurrentEditor(nullptr);
  EXPECT_EQ(WS::RemoveTransientRep(name), S_OK);
  EXPECT_EQ(holder->GetRefCount(), 2u) << "no editor: the holder stays registered";
  EXPECT_EQ(_pIso->Size(), 1);

  NUVFrmEditor::SetCurrentEditor(_Scene.Editor());
  EXPECT_EQ(WS::RemoveTransientRep(name), S_OK);
  EXPECT_EQ(_pIso->Size(), 0);
}

TEST_F(WindowServicesTransientRep, WithoutInteractiveSetTheHolderIsForgottenAndReleased) {
  NUVUnicodeString name("path");
  WS::AddTransientRep(name, _pRep);
  NUVBaseUnknown_WR weak(Holder());
  _Scene.Editor()->SetISO(nullptr);  // the set goes, and its reference with it
  ASSERT_TRUE(weak.IsAlive());
  EXPECT_EQ(WS::AddTransientRep(name, _pOtherRep), S_OK) << "nothing to show it in";
  EXPECT_EQ(WS::RemoveTransientRep(name), S_OK);
  EXPECT_FALSE(weak.IsAlive());
  EXPECT_EQ(_pRep->GetRefCount(), 1u);
}

}  // namespace
