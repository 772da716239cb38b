// Window services: viewer registries, the 3D windows of a layout and editor,
// the global draw lock, redrawing and transient representations.
#include <gtest/gtest.h>

#include "FrameTestScene.h"
#include "NUV2DViewer.h"
#include "NUV3DBagRep.h"
#include "NUVBaseUnknown_WR.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVISO.h"
#include "NUVModelForRep3D.h"
#include "NUVSimWindowServices.h"
#include "NUVVidCtl3DViewer.h"
#include "NUVVisualizationScheduler.h"

namespace {

typedef NUVSimWindowServices WS;

std::vector<void*> Items(const NUVRawCollPV& list) {
  std::vector<void*> items(list.Size());
  for (int i = 1; i <= list.Size(); ++i) items[i - 1] = list[i];
  return items;
}
unsigned char DrawLocked() {
  unsigned char locked = 2;
  EXPECT_EQ(WS::IsDrawLocked(locked), S_OK);
  return locked;
}

class WindowServices : public ::testing::Test {
 protected:
  void TearDown() override {
    WS::LockDrawRequest(0);  // the lock is global: leave it unlocked
    for (NUVBaseUnknown* o : _Owned) o->Release();
  }
  template <class T>
  T* Own(T* object) { return _Owned.push_back(object), object; }
  FrameTestScene _Scene;
  std::vector<NUVBaseUnknown*> _Owned;
};

}  // namespace

TEST_F(WindowServices, RegistriesHoldPairsPerEditorByKindInOrder) {
  NUVFrmEditor* a = _Scene.Editor();
  NUVFrmEditor* b = _Scene.AddEditor();
  NUVViewer* v1 = Own(new NUV2DViewer);
  NUVViewer* v2 = Own(new NUV2DViewer);
  NUVVidCtl3DViewer* c = Own(new NUVVidCtl3DViewer);
  for (NUVViewer* v : {v2, v1}) EXPECT_EQ(WS::AddViewer(v, a), S_OK);
  EXPECT_EQ(WS::AddViewer(c, b), S_OK);
  EXPECT_EQ(WS::AddViewer(v1, nullptr), E_FAIL) << "null is the current editor: a duplicate";
  EXPECT_EQ(WS::AddViewer(v1, b), S_OK) << "the same viewer for another editor";
  EXPECT_EQ(v1->GetRefCount(), 1u) << "the registries hold plain pointers";
  NUVRawCollPV& viewers = WS::GetViewerList(0, a);
  EXPECT_EQ(Items(viewers), (std::vector<void*>{v2, v1}));
  NUVRawCollPV& controls = WS::GetViewerList(1, b);
  EXPECT_EQ(&WS::GetViewerList(0, b), &viewers) << "one shared list per kind, refilled";
  EXPECT_EQ(Items(viewers), std::vector<void*>{v1});
  EXPECT_EQ(Items(controls), std::vector<void*>{c}) << "a call for viewers leaves controls alone";
  EXPECT_EQ(WS::RemoveViewer(c, nullptr), E_FAIL) << "removal needs the exact pair";
  EXPECT_EQ(WS::RemoveViewer(v2, a) | WS::RemoveViewer(v1, a) | WS::RemoveViewer(v1, b), S_OK);
  EXPECT_EQ(WS::RemoveViewer(c, b), S_OK);
  EXPECT_EQ(WS::GetViewerList(0, a).Size() + WS::GetViewerList(1, b).Size(), 0);
}

TEST_F(WindowServices, WindowListKeepsThe3DWindowsOfTheEditorInLayoutOrder) {
  NUVFrmEditor* other = _Scene.AddEditor();
  NUVFrmWindow* a = _Scene.Add3DWindow();
  NUVFrmWindow* flat = _Scene.Add2DWindow();
  NUVFrmWindow* theirs = _Scene.Add3DWindow(other);
  NUVFrmWindow* bare = _Scene.AddWindowWithoutViewer();
  NUVFrmWindow* b = _Scene.Add3DWindow();
  EXPECT_EQ((std::vector<long>{WS::IsA3DWindow(a), WS::IsA3DWindow(flat), WS::IsA3DWindow(bare),
                               WS::IsA3DWindow(nullptr)}),
            (std::vector<long>{S_OK, E_FAIL, E_FAIL, E_FAIL}));
  NUVListPtrNUVFrmWindow& mine = WS::GetWindowList(nullptr, nullptr);
  EXPECT_EQ(Items(mine.Raw()), (std::vector<void*>{a, b}));
  EXPECT_EQ(&WS::GetWindowList(_Scene.Layout(), other), &mine) << "one shared list, refilled";
  EXPECT_EQ(Items(mine.Raw()), std::vector<void*>{theirs});
}

TEST_F(WindowServices, DrawLockIsOneBooleanPassedToSchedulerAndEveryViewer) {
  NUVViewer* theirs = _Scene.Add3DWindow(_Scene.AddEditor())->GetViewer();
  EXPECT_EQ(WS::LockDrawRequest(1) | WS::LockDrawRequest(1), S_OK);
  EXPECT_EQ(DrawLocked(), 1);
  EXPECT_EQ(NUVVisualizationScheduler::GetInstance()->GetLockDrawRequest(), 1);
  EXPECT_EQ(theirs->GetLockDrawRequestCount(), 2) << "every viewer of the layout";
  WS::LockDrawRequest(0);
  EXPECT_EQ(DrawLocked(), 0) << "one unlock undoes any number of locks";
  WS::LockDrawRequest(2);
  EXPECT_EQ(DrawLocked(), 0) << "passed on, but only 1 locks";
}

TEST_F(WindowServices, DrawWindowsDrawsThe3DWindowsThenTheEditorsRegisteredViewers) {
  NUVFrmEditor* other = _Scene.AddEditor();
  NUVViewer* flat = _Scene.Add2DWindow()->GetViewer();
  NUVVidCtl3DViewer* control = Own(new NUVVidCtl3DViewer);
  NUVViewer* registered = Own(new NUV2DViewer);
  NUVViewer* otherRegistered = Own(new NUV2DViewer);
  EXPECT_EQ(WS::AddViewer(control, nullptr) | WS::AddViewer(registered, nullptr), S_OK);
  WS::AddViewer(otherRegistered, other);
  WS::DrawWindows();
  EXPECT_EQ(registered->GetDrawCount(), 0) << "without a 3D window nothing is drawn";
  NUVViewer* v3d = _Scene.Add3DWindow()->GetViewer();
  NUVViewer* theirs = _Scene.Add3DWindow(other)->GetViewer();
  EXPECT_EQ(WS::DrawWindows(), S_OK);
  EXPECT_EQ((std::vector<int>{v3d->GetDrawCount(), control->GetDrawRequestCount(),
                              registered->GetDrawCount(), flat->GetDrawCount(),
                              theirs->GetDrawCount(), otherRegistered->GetDrawCount()}),
            (std::vector<int>{1, 1, 1, 0, 0, 0}));
  EXPECT_EQ(WS::RemoveViewer(control, nullptr) | WS::RemoveViewer(registered, nullptr), S_OK);
  WS::RemoveViewer(otherRegistered, other);
}

TEST_F(WindowServices, TransientRepsShowUnderTheirNameAndGiveEveryReferenceBack) {
  NUVISO* iso = _Scene.Editor()->GetISO();
  NUV3DBagRep* rep = Own(new NUV3DBagRep);
  NUV3DBagRep* other = Own(new NUV3DBagRep);
  NUVUnicodeString name("path"), ghost("ghost");
  EXPECT_EQ(WS::AddTransientRep(name, nullptr) | WS::RemoveTransientRep(ghost), S_OK);
  EXPECT_EQ(WS::AddTransientRep(name, rep), S_OK);
  ASSERT_EQ(iso->Size(), 1) << "a null rep and an unknown name changed nothing";
  auto* holder = static_cast<NUVModelForRep3D*>(iso->GetElement(1));
  ASSERT_TRUE(holder->IsA("NUVModelForRep3D") && holder->GetRep() == rep);
  EXPECT_EQ(holder->GetRefCount(), 2u) << "one for the dictionary, one for the set";
  WS::AddTransientRep(name, other);
  EXPECT_TRUE(iso->Size() == 1 && holder->GetRep() == other) << "the holder is reused";
  EXPECT_EQ(rep->GetRefCount(), 1u);
  NUVBaseUnknown_WR weak(holder);
  EXPECT_EQ(WS::RemoveTransientRep(name), S_OK);
  EXPECT_EQ(iso->Size(), 0);
  EXPECT_FALSE(weak.IsAlive()) << "the dictionary's reference was the last";
  EXPECT_EQ(other->GetRefCount(), 1u);
}
