// Widget event handlers: the weak-reference member handler, and the checks
// that refuse bad input without adding or calling anything.
#include <gtest/gtest.h>

#include "NUVSYPAbstractMethEventHandler.h"
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
    // May remove a handler of the widget that fires it.
    if (victim) static_cast<NUVVidWidget*>(sender)->RemoveHandler(Swap(), victim);
  }
  int calls = 0;
  NUVBaseUnknown* lastSender = nullptr;
  NUVSYPEventArgs* lastArgs = nullptr;
  unsigned long refsDuringCall = 0;
  NUVSYPEventHandler* victim = nullptr;
};

// An extension of another object: its implementation lies elsewhere.
class Extension : public Target {
 public:
  explicit Extension(NUVBaseUnknown* impl) : _pImpl(impl) {}
  NUVBaseUnknown* GetImpl(int = 0) override { return _pImpl; }

 private:
  NUVBaseUnknown* _pImpl;
};

// A method handler whose target resolves to an object of the wrong class.
class WrongTargetHandler : public NUVSYPAbstractMethEventHandler<Target> {
 public:
  explicit WrongTargetHandler(NUVBaseUnknown* resolved)
      : NUVSYPAbstractMethEventHandler<Target>(&Target::OnSwap), _Resolved(resolved) {}

 protected:
  NUVBaseUnknown_var ResolveTarget() override { return _Resolved; }

 private:
  NUVBaseUnknown_var _Resolved;
};

typedef NUVSYPWRefMethEventHandler<Target> TargetHandler;

class EventHandlers : public ::testing::Test {
 protected:
  void SetUp() override {
    NUVSYPCheckReport::SetEcho(0);
    _Failures = NUVSYPCheckReport::GetFailureCount();
    _pControl = new NUVVidCtl3DViewer;
    _pTarget = new Target;
    _pArgs = new NUVSYPEventArgs(Swap());
  }
  void TearDown() override {
    _pArgs->Release();
    if (_pTarget) _pTarget->Release();
    _pControl->Release();
    NUVSYPCheckReport::SetEcho(1);
  }
  int NewFailures() const { return NUVSYPCheckReport::GetFailureCount() - _Failures; }
  void Fire(NUVBaseUnknown* args) { _pControl->FireEvent(Swap(), args); }

  int _Failures = 0;
  NUVVidCtl3DViewer* _pControl = nullptr;
  Target* _pTarget = nullptr;
  NUVSYPEventArgs* _pArgs = nullptr;
};

TEST_F(EventHandlers, CallsTheMemberHoldingTheTargetOnlyWhileItLives) {
  ASSERT_EQ(TargetHandler::AddTo(_pControl, Swap(), _pTarget, &Target::OnSwap), S_OK);
  EXPECT_EQ(_pTarget->GetRefCount(), 1u) << "the handler must not keep its target alive";
  Fire(_pArgs);
  EXPECT_EQ(_pTarget->calls, 1);
  EXPECT_EQ(_pTarget->lastSender, _pControl);
  EXPECT_EQ(_pTarget->lastArgs, _pArgs);
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
  struct Case {
    NUVVidWidget* support;
    NUVSYPEvent* event;
    Target* object;
    TargetHandler::MemberFunc member;
    const char* expression;
  } const cases[] = {
      {nullptr, Swap(), _pTarget, &Target::OnSwap, "i_pSupport"},
      {_pControl, nullptr, _pTarget, &Target::OnSwap, "i_pEvent"},
      {_pControl, Swap(), nullptr, &Target::OnSwap, "i_pObj"},
      {_pControl, Swap(), _pTarget, nullptr, "i_pMemberFunc != NULL"},
  };
  int failures = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(TargetHandler::AddTo(c.support, c.event, c.object, c.member), E_FAIL) << c.expression;
    EXPECT_EQ(NewFailures(), ++failures) << c.expression;
    EXPECT_STREQ(NUVSYPCheckReport::GetLastExpression(), c.expression);
  }
  auto* extension = new Extension(_pTarget);
  EXPECT_EQ(TargetHandler::AddTo(_pControl, Swap(), extension, &Target::OnSwap), E_FAIL);
  EXPECT_STREQ(NUVSYPCheckReport::GetLastExpression(), "i_pObj->GetImpl() == i_pObj");
  extension->Release();
  EXPECT_EQ(_pControl->CountHandlers(), 0);
  EXPECT_EQ(_pTarget->GetRefCount(), 1u);

  // Added past AddTo: a handler without member, one whose target has the
  // wrong class, and arguments of the wrong class fail their checks.
  auto* noMember = new TargetHandler(_pTarget, nullptr);
  EXPECT_FALSE(noMember->IsValid());
  _pControl->AddHandler(Swap(), noMember, 0);
  noMember->Release();
  auto* stranger = new NUVBaseUnknown;
  auto* wrong = new WrongTargetHandler(stranger);
  _pControl->AddHandler(Swap(), wrong, 0);
  wrong->Release();
  failures = NewFailures();
  Fire(_pArgs);
  EXPECT_EQ(NewFailures(), failures + 1);
  EXPECT_STREQ(NUVSYPCheckReport::GetLastExpression(), "pObj");
  TargetHandler::AddTo(_pControl, Swap(), _pTarget, &Target::OnSwap);
  Fire(stranger);
  EXPECT_STREQ(NUVSYPCheckReport::GetLastExpression(), "pArgs");
  stranger->Release();
  EXPECT_EQ(_pTarget->calls, 0);
}

TEST_F(EventHandlers, AHandlerRemovedDuringFiringIsNotCalled) {
  auto* remover = new Target;
  TargetHandler::AddTo(_pControl, Swap(), remover, &Target::OnSwap);
  auto* victim = new TargetHandler(_pTarget, &Target::OnSwap);
  _pControl->AddHandler(Swap(), victim, 0);
  remover->victim = victim;
  _pControl->DeliverSwap();
  EXPECT_EQ(remover->calls, 1);
  EXPECT_EQ(_pTarget->calls, 0);
  EXPECT_EQ(victim->GetRefCount(), 1u) << "the widget gave its reference back";
  EXPECT_EQ(_pControl->RemoveHandler(Swap(), victim), E_FAIL);
  EXPECT_EQ(_pControl->AddHandler(nullptr, victim, 0), E_INVALIDARG);
  EXPECT_EQ(_pControl->AddHandler(Swap(), nullptr, 0), E_INVALIDARG);
  victim->Release();
  remover->Release();
}

}  // namespace
