// Widget event handlers: the weak-reference member handler and the checks
// that refuse bad input without adding or calling anything.
#include <gtest/gtest.h>

#include <string>

#include "NUVSYPAbstractMethEventHandler.h"
#include "NUVSYPCheckReport.h"
#include "NUVSYPEventArgs.h"
#include "NUVSYPWRefMethEventHandler.h"
#include "NUVVidCtl3DViewer.h"

namespace {

class Target : public NUVBaseUnknown {
 public:
  void OnSwap(NUVBaseUnknown* sender, NUVSYPEventArgs* args) {
    ++calls;
    lastSender = sender;
    lastArgs = args;
    refsDuringCall = GetRefCount();
  }
  int calls = 0;
  NUVBaseUnknown* lastSender = nullptr;
  NUVSYPEventArgs* lastArgs = nullptr;
  unsigned long refsDuringCall = 0;
};

// An object that is an extension of another: its implementation lies elsewhere.
class Extension : public Target {
 public:
  explicit Extension(NUVBaseUnknown* impl) : _pImpl(impl) {}
  NUVBaseUnknown* GetImpl(int = 0) override { return _pImpl; }

 private:
  NUVBaseUnknown* _pImpl;
};

typedef NUVSYPWRefMethEventHandler<Target> TargetHandler;

NUVSYPEvent* Swap() { return NUVVidCtlViewerBase::GraphicWindowSwapEvt(); }

class EventHandlers : public ::testing::Test {
 protected:
  void SetUp() override {
    NUVSYPCheckReport::SetEcho(0);
    _Failures = NUVSYPCheckReport::GetFailureCount();
    _pControl = new NUVVidCtl3DViewer;
    _pTarget = new Target;
  }
  void TearDown() override {
    if (_pTarget) _pTarget->Release();
    _pControl->Release();
    NUVSYPCheckReport::SetEcho(1);
  }
  int NewFailures() const { return NUVSYPCheckReport::GetFailureCount() - _Failures; }
  void Fire(NUVBaseUnknown* args) { _pControl->FireEvent(Swap(), args); }

  int _Failures = 0;
  NUVVidCtl3DViewer* _pControl = nullptr;
  Target* _pTarget = nullptr;
};

TEST_F(EventHandlers, CallsTheMemberWithSenderAndArgsHoldingTheTarget) {
  ASSERT_EQ(TargetHandler::AddTo(_pControl, Swap(), _pTarget, &Target::OnSwap), S_OK);
  EXPECT_EQ(_pControl->CountHandlers(Swap()), 1);
  EXPECT_EQ(_pTarget->GetRefCount(), 1u) << "the handler must not keep its target alive";

  auto* args = new NUVSYPEventArgs(Swap());
  Fire(args);
  EXPECT_EQ(_pTarget->calls, 1);
  EXPECT_EQ(_pTarget->lastSender, _pControl);
  EXPECT_EQ(_pTarget->lastArgs, args);
  EXPECT_EQ(_pTarget->refsDuringCall, 2u) << "the target is held during the call";
  EXPECT_EQ(_pTarget->GetRefCount(), 1u);

  // Another event does not reach the handler.
  NUVSYPEvent other("Other");
  _pControl->FireEvent(&other, args);
  EXPECT_EQ(_pTarget->calls, 1);
  args->Release();
  EXPECT_EQ(NewFailures(), 0);
}

TEST_F(EventHandlers, DoesNothingOnceTheTargetIsGone) {
  TargetHandler::AddTo(_pControl, Swap(), _pTarget, &Target::OnSwap);
  _pTarget->Release();
  _pTarget = nullptr;
  _pControl->DeliverSwap();  // must not touch the destroyed target
  EXPECT_EQ(_pControl->CountHandlers(Swap()), 1) << "handlers stay; they just do nothing";
  EXPECT_EQ(_pControl->GetSwapCount(), 1);
  EXPECT_EQ(NewFailures(), 0);
}

TEST_F(EventHandlers, FailedChecksOnAddAddNoHandler) {
  struct Case {
    NUVVidWidget* support;
    NUVSYPEvent* event;
    Target* object;
    TargetHandler::MemberFunc member;
    const char* expression;
  };
  const Case cases[] = {
      {nullptr, Swap(), _pTarget, &Target::OnSwap, "i_pSupport"},
      {_pControl, nullptr, _pTarget, &Target::OnSwap, "i_pEvent"},
      {_pControl, Swap(), nullptr, &Target::OnSwap, "i_pObj"},
      {_pControl, Swap(), _pTarget, nullptr, "i_pMemberFunc != NULL"},
  };
  int expectedFailures = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(TargetHandler::AddTo(c.support, c.event, c.object, c.member), E_FAIL) << c.expression;
    EXPECT_EQ(NewFailures(), ++expectedFailures) << c.expression;
    EXPECT_STREQ(NUVSYPCheckReport::GetLastExpression(), c.expression);
    EXPECT_EQ(_pControl->CountHandlers(), 0) << c.expression;
  }
  EXPECT_EQ(_pTarget->GetRefCount(), 1u);
}

TEST_F(EventHandlers, AnExtensionCannotBeReferencedWeakly) {
  auto* extension = new Extension(_pTarget);
  EXPECT_EQ(TargetHandler::AddTo(_pControl, Swap(), extension, &Target::OnSwap), E_FAIL);
  EXPECT_EQ(NewFailures(), 1);
  EXPECT_STREQ(NUVSYPCheckReport::GetLastExpression(), "i_pObj->GetImpl() == i_pObj");
  EXPECT_STREQ(NUVSYPCheckReport::GetLastText(),
               "i_pObj may be an extension; referencing an extension with a weak-ref is not "
               "possible.");
  EXPECT_EQ(_pControl->CountHandlers(), 0);
  extension->Release();
}

TEST_F(EventHandlers, HandlersRefusedAtConstructionNeverCall) {
  // Added directly, bypassing AddTo: the invalid handler is on the widget
  // but calls nothing.
  auto* noMember = new TargetHandler(_pTarget, nullptr);
  EXPECT_STREQ(NUVSYPCheckReport::GetLastExpression(), "_pMemberFunc != NULL");
  EXPECT_FALSE(noMember->IsValid());
  _pControl->AddHandler(Swap(), noMember, 0);
  noMember->Release();
  auto* args = new NUVSYPEventArgs(Swap());
  Fire(args);
  args->Release();
  EXPECT_EQ(_pTarget->calls, 0);
  EXPECT_EQ(NewFailures(), 1);
}

TEST_F(EventHandlers, ArgumentsOfAnotherClassFailThePArgsCheck) {
  TargetHandler::AddTo(_pControl, Swap(), _pTarget, &Target::OnSwap);
  auto* notArgs = new NUVBaseUnknown;
  Fire(notArgs);
  Fire(nullptr);
  notArgs->Release();
  EXPECT_EQ(_pTarget->calls, 0);
  EXPECT_EQ(NewFailures(), 2);
  EXPECT_STREQ(NUVSYPCheckReport::GetLastExpression(), "pArgs");
}

// A method handler whose target resolves to an object of the wrong class.
class WrongTargetHandler : public NUVSYPAbstractMethEventHandler<Target> {
 public:
  WrongTargetHandler(NUVBaseUnknown* resolved, MemberFunc member)
      : NUVSYPAbstractMethEventHandler<Target>(member), _Resolved(resolved) {}

 protected:
  NUVBaseUnknown_var ResolveTarget() override { return _Resolved; }

 private:
  NUVBaseUnknown_var _Resolved;
};

TEST_F(EventHandlers, ATargetOfTheWrongClassFailsThePObjCheck) {
  auto* stranger = new NUVBaseUnknown;
  auto* handler = new WrongTargetHandler(stranger, &Target::OnSwap);
  _pControl->AddHandler(Swap(), handler, 0);
  handler->Release();
  auto* args = new NUVSYPEventArgs(Swap());
  Fire(args);
  args->Release();
  stranger->Release();
  EXPECT_EQ(NewFailures(), 1);
  EXPECT_STREQ(NUVSYPCheckReport::GetLastExpression(), "pObj");
}

// Removes a handler from the widget that fires it.
class Remover : public NUVBaseUnknown {
 public:
  void OnSwap(NUVBaseUnknown* sender, NUVSYPEventArgs*) {
    ++calls;
    static_cast<NUVVidWidget*>(sender)->RemoveHandler(Swap(), victim);
  }
  NUVSYPEventHandler* victim = nullptr;
  int calls = 0;
};

TEST_F(EventHandlers, AHandlerRemovedDuringFiringIsNotCalled) {
  auto* remover = new Remover;
  NUVSYPWRefMethEventHandler<Remover>::AddTo(_pControl, Swap(), remover, &Remover::OnSwap);
  auto* victim = new TargetHandler(_pTarget, &Target::OnSwap);
  _pControl->AddHandler(Swap(), victim, 0);
  remover->victim = victim;
  _pControl->DeliverSwap();
  EXPECT_EQ(remover->calls, 1);
  EXPECT_EQ(_pTarget->calls, 0);
  EXPECT_EQ(_pControl->CountHandlers(Swap()), 1);
  EXPECT_EQ(victim->GetRefCount(), 1u) << "the widget gave its reference back";
  EXPECT_EQ(_pControl->RemoveHandler(Swap(), victim), E_FAIL);
  EXPECT_EQ(_pControl->AddHandler(nullptr, victim, 0), E_INVALIDARG);
  EXPECT_EQ(_pControl->AddHandler(Swap(), nullptr, 0), E_INVALIDARG);
  victim->Release();
  remover->Release();
}

}  // namespace
