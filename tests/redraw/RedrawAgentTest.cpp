// The redraw agent's registration, attachment and lifecycle.
#include <gtest/gtest.h>

#include "FakeControllers.h"
#include "FrameTestScene.h"
#include "LoopFixture.h"
#include "NUVDictionary.h"
#include "NUVFrmWindow.h"
#include "NUVGraphicWindow.h"
#include "NUVCallbackManager.h"
#include "NUVViewer.h"
#include "NUVISimAgentNegociatedTime.h"
#include "NUVSimAgentRedraw3D.h"
#include "NUVSimComputeMessage.h"
#include "NUVSimDrawOrContinueMessage.h"
#include "NUVSimExecutionOptionsSettings.h"
#include "NUVSimMessageQueue.h"

namespace {

class RedrawAgent : public LoopFixture {
 protected:
  void SetUp() override {
    LoopFixture::SetUp();
    NUVSimExecutionOptionsSettings::ResetToDefaults();
    FakeKeyFrameController::Live() = 0;
    FakeNegociatedTimeController::Live() = 0;
    NUVISimAgentNegociatedTime* nt = nullptr;
    ASSERT_EQ(NUVInstantiateComponent("NUVSimAgentRedraw3D", IID_NUVISimAgentNegociatedTime,
                                      reinterpret_cast<void**>(&nt)),
              S_OK);
    ntAgent.Attach(nt);
    agent = dynamic_cast<NUVSimAgentRedraw3D*>(nt->GetImpl());
    ASSERT_NE(agent, nullptr);
  }
  void TearDown() override {
    ntAgent = nullptr;
    NUVSimExecutionOptionsSettings::ResetToDefaults();
    LoopFixture::TearDown();
    EXPECT_EQ(FakeKeyFrameController::Live(), 0) << "controllers given back";
    EXPECT_EQ(FakeNegociatedTimeController::Live(), 0);
  }
  // A second agent, created by name, with graphics and attached to `controller`;
  // `raw` receives the creation reference.
  static NUVSimAgentRedraw3D* NewAttachedAgent(NUVISimControllerKeyFrame_var& controller,
                                               NUVISimAgentNegociatedTime*& raw) {
    NUVInstantiateComponent("NUVSimAgentRedraw3D", IID_NUVISimAgentNegociatedTime,
                            reinterpret_cast<void**>(&raw));
    auto* agent = dynamic_cast<NUVSimAgentRedraw3D*>(raw->GetImpl());
    agent->SetWithGraphics(1);
    agent->SetSimulationController(controller, 1);
    return agent;
  }

  NUVISimAgentNegociatedTime_var ntAgent;
  NUVSimAgentRedraw3D* agent = nullptr;
};

}  // namespace

TEST_F(RedrawAgent, AttachingWithGraphicsCreatesTheLoopAndReattachingReplacesIt) {
  FrameTestScene scene;
  auto* kf = new FakeKeyFrameController;
  auto* nt = new FakeNegociatedTimeController;
  NUVISimControllerKeyFrame_var kfHandle(kf);
  ASSERT_EQ(agent->SetSimulationController(kfHandle, 1), S_OK);
  EXPECT_EQ(agent->GetComputeMessage(), nullptr) << "without graphics: no messages";
  EXPECT_EQ(kf->GetRefCount(), 3u) << "but the handle is stored all the same";
  agent->SetWithGraphics(1);
  ASSERT_EQ(agent->SetSimulationController(kfHandle, 1), S_OK);
  NUVSimComputeMessage* compute = agent->GetComputeMessage();
  ASSERT_NE(compute, nullptr);
  ASSERT_NE(agent->GetDrawMessage(), nullptr);
  EXPECT_EQ(compute->GetRefCount(), 2u) << "the agent and its draw message hold it";
  EXPECT_EQ(kf->GetRefCount(), 4u) << "caller, handle, agent and compute message";

  NUVISimControllerNegociatedTime_var ntHandle(nt);
  ASSERT_EQ(agent->SetSimulationController(ntHandle, 1), S_OK);
  EXPECT_NE(agent->GetComputeMessage(), nullptr);
  EXPECT_EQ(kf->GetRefCount(), 3u) << "the old messages went, the key-frame handle stays";
  agent->Clean();
  EXPECT_EQ(nt->GetRefCount(), 3u) << "caller, handle and agent";
  kfHandle = nullptr;
  ntHandle = nullptr;
  agent->SetSimulationController(kfHandle, 0);
  agent->SetSimulationController(ntHandle, 0);
  EXPECT_EQ(kf->Release() + nt->Release(), 0u);
}

TEST_F(RedrawAgent, ActivateWithoutGraphicsChangesNothingAndDeactivateClearsForceInterval) {
  agent->RequestObservation();
  ASSERT_EQ(agent->GetFrameState(), NUVSimAgentRedraw3D::FrameObserve);
  agent->Activate();
  EXPECT_EQ(agent->GetFrameState(), NUVSimAgentRedraw3D::FrameObserve);
  agent->SetInterval(NUVSimValue(NUVSimValue::DblMax));  // interval off
  agent->ForceInterval(1);
  agent->Deactivate();
  NUVSimValue v;
  agent->GetInternalInterval(v, 0);
  EXPECT_EQ(v, NUVSimValue(NUVSimValue::DblMax)) << "Deactivate cleared the forced interval";
}

// Each way of letting the messages go, while the draw message is queued or
// drawn and waiting for the swap: the queue drains, a late swap reaches
// nothing, and the controller gets back every reference the messages held.
TEST_F(RedrawAgent, LettingGoOfMessagesQueuedOrWaitingForTheSwapIsSafe) {
  enum Release { Clean, Detach, Destroy };
  FrameTestScene scene;
  NUVFrmWindow* w = scene.Add3DWindow();
  auto* kf = new FakeKeyFrameController;
  NUVISimControllerKeyFrame_var handle(kf), none;
  kf->Release();  // the handle holds it now
  for (bool waiting : {false, true}) {
    for (Release how : {Clean, Detach, Destroy}) {
      const char* names[] = {"Clean", "Detach", "Destroy"};
      SCOPED_TRACE(std::string(names[how]) + (waiting ? " while waiting for the swap" : " queued"));
      NUVISimAgentNegociatedTime* raw = nullptr;
      NUVSimAgentRedraw3D* other = NewAttachedAgent(handle, raw);
      other->ForceRedraw();
      other->Commit();  // posts the drawable draw-or-continue message
      if (waiting) app->RunOneTurn(0);
      ASSERT_TRUE(other->GetDrawMessage()->IsPosted());
      if (how == Clean) other->Clean();
      if (how == Detach) other->SetSimulationController(none, 0);
      if (how == Destroy) raw->Release();  // destroys the agent and, with it, the messages
      if (how != Destroy) {
        EXPECT_EQ(other->GetDrawMessage(), nullptr);
      }
      RunUntil([] { return NUVSimMessageQueue::GetInstance()->Size() == 0; });
      w->GetViewer()->DeliverSwap();  // must reach nothing
      EXPECT_EQ(NUVSimMessageQueue::GetInstance()->Size(), 0) << "nothing posted by a released wait";
      EXPECT_EQ(kf->GetRefCount(), how == Clean ? 2u : 1u) << "the messages gave theirs back";
      if (how == Destroy) continue;
      other->SetSimulationController(none, 0);
      raw->Release();
    }
  }
}

TEST_F(RedrawAgent, ControllerReleasingTheAgentDuringAnIterationIsSafe) {
  auto* kf = new FakeKeyFrameController;
  agent->SetWithGraphics(1);
  NUVISimControllerKeyFrame_var handle(kf);
  agent->SetSimulationController(handle, 1);
  handle = nullptr;
  // During its iteration the controller lets the agent go: the agent drops
  // its messages and its controller.
  kf->onIterate = [this] {
    NUVISimControllerKeyFrame_var none;
    agent->SetSimulationController(none, 0);
    ntAgent = nullptr;
  };
  agent->ForceCompute();
  kf->Release();
  RunUntil([] { return NUVSimMessageQueue::GetInstance()->Size() == 0; });
  EXPECT_EQ(FakeKeyFrameController::Live(), 0);
}

// Another subscriber of the swap the agent's message waits for destroys the
// agent, before or after the message's own callback ran: nothing may reach
// the agent or its messages once gone, and the controller gets its
// references back.
TEST_F(RedrawAgent, DestroyedByAnotherSubscriberOfTheSameSwap) {
  FrameTestScene scene;
  NUVFrmWindow* w = scene.Add3DWindow();
  NUVGraphicWindow* support = w->GetViewer()->GetSupport();
  auto* kf = new FakeKeyFrameController;
  NUVISimControllerKeyFrame_var handle(kf);
  kf->Release();
  for (bool releasedFirst : {true, false}) {
    SCOPED_TRACE(releasedFirst ? "released before the message's callback" : "released after it");
    NUVISimAgentNegociatedTime* raw = nullptr;
    NUVSimAgentRedraw3D* other = NewAttachedAgent(handle, raw);
    auto* killer = new FrameEventRecorder;
    killer->_pContext = &raw;
    killer->_pThen = [](FrameEventRecorder* r, void*) {
      auto** agent = static_cast<NUVISimAgentNegociatedTime**>(r->_pContext);
      if (*agent) (*agent)->Release();
      *agent = nullptr;
    };
    auto subscribe = [&] {
      ::AddCallback(killer, support, NUVGraphicWindow::GRAPHICWINDOW_SWAP(),
                    NUVSubscriberMethodCast(&FrameEventRecorder::OnEvent), nullptr);
    };
    if (releasedFirst) subscribe();  // its callback comes before the message's
    other->ForceRedraw();
    other->Commit();
    app->RunOneTurn(0);  // the draw runs and waits for the swap
    ASSERT_TRUE(other->GetDrawMessage()->IsPosted());
    if (!releasedFirst) subscribe();
    w->GetViewer()->DeliverSwap();
    EXPECT_EQ(raw, nullptr) << "the other subscriber destroyed the agent";
    RunUntil([] { return NUVSimMessageQueue::GetInstance()->Size() == 0; });
    w->GetViewer()->DeliverSwap();  // must reach nothing
    EXPECT_EQ(NUVSimMessageQueue::GetInstance()->Size(), 0);
    EXPECT_EQ(kf->GetRefCount(), 1u) << "the agent and its messages gave theirs back";
    ::RemoveCallbacksOn(killer, support, NUVGraphicWindow::GRAPHICWINDOW_SWAP(), nullptr);
    killer->Release();
  }
}
