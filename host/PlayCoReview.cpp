#include "PlayCoReview.h"

#include <cstdio>

#include "NUVApplication.h"
#include "NUVCollabCoreviewEndNotif.h"
#include "NUVCollabSessionManager.h"
#include "NUVISimMasterObservation.h"
#include "NUVSimCoReviewNotification.h"
#include "NUVSimMasterObservation.h"

NUV_IMPLEMENT_CLASS(PlayCoReview, NUVEventSubscriber, "velloran-play")

namespace {
const char kMessenger[] = "NUVECoMessengerForSimEngine";
}

PlayCoReview::PlayCoReview(NUVApplication& app, const PlayCoReviewOptions& options, bool quiet)
    : _App(app), _Options(options), _Quiet(quiet) {}

PlayCoReview::~PlayCoReview() {
  End();
  if (_TimeOutId) _App.RemoveTimeOut(_TimeOutId);
}

bool PlayCoReview::Start(NUVISimMasterObservation* coordinator) {
  if (_Options.role.empty()) return true;
  const bool lead = !Following();
  _pSession.reset(new NUVCollabSessionManager);
  const long started = _pSession->StartReview(
      lead ? NUVCollabSessionManager::Leader : NUVCollabSessionManager::Follower,
      _Options.endpoint.c_str(), _Options.sessionId.c_str());
  if (started < 0) {
    std::fprintf(stderr, "velloran-play: co-review cannot start: %s\n", _pSession->LastError());
    _pSession.reset();
    return false;
  }
  if (_pSession->AddMessenger(kMessenger) < 0) {
    std::fprintf(stderr, "velloran-play: co-review cannot start: %s\n", _pSession->LastError());
    _pSession.reset();
    return false;
  }
  if (coordinator) {
    _pPublisher = coordinator->GetImpl(0);
    AddCallback(_pPublisher, NUVSimMasterObservation::NUVSIM_CYCLE(),
                NUVSubscriberMethodCast(&PlayCoReview::OnCycle), nullptr);
  }
  AddCallback(NUVCollabSessionManager::GetApplicationBus(), NUVCollabCoreviewEndNotif::ClassName(),
              NUVSubscriberMethodCast(&PlayCoReview::OnReviewEnd), nullptr);
  std::printf("co-review: %s session '%s' on %s\n", lead ? "leading" : "following",
              _Options.sessionId.c_str(), _pSession->Endpoint().c_str());
  std::fflush(stdout);
  return !lead || WaitForFollowers();
}

bool PlayCoReview::WaitForFollowers() {
  if (_Options.followers <= 0) return true;
  ArmTimeOut();
  while (_pSession->FollowerCount() < _Options.followers && !_TimedOut && !_App.StopRequested()) {
    _App.RunOneTurn(-1);
  }
  if (_TimeOutId) _App.RemoveTimeOut(_TimeOutId);
  _TimeOutId = 0;
  if (_pSession->FollowerCount() < _Options.followers) {
    std::printf("co-review: %d of %d follower(s) came within %g s; playing anyway\n",
                _pSession->FollowerCount(), _Options.followers, _Options.timeout);
  } else {
    std::printf("co-review: %d follower(s) joined\n", _pSession->FollowerCount());
  }
  std::fflush(stdout);
  return true;
}

void PlayCoReview::ArmTimeOut() {
  if (_TimeOutId) _App.RemoveTimeOut(_TimeOutId);
  _TimeOutId = _App.AddTimeOut(static_cast<int>(_Options.timeout * 1000 + 0.5), nullptr, this,
                               &PlayCoReview::OnTimeOut);
}

void PlayCoReview::OnTimeOut(NUVCommand*, int, void* data) {
  auto* self = static_cast<PlayCoReview*>(data);
  self->_TimeOutId = 0;
  self->_TimedOut = true;
  if (self->Following()) self->_App.RequestStop();
}

void PlayCoReview::OnCycle(const char*, void*, NUVNotification* notification, void*, int) {
  auto* n = static_cast<NUVSimNotification*>(notification);
  if (!n || !_pSession || !_pSession->IsReviewRunning()) return;
  const bool shared = n->IsAKindOf(NUVSimCoReviewNotification::ClassName());
  if (Following()) {
    if (!shared) return;
    n->GetValue(_Last);
    ++_Count;
    if (!_Quiet) std::printf("co-review: value %.3f\n", _Last.GetValue());
    ArmTimeOut();
    return;
  }
  if (shared) return;
  // Leader: the step's value goes out as the simulation's co-review
  // notification, which the messenger listening on the application sends.
  NUVSimCoReviewNotification step;
  n->GetValue(_Last);
  step.SetValue(_Last);
  if (NUVCallbackManager* events = _App.GetCallbackManager()) {
    events->DispatchCallbacks(NUVSimCoReviewNotification::ClassName(), &step);
    ++_Count;
  }
}

void PlayCoReview::OnReviewEnd(const char*, void*, NUVNotification*, void*, int) {
  if (Following()) _App.RequestStop();
}

int PlayCoReview::Follow() {
  ArmTimeOut();
  _App.Run();
  const bool byLeader = _pSession && _pSession->EndedByLeader();
  if (byLeader) {
    std::printf("co-review: the leader ended the review\n");
  } else if (_TimedOut) {
    std::printf("co-review: no value for %g s: the leader is gone, the review is over\n",
                _Options.timeout);
  } else {
    std::printf("co-review: stopped\n");
  }
  if (_Count > 0) {
    std::printf("co-review: received %lld value(s), last %.3f\n", _Count, _Last.GetValue());
  } else {
    std::printf("co-review: received no value\n");
  }
  return 0;
}

void PlayCoReview::End() {
  if (_Ended || !_pSession) return;
  _Ended = true;
  if (_pPublisher) RemoveCallbacksOn(_pPublisher, nullptr, nullptr);
  _pPublisher = nullptr;
  RemoveCallbacksOn(NUVCollabSessionManager::GetApplicationBus(), nullptr, nullptr);
  const bool lead = !Following();
  _pSession->EndReview();
  _pSession.reset();
  if (lead) {
    std::printf("co-review: sent %lld value(s)", _Count);
    if (_Count > 0) std::printf(", last %.3f", _Last.GetValue());
    std::printf("; the review is over\n");
  }
}
