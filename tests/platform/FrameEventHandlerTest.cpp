// Widget event handlers: the weak-reference member handler, and the checks that
// refuse bad input without adding or calling anything.
#include <gtest/gtest.h>

#include "NUVSYPCheckReport.h"
#include "NUVSYPEventArgs.h"
#include "NUVSYPWRefMethEventHandler.h"
#include "NUVVidCtl3DViewer.h"

namespace {

NUVSYPEvent* Swap() { return NUVVidCtlViewerBase::GraphicWindowSwapEvt(); }

class Target : public NUVBaseUnknown {
 public:
  void OnSwap(NUVBaseUnknown* sender, NUVSYPEventArgs* args) {
    ++calls;
    lastSender = sender;
    lastArgs = args;
    refsDuringCall = GetRefCount();
    if (victim) static_cast<NUVVidWidget*>(sender)->RemoveHandler(Swap(), victim);
  }
  int calls = 0;
  NUVBaseUnknown* lastSender = nullptr;
  NUVSYPEventArgs* lastArgs = nullptr;
  unsigned long refsDuringCall = 0;
  NUVSYPEventHandler* victim = nullptr;  // to remove when called
};

// An extension of another object: its implementation lies elsewhere.
class Extension : public Target {
 public:
  explicit Extension(NUVBaseUnknown* impl) : _pImpl(impl) {}
  NUVBaseUnknown* GetImpl(int = 0) override { return _pImpl; }
  NUVBaseUnknown* _pImpl;
};

typedef NUVSYPWRefMethEventHandler<Target> TargetHandler;

class EventHandlers : public ::testing::Test {
 protected:
  void SetUp() override { NUVSYPCheckReport::SetEcho(0); }
  void TearDown() override {
    _pArgs->Release();
    if (_pTarget) _pTarget->Release();
    _pControl->Release();
    NUVSYPCheckReport::SetEcho(1);
  }
  int NewFailures() const { return NUVSYPCheckReport::GetFailureCount() - _Failures; }
  void Fire(NUVBaseUnknown* args) { _pControl->FireEvent(Swap(), args); }
  int _Failures = NUVSYPCheckReport::GetFailureCount();
  NUVVidCtl3DViewer* _pControl = new NUVVidCtl3DViewer;
  Target* _pTarget = new Target;
  NUVSYPEventArgs* _pArgs = new NUVSYPEventArgs(Swap());
};

TEST_F(EventHandlers, CallsTheMemberHoldingTheTargetOnlyWhileItLives) {
  ASSERT_EQ(TargetHandler::AddTo(_pControl, Swap(), _pTarget, &Target::OnSwap), S_OK);
  EXPECT_EQ(_pTarget->GetRefCount(), 1u) << "the handler must not keep its target alive";
  Fire(_pArgs);
  EXPECT_TRUE(_pTarget->calls == 1 && _pTarget->lastSender == _pControl && _pTarget->lastArgs == _pArgs);
  EXPECT_EQ(_pTarget->refsDuringCall, 2u) << "the target is held during the call";
  NUVSYPEvent other("Other");
  _pControl->FireEvent(&other, _pArgs);
  EXPECT_EQ(_pTarget->calls, 1) << "another event does not reach the handler";
  _pTarget->Release();
  _pTarget = nullptr;
  _pControl->DeliverSwap();  // must not touch the destroyed target
  EXPECT_EQ(_pControl->CountHandlers(Swap()), 1) << "handlers stay; they just do nothing";
  EXPECT_EQ(NewFailures(), 0);
}

TEST_F(EventHandlers, FailedChecksAddNoHandlerAndCallNothing) {
  auto* extension = new Extension(_pTarget);
  int failures = 0;
  auto refused = [&](NUVVidWidget* support, NUVSYPEvent* event, Target* object,
                     TargetHandler::MemberFunc member, const char* expression) {
    EXPECT_EQ(TargetHandler::AddTo(support, event, object, member), E_FAIL) << expression;
    EXPECT_EQ(NewFailures(), ++failures) << expression;
    EXPECT_STREQ(NUVSYPCheckReport::GetLastExpression(), expression);
  };
  refused(nullptr, Swap(), _pTarget, &Target::OnSwap, "i_pSupport");
  refused(_pControl, nullptr, _pTarget, &Target::OnSwap, "i_pEvent");
  refused(_pControl, Swap(), nullptr, &Target::OnSwap, "i_pObj");
  refused(_pControl, Swap(), _pTarget, nullptr, "i_pMemberFunc != NULL");
  refused(_pControl, Swap(), extension, &Target::OnSwap, "i_pObj->GetImpl() == i_pObj");
  extension->Release();
  EXPECT_TRUE(_pControl->CountHandlers() == 0 && _pTarget->GetRefCount() == 1u);

  // Arguments of another class fail their check.
  TargetHandler::AddTo(_pControl, Swap(), _pTarget, &Target::OnSwap);
  auto* stranger = new NUVBaseUnknown;
  Fire(stranger);
  stranger->Release();
  EXPECT_STREQ(NUVSYPCheckReport::GetLastExpression(), "pArgs");
  EXPECT_EQ(_pTarget->calls, 0);
}

TEST_F(EventHandlers, AHandlerRemovedDuringFiringIsNotCalled) {
  auto* remover = new Target;
  TargetHandler::AddTo(_pControl, Swap(), remover, &Target::OnSwap);
  auto* victim = new TargetHandler(_pTarget, &Target::OnSwap);
  _pControl->AddHandler(Swap(), victim, 0);
  remover->victim = victim;
  _pControl->DeliverSwap();
  EXPECT_TRUE(remover->calls == 1 && _pTarget->calls == 0);
  EXPECT_EQ(victim->GetRefCount(), 1u) << "the widget gave its reference back";
  EXPECT_EQ(_pControl->RemoveHandler(Swap(), victim), E_FAIL);
  EXPECT_EQ(_pControl->AddHandler(nullptr, victim, 0), E_INVALIDARG);
  EXPECT_EQ(_pControl->AddHandler(Swap(), nullptr, 0), E_INVALIDARG);
  victim->Release();
  remover->Release();
}

}  // namespace
