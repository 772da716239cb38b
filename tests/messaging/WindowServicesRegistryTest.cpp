// Per-editor registries of extra viewers: duplicates, removal, listing by
// kind and order, and the shared result lists.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "FrameTestScene.h"
#include "NUV2DViewer.h"
#include "NUVFrmEditor.h"
#include "NUVSimWindowServices.h"
#include "NUVVidCtl3DViewer.h"

namespace {

typedef NUVSimWindowServices WS;

// Unregisters, at the end of each test, whatever the test left registered.
class WindowServicesRegistry : public ::testing::Test {
 protected:
  void TearDown() override {
    for (auto& r : _Controls) WS::RemoveViewer(r.first, r.second);
    for (auto& r : _Viewers) WS::RemoveViewer(r.first, r.second);
    for (NUVBaseUnknown* o : _Owned) o->Release();
  }
  long Add(NUVVidCtl3DViewer* c, NUVFrmEditor* e) {
    long rc = WS::AddViewer(c, e);
    if (rc == S_OK) _Controls.push_back({c, e ? e : NUVFrmEditor::GetCurrentEditor()});
    return rc;
  }
  long Add(NUVViewer* v, NUVFrmEditor* e) {
    long rc = WS::AddViewer(v, e);
    if (rc == S_OK) _Viewers.push_back({v, e ? e : NUVFrmEditor::GetCurrentEditor()});
    return rc;
  }
  NUVVidCtl3DViewer* NewControl() {
    auto* c = new NUVVidCtl3DViewer;
    _Owned.push_back(c);
    return c;
  }
  NUVViewer* NewViewer() {
    auto* v = new NUV2DViewer;
    _Owned.push_back(v);
    return v;
  }
  static std::vector<void*> Items(const NUVRawCollPV& list) {
    std::vector<void*> items;
    for (int i = 1; i <= list.Size(); ++i) items.push_back(list[i]);
    return items;
  }

  FrameTestScene _Scene;
  std::vector<std::pair<NUVVidCtl3DViewer*, NUVFrmEditor*>> _Controls;
  std::vector<std::pair<NUVViewer*, NUVFrmEditor*>> _Viewers;
  std::vector<NUVBaseUnknown*> _Owned;
};

TEST_F(WindowServicesRegistry, SamePairTwiceFailsAndSameViewerForTwoEditorsIsTwoEntries) {
  NUVFrmEditor* a = _Scene.Editor();
  NUVFrmEditor* b = _Scene.AddEditor();
  NUVViewer* v = NewViewer();
  EXPECT_EQ(Add(v, a), S_OK);
  EXPECT_EQ(Add(v, a), E_FAIL);
  EXPECT_EQ(Add(v, nullptr), E_FAIL) << "null stands for the current editor, which is a";
  EXPECT_EQ(Add(v, b), S_OK);
  EXPECT_EQ(Items(WS::GetViewerList(0, a)), std::vector<void*>{v});
  EXPECT_EQ(Items(WS::GetViewerList(0, b)), std::vector<void*>{v});

  NUVVidCtl3DViewer* c = NewControl();
  EXPECT_EQ(Add(c, a), S_OK);
  EXPECT_EQ(Add(c, a), E_FAIL);
  EXPECT_EQ(Add(c, b), S_OK);
  // The registries hold plain pointers.
  EXPECT_EQ(v->GetRefCount(), 1u);
  EXPECT_EQ(c->GetRefCount(), 1u);
}

TEST_F(WindowServicesRegistry, RemovalNeedsTheExactPairAndKeepsTheListsAligned) {
  NUVFrmEditor* a = _Scene.Editor();
  NUVFrmEditor* b = _Scene.AddEditor();
  NUVViewer* v1 = NewViewer();
  NUVViewer* v2 = NewViewer();
  NUVViewer* v3 = NewViewer();
  EXPECT_EQ(WS::RemoveViewer(v1, a), E_FAIL) << "nothing registered yet";
  Add(v1, a);
  Add(v2, b);
  Add(v3, a);
  EXPECT_EQ(WS::RemoveViewer(v2, a), E_FAIL) << "v2 belongs to b";
  EXPECT_EQ(WS::RemoveViewer(v2, b), S_OK);
  EXPECT_EQ(WS::RemoveViewer(v2, b), E_FAIL);
  EXPECT_EQ(Items(WS::GetViewerList(0, a)), (std::vector<void*>{v1, v3}));
  EXPECT_EQ(WS::GetViewerList(0, b).Size(), 0);
  EXPECT_EQ(WS::RemoveViewer(v3, nullptr), S_OK) << "null stands for the current editor a";
  EXPECT_EQ(Items(WS::GetViewerList(0, a)), std::vector<void*>{v1});

  NUVVidCtl3DViewer* c = NewControl();
  EXPECT_EQ(WS::RemoveViewer(c, a), E_FAIL);
  Add(c, b);
  EXPECT_EQ(WS::RemoveViewer(c, a), E_FAIL);
  EXPECT_EQ(WS::RemoveViewer(c, b), S_OK);
  EXPECT_EQ(WS::GetViewerList(1, b).Size(), 0);
}

TEST_F(WindowServicesRegistry, ListsAreByKindInRegistrationOrderAndShared) {
  NUVFrmEditor* a = _Scene.Editor();
  NUVVidCtl3DViewer* c1 = NewControl();
  NUVVidCtl3DViewer* c2 = NewControl();
  NUVViewer* v1 = NewViewer();
  NUVViewer* v2 = NewViewer();
  Add(c2, a);
  Add(v2, a);
  Add(c1, a);
  Add(v1, a);
  NUVRawCollPV& controls = WS::GetViewerList(1, nullptr);
  EXPECT_EQ(Items(controls), (std::vector<void*>{c2, c1}));
  NUVRawCollPV& viewers = WS::GetViewerList(0, a);
  EXPECT_EQ(Items(viewers), (std::vector<void*>{v2, v1}));
  EXPECT_NE(&controls, &viewers);

  // The next call of the same kind refills the same list.
  NUVFrmEditor* b = _Scene.AddEditor();
  NUVRawCollPV& again = WS::GetViewerList(0, b);
  EXPECT_EQ(&again, &viewers);
  EXPECT_EQ(viewers.Size(), 0);
  EXPECT_EQ(controls.Size(), 2) << "a call for viewers leaves the control list alone";
}

TEST_F(WindowServicesRegistry, WithoutCurrentEditorPairsAreRecordedForNoEditor) {
  NUVViewer* v = NewViewer();
  NUVFrmEditor* a = _Scene.Editor();
  a->AddRef();
  NUVFrmEditor::SetCurrentEditor(nullptr);
  EXPECT_EQ(Add(v, nullptr), S_OK);
  EXPECT_EQ(Add(v, nullptr), E_FAIL);
  EXPECT_EQ(Items(WS::GetViewerList(0, nullptr)), std::vector<void*>{v});
  EXPECT_EQ(WS::GetViewerList(0, a).Size(), 0);
  // The registry does not test the viewer itself.
  EXPECT_EQ(Add(static_cast<NUVViewer*>(nullptr), a), S_OK);
  EXPECT_EQ(WS::GetViewerList(0, a).Size(), 1);
  // Unregistered here: once a is current again, null no longer names this pair.
  EXPECT_EQ(WS::RemoveViewer(v, nullptr), S_OK);
  EXPECT_EQ(WS::GetViewerList(0, nullptr).Size(), 0);
  NUVFrmEditor::SetCurrentEditor(a);
  a->Release();
}

}  // namespace
