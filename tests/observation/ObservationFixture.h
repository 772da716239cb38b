// The coordinator tests' fixture: spying structured agents, a layout with one
// 3D window (the viewer the coordinator watches) and the default context's
// coordinator; every coordinator is reset at the end, and no fake agent may
// outlive the test.
#ifndef ObservationFixture_h
#define ObservationFixture_h

#include <gtest/gtest.h>

#include "FrameTestScene.h"
#include "NUVCallbackManager.h"
#include "NUVFrmWindow.h"
#include "NUVSimMasterObservation.h"
#include "NUVSimMasterObservationAgentList.h"
#include "NUVViewer.h"
#include "ObservationFakes.h"

class ObservationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    viewer = scene.Add3DWindow()->GetViewer();
    coordinator = NUVSimMasterObservationAgentList::GetInstance(NUVBaseUnknown_var(), 1);
    ASSERT_NE(coordinator, nullptr);
  }
  void TearDown() override {
    NUVSimMasterObservation::ResetAll();
    EXPECT_EQ(FakeObservedAgent::liveCount, 0) << "every agent should have been released";
  }
  // A new agent that only the returned handle holds.
  NUVISimAgentKeyFrame_var Agent(const char* tag, FakeObservedAgent** out = nullptr,
                                 const char* className = "FakeObservedAgent") {
    auto* agent = new FakeObservedAgent(&log, tag, className);
    NUVISimAgentKeyFrame_var handle(agent);
    agent->Release();
    if (out) *out = agent;
    return handle;
  }
  int ViewerSubscriptions() const { return viewer->GetCallbackManager()->CountCallbacks(NUVViewer::VIEWER_UPDATE()); }
  // The tags of the agents that received `what`, in order.
  std::string Calls(const std::string& what) const {
    std::string s;
    for (const std::string& c : log.calls) {
      size_t colon = c.find(':');
      if (c.compare(colon + 1, std::string::npos, what) == 0) s += (s.empty() ? "" : " ") + c.substr(0, colon);
    }
    return s;
  }

  SimCallLog log;
  SpyStructuredAgents spies{&log};
  FrameTestScene scene;
  NUVViewer* viewer = nullptr;
  NUVSimMasterObservationAgentList* coordinator = nullptr;
};

#endif
