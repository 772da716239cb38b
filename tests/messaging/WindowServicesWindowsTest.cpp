// 3D windows of a layout and editor, the global draw lock, viewpoint
// animation and redrawing.
#include <gtest/gtest.h>

#include <vector>

#include "FrameTestScene.h"
#include "NUV2DViewer.h"
#include "NUV3DViewer.h"
#include "NUV3DViewpoint.h"
#include "NUVFrmEditor.h"
#include "NUVFrmLayout.h"
#include "NUVFrmWindow.h"
#include "NUVSimWindowServices.h"
#include "NUVVidCtl3DViewer.h"
#include "NUVVisualizationScheduler.h"

// A 3D viewer of a kind of its own: still a 3D viewer.
class OrbitViewer : public NUV3DViewer {
  NUV_DECLARE_CLASS
};
NUV_IMPLEMENT_CLASS(OrbitViewer, NUV3DViewer, "VelloranTest")

namespace {

typedef NUVSimWindowServices WS;

unsigned char DrawLocked() {
  unsigned char locked = 2;
  EXPECT_EQ(WS::IsDrawLocked(locked), S_OK);
  return locked;
}

// The lock is global: every test leaves it unlocked, which takes a current
// layout with a window.
void UnlockDrawing() {
  FrameTestScene scene;
  scene.AddWindowWithoutViewer();
  WS::LockDrawRequest(0);
}

std::vector<NUVFrmWindow*> Items(const NUVListPtrNUVFrmWindow& list) {
  std::vector<NUVFrmWindow*> items;
  for (int i = 1; i <= list.Size(); ++i) items.push_back(list[i]);
  return items;
}

class WindowServicesWindows : public ::testing::Test {
 protected:
  void TearDown() override { UnlockDrawing(); }
  FrameTestScene _Scene;
};

TEST_F(WindowServicesWindows, A3DWindowIsOneWhoseViewerIsAKindOf3DViewer) {
  EXPECT_EQ(WS::IsA3DWindow(nullptr), E_FAIL);
  EXPECT_EQ(WS::IsA3DWindow(_Scene.AddWindowWithoutViewer()), E_FAIL);
  EXPECT_EQ(WS::IsA3DWindow(_Scene.Add2DWindow()), E_FAIL);
  EXPECT_EQ(WS::IsA3DWindow(_Scene.Add3DWindow()), S_OK);
  auto* orbit = new OrbitViewer;
  EXPECT_EQ(WS::IsA3DWindow(_Scene.AddWindow(nullptr, orbit)), S_OK);
  orbit->Release();
  auto* plain = new NUVViewer;
  EXPECT_EQ(WS::IsA3DWindow(_Scene.AddWindow(nullptr, plain)), E_FAIL);
  plain->Release();
}

TEST_F(WindowServicesWindows, WindowListKeepsThe3DWindowsOfTheEditorInLayoutOrder) {
  NUVFrmEditor* other = _Scene.AddEditor();
  NUVFrmWindow* a = _Scene.Add3DWindow();
  _Scene.Add2DWindow();
  NUVFrmWindow* theirs = _Scene.Add3DWindow(other);
  _Scene.AddWindowWithoutViewer();
  auto* orbit = new OrbitViewer;
  NUVFrmWindow* b = _Scene.AddWindow(nullptr, orbit);
  orbit->Release();

  NUVListPtrNUVFrmWindow& mine = WS::GetWindowList(nullptr, nullptr);
  EXPECT_EQ(Items(mine), (std::vector<NUVFrmWindow*>{a, b}));
  EXPECT_EQ(Items(WS::GetWindowList(_Scene.Layout(), other)), std::vector<NUVFrmWindow*>{theirs});
  EXPECT_EQ(&WS::GetWindowList(nullptr, nullptr), &mine) << "one shared list, refilled";

  // A layout that is not current is listed when named.
  auto* elsewhere = new NUVFrmLayout;
  auto* viewer = new NUV3DViewer;
  auto* window = new NUVFrmWindow(_Scene.Editor(), viewer);
  elsewhere->AddWindow(window);
  EXPECT_EQ(Items(WS::GetWindowList(elsewhere, nullptr)), std::vector<NUVFrmWindow*>{window});
  window->Release();
  viewer->Release();
  elsewhere->Release();
}

TEST_F(WindowServicesWindows, NoLayoutOrNoEditorGivesAnEmptyList) {
  _Scene.Add3DWindow();
  ASSERT_EQ(WS::GetWindowList(nullptr, nullptr).Size(), 1);
  NUVFrmLayout* layout = _Scene.Layout();
  NUVFrmEditor* editor = _Scene.Editor();
  NUVFrmLayout::SetCurrentLayout(nullptr);
  EXPECT_EQ(WS::GetWindowList(nullptr, editor).Size(), 0);
  NUVFrmLayout::SetCurrentLayout(layout);
  NUVFrmEditor::SetCurrentEditor(nullptr);
  EXPECT_EQ(WS::GetWindowList(layout, nullptr).Size(), 0);
  NUVFrmEditor::SetCurrentEditor(editor);
}

TEST_F(WindowServicesWindows, LockReachesSchedulerAndEveryViewerOfTheLayout) {
  NUVFrmEditor* other = _Scene.AddEditor();
  NUVViewer* mine = _Scene.Add3DWindow()->GetViewer();
  NUVViewer* flat = _Scene.Add2DWindow()->GetViewer();
  NUVViewer* theirs = _Scene.Add3DWindow(other)->GetViewer();
  _Scene.AddWindowWithoutViewer();
  NUVVisualizationScheduler* scheduler = NUVVisualizationScheduler::GetInstance();
  int schedulerCalls = scheduler->GetLockDrawRequestCount();

  EXPECT_EQ(WS::LockDrawRequest(1), S_OK);
  EXPECT_EQ(DrawLocked(), 1);
  EXPECT_EQ(scheduler->GetLockDrawRequest(), 1);
  EXPECT_EQ(scheduler->GetLockDrawRequestCount(), schedulerCalls + 1);
  for (NUVViewer* v : {mine, flat, theirs}) {
    EXPECT_EQ(v->GetLockDrawRequest(), 1);
    EXPECT_EQ(v->GetLockDrawRequestCount(), 1);
  }

  // A single boolean: one unlock undoes any number of locks.
  WS::LockDrawRequest(1);
  WS::LockDrawRequest(0);
  EXPECT_EQ(DrawLocked(), 0);

  // Other values are passed on, but only 1 counts as locked.
  WS::LockDrawRequest(1);
  WS::LockDrawRequest(2);
  EXPECT_EQ(DrawLocked(), 0);
  EXPECT_EQ(scheduler->GetLockDrawRequest(), 2);
  EXPECT_EQ(theirs->GetLockDrawRequest(), 2);
}

TEST_F(WindowServicesWindows, WithoutLayoutOrWindowsTheLockKeepsItsValue) {
  NUVFrmLayout* layout = _Scene.Layout();
  _Scene.AddWindowWithoutViewer();
  WS::LockDrawRequest(1);
  ASSERT_EQ(DrawLocked(), 1);

  NUVFrmLayout::SetCurrentLayout(nullptr);
  WS::LockDrawRequest(0);
  EXPECT_EQ(NUVVisualizationScheduler::GetInstance()->GetLockDrawRequest(), 0);
  EXPECT_EQ(DrawLocked(), 1) << "no current layout: the lock keeps its value";

  auto* empty = new NUVFrmLayout;
  NUVFrmLayout::SetCurrentLayout(empty);
  WS::LockDrawRequest(0);
  EXPECT_EQ(DrawLocked(), 1) << "a layout without windows: the lock keeps its value";
  NUVFrmLayout::SetCurrentLayout(layout);
  empty->Release();
}

TEST_F(WindowServicesWindows, StartAnimationStartsOnlyIdleViewpointsUnlessForced) {
  NUV3DViewpoint* a = _Scene.Add3DWindow()->GetViewer()->GetMain3DViewpoint();
  NUV3DViewpoint* b = _Scene.Add3DWindow()->GetViewer()->GetMain3DViewpoint();
  NUV3DViewpoint* flat = _Scene.Add2DWindow()->GetViewer()->GetMain3DViewpoint();
  NUV3DViewpoint* theirs =
      _Scene.Add3DWindow(_Scene.AddEditor())->GetViewer()->GetMain3DViewpoint();

  a->SetAnimationState(1);
  EXPECT_EQ(WS::StartAnimation(0), S_OK);
  EXPECT_EQ(a->GetStartCount(), 0);
  EXPECT_EQ(b->GetStartCount(), 1);
  EXPECT_EQ(b->GetLastAnimation(), nullptr);
  EXPECT_EQ(flat->GetStartCount(), 0);
  EXPECT_EQ(theirs->GetStartCount(), 0);

  EXPECT_EQ(WS::StartAnimation(0), E_FAIL) << "all animate already";
  EXPECT_EQ(a->GetStartCount() + b->GetStartCount(), 1);
  EXPECT_EQ(WS::StartAnimation(1), S_OK);
  EXPECT_EQ(a->GetStartCount(), 1);
  EXPECT_EQ(b->GetStartCount(), 2);
}

TEST_F(WindowServicesWindows, StopAnimationStopsOnlyAnimatingViewpointsUnlessForced) {
  NUV3DViewpoint* a = _Scene.Add3DWindow()->GetViewer()->GetMain3DViewpoint();
  NUV3DViewpoint* b = _Scene.Add3DWindow()->GetViewer()->GetMain3DViewpoint();
  EXPECT_EQ(WS::StopAnimation(0), E_FAIL) << "nothing animates";
  b->SetAnimationState(1);
  EXPECT_EQ(WS::StopAnimation(0), S_OK);
  EXPECT_EQ(a->GetStopCount(), 0);
  EXPECT_EQ(b->GetStopCount(), 1);
  EXPECT_EQ(b->GetLastStopMode(), 0);
  EXPECT_EQ(WS::StopAnimation(1), S_OK);
  EXPECT_EQ(a->GetStopCount(), 1);
  EXPECT_EQ(b->GetStopCount(), 2);
}

TEST_F(WindowServicesWindows, AnimationWithout3DWindowFails) {
  _Scene.Add2DWindow();
  EXPECT_EQ(WS::StartAnimation(1), E_FAIL);
  EXPECT_EQ(WS::StopAnimation(1), E_FAIL);
}

TEST_F(WindowServicesWindows, AnimationLocksDrawingMeanwhileAndLeavesACallersLock) {
  NUVViewer* viewer = _Scene.Add3DWindow()->GetViewer();
  WS::StartAnimation(0);
  EXPECT_EQ(DrawLocked(), 0);
  EXPECT_EQ(viewer->GetLockDrawRequestCount(), 2) << "locked, then unlocked";
  EXPECT_EQ(viewer->GetLockDrawRequest(), 0);

  WS::LockDrawRequest(1);
  WS::StopAnimation(1);
  EXPECT_EQ(DrawLocked(), 1) << "the caller's lock stays";
  EXPECT_EQ(viewer->GetLockDrawRequestCount(), 3) << "no lock or unlock of its own";
  EXPECT_EQ(viewer->GetLockDrawRequest(), 1);
}

class DrawWindowsTest : public WindowServicesWindows {
 protected:
  void TearDown() override {
    for (auto& r : _Controls) WS::RemoveViewer(r.first, r.second);
    for (auto& r : _Viewers) WS::RemoveViewer(r.first, r.second);
    for (NUVBaseUnknown* o : _Owned) o->Release();
    WindowServicesWindows::TearDown();
  }
  NUVVidCtl3DViewer* RegisterControl(NUVFrmEditor* editor) {
    auto* c = new NUVVidCtl3DViewer;
    _Owned.push_back(c);
    EXPECT_EQ(WS::AddViewer(c, editor), S_OK);
    _Controls.push_back({c, editor});
    return c;
  }
  NUVViewer* RegisterViewer(NUVFrmEditor* editor) {
    auto* v = new NUV2DViewer;
    _Owned.push_back(v);
    EXPECT_EQ(WS::AddViewer(v, editor), S_OK);
    _Viewers.push_back({v, editor});
    return v;
  }

  std::vector<std::pair<NUVVidCtl3DViewer*, NUVFrmEditor*>> _Controls;
  std::vector<std::pair<NUVViewer*, NUVFrmEditor*>> _Viewers;
  std::vector<NUVBaseUnknown*> _Owned;
};

TEST_F(DrawWindowsTest, DrawsThe3DWindowsThenTheEditorsRegisteredViewers) {
  NUVFrmEditor* mine = _Scene.Editor();
  NUVFrmEditor* other = _Scene.AddEditor();
  NUVViewer* v3d = _Scene.Add3DWindow()->GetViewer();
  NUVViewer* flat = _Scene.Add2DWindow()->GetViewer();
  NUVViewer* theirs = _Scene.Add3DWindow(other)->GetViewer();
  NUVVidCtl3DViewer* control = RegisterControl(mine);
  NUVVidCtl3DViewer* otherControl = RegisterControl(other);
  NUVViewer* registered = RegisterViewer(mine);
  NUVViewer* otherRegistered = RegisterViewer(other);
  EXPECT_EQ(WS::AddViewer(static_cast<NUVViewer*>(nullptr), mine), S_OK);
  _Viewers.push_back({nullptr, mine});
  EXPECT_EQ(WS::AddViewer(static_cast<NUVVidCtl3DViewer*>(nullptr), mine), S_OK);
  _Controls.push_back({nullptr, mine});

  EXPECT_EQ(WS::DrawWindows(), S_OK);
  EXPECT_EQ(v3d->GetDrawCount(), 1);
  EXPECT_EQ(flat->GetDrawCount(), 0);
  EXPECT_EQ(theirs->GetDrawCount(), 0);
  EXPECT_EQ(control->GetDrawRequestCount(), 1);
  EXPECT_EQ(otherControl->GetDrawRequestCount(), 0);
  EXPECT_EQ(registered->GetDrawCount(), 1);
  EXPECT_EQ(otherRegistered->GetDrawCount(), 0);
}

TEST_F(DrawWindowsTest, Without3DWindowNothingIsDrawnNotEvenRegisteredViewers) {
  NUVViewer* flat = _Scene.Add2DWindow()->GetViewer();
  NUVVidCtl3DViewer* control = RegisterControl(_Scene.Editor());
  NUVViewer* registered = RegisterViewer(_Scene.Editor());
  // A 3D window of another editor does not count either.
  NUVViewer* theirs = _Scene.Add3DWindow(_Scene.AddEditor())->GetViewer();

  EXPECT_EQ(WS::DrawWindows(), S_OK);
  EXPECT_EQ(flat->GetDrawCount(), 0);
  EXPECT_EQ(theirs->GetDrawCount(), 0);
  EXPECT_EQ(control->GetDrawRequestCount(), 0);
  EXPECT_EQ(registered->GetDrawCount(), 0);

  NUVFrmLayout::SetCurrentLayout(nullptr);
  EXPECT_EQ(WS::DrawWindows(), S_OK);
  EXPECT_EQ(registered->GetDrawCount(), 0);
  NUVFrmLayout::SetCurrentLayout(_Scene.Layout());
}

}  // namespace
