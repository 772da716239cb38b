// The co-review framework and messenger: the streamer's and the envelope's
// byte formats at their boundaries, the messenger's decoding into the
// default context's coordinator, its roles across channel states, the end of
// a review, and real reviews through sockets and the event loop.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "FrameTestScene.h"
#include "LoopFixture.h"
#include "NUVBBStreamer.h"
#include "NUVCollabCoreviewEndNotif.h"
#include "NUVCollabEnvelope.h"
#include "NUVCollabSessionManager.h"
#include "NUVDictionary.h"
#include "NUVECoMessengerForSimEngine.h"
#include "NUVEventSubscriber.h"
#include "NUVICreateInstance.h"
#include "NUVSimCoReviewNotification.h"
#include "NUVSimMasterObservation.h"
#include "NUVSimVizServices.h"
#include "TestTempDir.h"

namespace {

// A message of the given fields, written by a streamer of its own.
std::vector<char> Message(int high, unsigned int low, int fine) {
  NUVBBStreamer s;
  s.StartWriting();
  s.WriteInt(high);
  s.WriteUnsignedInt(low);
  s.WriteInt(fine);
  int n = 0;
  const char* b = s.GetWrittenBuffer(n);
  return std::vector<char>(b, b + n);
}

// A messenger built the way the framework builds it: by the extension's name.
NUVECoMessengerForSimEngine* NewMessenger() {
  NUVCreationFunction create = NUVDictionary::FindCreation("NUVECoMessengerForSimEngine_CreateExt");
  if (!create) return nullptr;
  NUVBaseUnknown* ext = create();
  NUVICreateInstance_var factory(ext);
  ext->Release();
  void* out = nullptr;
  if (!factory || factory->CreateInstance(&out) != S_OK) return nullptr;
  return dynamic_cast<NUVECoMessengerForSimEngine*>(static_cast<NUVBaseUnknown*>(out));
}

// Records the co-review values the default context's coordinator dispatches.
class ValueSpy : public NUVEventSubscriber {
 public:
  ValueSpy() {
    NUVSimMasterObservation::Get(coordinator, NUVBaseUnknown_var(), 1);
    AddCallback(coordinator->GetImpl(0), NUVSimMasterObservation::NUVSIM_CYCLE(),
                NUVSubscriberMethodCast(&ValueSpy::On), nullptr);
  }
  void On(const char*, void*, NUVNotification* n, void*, int) {
    if (!n || !n->IsAKindOf("NUVSimCoReviewNotification")) return;
    NUVSimValue v;
    static_cast<NUVSimNotification*>(n)->GetValue(v);
    values.push_back(v);
  }
  NUVISimMasterObservation_var coordinator;
  std::vector<NUVSimValue> values;
};

class CoReview : public LoopFixture {
 protected:
  void TearDown() override {
    NUVSimMasterObservation::ResetAll();
    LoopFixture::TearDown();
  }
  void Raise(NUVSimNotification& n) {
    app->GetCallbackManager()->DispatchCallbacks(NUVSimCoReviewNotification::ClassName(), &n);
  }
  FrameTestScene scene;
};

}  // namespace

TEST(CoReviewStreamer, EncodesBoundaryValuesAndRefusesEveryMalformedBuffer) {
  std::vector<char> good = Message(INT_MIN, UINT_MAX, -1);
  NUVBBStreamer s;
  int a = 0, c = 0;
  unsigned int b = 0;
  ASSERT_EQ(s.StartReading(good.data(), static_cast<int>(good.size())), S_OK);
  EXPECT_LT(s.ReadUnsignedInt(b), 0) << "a signed field is not read as unsigned";
  EXPECT_EQ(s.ReadInt(a), S_OK);
  EXPECT_EQ(s.ReadUnsignedInt(b), S_OK);
  EXPECT_EQ(s.ReadInt(c), S_OK);
  EXPECT_EQ(a, INT_MIN);
  EXPECT_EQ(b, UINT_MAX);
  EXPECT_EQ(c, -1);
  EXPECT_LT(s.ReadInt(c), 0) << "no fourth field";
  EXPECT_EQ(std::vector<char>(good.begin(), good.begin() + 3), (std::vector<char>{1, 3, 'i'}));
  EXPECT_EQ(good[4], 0) << "least significant byte first";
  EXPECT_EQ(static_cast<unsigned char>(good[6]), 0x80);

  EXPECT_EQ(s.StartReading(good.data(), 0), E_INVALIDARG);
  EXPECT_EQ(s.StartReading(nullptr, 5), E_INVALIDARG);
  // Every truncation, one byte too many, a wrong kind or version: refused,
  // each read from a heap copy of exactly that size (ASan sees any overrun).
  for (size_t n = 1; n <= good.size() + 1; ++n) {
    std::vector<char> bytes(good);
    bytes.resize(n, 0);
    std::unique_ptr<char[]> exact(new char[n]);
    std::memcpy(exact.get(), bytes.data(), n);
    EXPECT_EQ(s.StartReading(exact.get(), static_cast<int>(n)) == S_OK, n == good.size()) << n;
  }
  for (size_t at : {size_t(0), size_t(7)}) {
    std::vector<char> bad(good);
    bad[at] = 'x';
    EXPECT_LT(s.StartReading(bad.data(), static_cast<int>(bad.size())), 0) << at;
  }
  EXPECT_LT(s.ReadInt(a), 0) << "a refused buffer is not read";
}

TEST(CoReviewEnvelope, ParsesOnlyWholeFramesOfItsOwnSession) {
  const char payload[] = {1, 2, 3};
  std::string frame;
  ASSERT_TRUE(NUVCollabEnvelope::Build(NUVCollabEnvelope::Data, "s1", "M", payload, 3, frame));
  EXPECT_FALSE(NUVCollabEnvelope::Build(NUVCollabEnvelope::Data, "", "M", payload, 3, frame));
  ASSERT_TRUE(NUVCollabEnvelope::Build(NUVCollabEnvelope::Data, "s1", "M", payload, 3, frame));
  NUVCollabEnvelope e;
  ASSERT_TRUE(e.Parse(frame.data(), static_cast<int>(frame.size())));
  EXPECT_TRUE(e.SessionIs("s1"));
  EXPECT_FALSE(e.SessionIs("s"));
  EXPECT_EQ(std::string(e.payload, e.payloadLength), std::string(payload, 3));
  for (size_t n = 0; n < frame.size(); ++n) {
    std::unique_ptr<char[]> exact(new char[n + 1]);
    std::memcpy(exact.get(), frame.data(), n);
    EXPECT_EQ(e.Parse(exact.get(), static_cast<int>(n)), n > 10) << n;  // 10 header bytes
  }
}

TEST_F(CoReview, ReceivedFieldsReachTheDefaultCoordinatorAtOnce) {
  ValueSpy spy;
  NUVECoMessengerForSimEngine* m = NewMessenger();
  ASSERT_NE(m, nullptr);
  // Length 0 leaves the streamer alone: a read begun before goes on.
  std::vector<char> pending = Message(7, 0, 0);
  ASSERT_EQ(m->GetAStreamer()->StartReading(pending.data(), static_cast<int>(pending.size())), S_OK);
  EXPECT_EQ(m->ReceiveMessage(pending.data(), 0, nullptr), E_INVALIDARG);
  int first = 0;
  EXPECT_EQ(m->GetAStreamer()->ReadInt(first), S_OK);
  EXPECT_EQ(first, 7);

  std::vector<char> five = Message(0, 5, 1), negative = Message(-1, 0, 0);
  EXPECT_EQ(m->ReceiveMessage(five.data(), static_cast<int>(five.size()), nullptr), S_OK);
  ASSERT_EQ(spy.values.size(), 1u) << "dispatched immediately, not queued";
  EXPECT_EQ(m->ReceiveMessage(negative.data(), static_cast<int>(negative.size()), nullptr), S_OK);
  EXPECT_LT(m->ReceiveMessage(five.data(), 4, nullptr), 0) << "truncated: the streamer refuses";
  ASSERT_EQ(spy.values.size(), 2u);
  EXPECT_EQ(spy.values[0].GetWholePart(), 5);
  EXPECT_EQ(spy.values[0].GetFinePart(), 1);
  EXPECT_EQ(spy.values[1].GetWholePart(), -4294967296LL);
  m->Release();
}

TEST_F(CoReview, RolesFollowTheChannelStatesAndVanishWithTheMessenger) {
  EXPECT_EQ(NUVSimVizServices::IsCoReviewLeader() + NUVSimVizServices::IsCoReviewFollower(), 0);
  NUVECoMessengerForSimEngine* m = NewMessenger();
  ASSERT_NE(m, nullptr);
  auto roles = [] {
    return NUVSimVizServices::IsCoReviewLeader() * 10 + NUVSimVizServices::IsCoReviewFollower();
  };
  m->SetOutChanelState(NUVcoMessengerAdapter::ChanelOpen);
  EXPECT_EQ(roles(), 10);
  m->SetInChanelState(NUVcoMessengerAdapter::ChanelClosed);
  EXPECT_EQ(roles(), 0);
  m->SetOutChanelState(NUVcoMessengerAdapter::ChanelOpen);
  m->SetInChanelState(NUVcoMessengerAdapter::ChanelOpen);
  EXPECT_EQ(roles(), 1);
  m->SetOutChanelState(NUVcoMessengerAdapter::ChanelSuspended);
  EXPECT_EQ(roles(), 0);
  m->SetInChanelState(NUVcoMessengerAdapter::ChanelOpen);
  m->Release();
  EXPECT_EQ(roles(), 0) << "no messenger, no role";
}

TEST_F(CoReview, TheEndOfTheReviewStopsListeningAndADeadMessengerHearsNothing) {
  NUVCallbackManager* events = app->GetCallbackManager();
  NUVCallbackManager* bus = NUVCollabSessionManager::GetApplicationBus()->GetCallbackManager();
  const char* coreview = NUVSimCoReviewNotification::ClassName();
  NUVECoMessengerForSimEngine* m = NewMessenger();
  ASSERT_NE(m, nullptr);
  m->StartListening();
  m->StartListening();
  EXPECT_EQ(events->CountCallbacks(coreview), 2) << "nothing guards a second subscription";
  NUVCollabCoreviewEndNotif end;
  bus->DispatchCallbacks(NUVCollabCoreviewEndNotif::ClassName(), &end);
  EXPECT_EQ(events->CountCallbacks(coreview), 0);
  m->StartListening();
  m->Release();
  EXPECT_EQ(events->CountCallbacks(coreview) + bus->CountCallbacks(nullptr), 0);
  bus->DispatchCallbacks(NUVCollabCoreviewEndNotif::ClassName(), &end);
}

TEST_F(CoReview, FramesOfAnotherSessionOrMalformedAreNotDelivered) {
  if (!NUVCollabSessionManager::HasTransport()) GTEST_SKIP() << "this build has no transport";
  TestTempDir dir;
  NUVCollabSessionManager follower;
  ASSERT_EQ(follower.StartReview(NUVCollabSessionManager::Follower,
                                 ("ipc://" + dir.File("s")).c_str(), "mine"), S_OK);
  ASSERT_EQ(follower.AddMessenger("NUVECoMessengerForSimEngine"), S_OK);
  EXPECT_EQ(follower.AddMessenger("NoSuchMessenger"), E_FAIL);
  ValueSpy spy;
  std::vector<char> value = Message(0, 3, 0);
  std::string theirs, ours;
  NUVCollabEnvelope::Build(NUVCollabEnvelope::Data, "theirs", "NUVECoMessengerForSimEngine",
                           value.data(), static_cast<int>(value.size()), theirs);
  NUVCollabEnvelope::Build(NUVCollabEnvelope::Data, "mine", "NUVECoMessengerForSimEngine",
                           value.data(), static_cast<int>(value.size()), ours);
  EXPECT_EQ(follower.DeliverFrame(theirs.data(), static_cast<int>(theirs.size())), 0);
  EXPECT_EQ(follower.DeliverFrame(ours.data(), 8), 0);
  // A payload cut short passes the envelope; the streamer refuses it.
  EXPECT_EQ(follower.DeliverFrame(ours.data(), static_cast<int>(ours.size()) - 1), 1);
  EXPECT_EQ(spy.values.size(), 0u);
  EXPECT_EQ(follower.DeliverFrame(ours.data(), static_cast<int>(ours.size())), 1);
  EXPECT_EQ(spy.values.size(), 1u);
  EXPECT_EQ(follower.DroppedFrames(), 2);
}

// One leader and two followers in this process, on an ipc endpoint: the
// follower of the same session receives through the loop what the leader's
// messenger sends (each half of the whole part narrowed to 16 bits), the
// one of another session receives nothing, and the leader's end reaches them.
TEST_F(CoReview, ARealReviewCarriesValuesThroughTheLoopUntilTheLeaderEndsIt) {
  if (!NUVCollabSessionManager::HasTransport()) GTEST_SKIP() << "this build has no transport";
  TestTempDir dir;
  const std::string endpoint = "ipc://" + dir.File("review");
  NUVCollabSessionManager leader, follower, stranger;
  ASSERT_EQ(leader.StartReview(NUVCollabSessionManager::Leader, endpoint.c_str(), "r"), S_OK);
  ASSERT_EQ(follower.StartReview(NUVCollabSessionManager::Follower, endpoint.c_str(), "r"), S_OK);
  ASSERT_EQ(stranger.StartReview(NUVCollabSessionManager::Follower, endpoint.c_str(), "x"), S_OK);
  for (NUVCollabSessionManager* s : {&leader, &follower, &stranger}) {
    ASSERT_EQ(s->AddMessenger("NUVECoMessengerForSimEngine"), S_OK);
  }
  ValueSpy spy;
  int turns = 0;
  for (; leader.FollowerCount() < 2 && turns < 3000; ++turns) app->RunOneTurn(10);
  ASSERT_EQ(leader.FollowerCount(), 2) << "both subscriptions reach the leader";

  NUVSimCoReviewNotification first, narrowed;
  first.SetValue(NUVSimValue(5LL, 1));
  narrowed.SetValue(NUVSimValue(70000LL, 0));
  NUVSimNotification other;  // not a co-review notification: not sent
  other.SetValue(NUVSimValue(9LL, 0));
  Raise(first);
  Raise(other);
  Raise(narrowed);
  for (turns = 0; (spy.values.size() < 2 || stranger.DroppedFrames() < 2) && turns < 3000; ++turns) {
    app->RunOneTurn(10);
  }
  ASSERT_EQ(spy.values.size(), 2u);
  EXPECT_EQ(spy.values[0], NUVSimValue(5LL, 1));
  EXPECT_EQ(spy.values[1], NUVSimValue(70000LL & 0xFFFF, 0));
  EXPECT_EQ(stranger.DroppedFrames(), 2);

  EXPECT_EQ(leader.EndReview(), S_OK);
  for (turns = 0; follower.IsReviewRunning() && turns < 3000; ++turns) app->RunOneTurn(10);
  EXPECT_TRUE(!follower.IsReviewRunning() && follower.EndedByLeader());
  EXPECT_EQ(follower.CountMessengers(), 0);
  EXPECT_EQ(stranger.IsReviewRunning(), 1) << "another session's end is not ours";
  stranger.EndReview();
  EXPECT_EQ(app->RegisteredDescriptors(), 0);
}

// A build without a transport refuses to start a review and says why.
TEST(CoReviewWithoutTransport, StartingAReviewFailsWithItsReason) {
  if (NUVCollabSessionManager::HasTransport()) GTEST_SKIP() << "this build has a transport";
  NUVCollabSessionManager session;
  EXPECT_EQ(session.StartReview(NUVCollabSessionManager::Leader, "tcp://127.0.0.1:*", "r"), E_FAIL);
  EXPECT_NE(std::string(session.LastError()).find("no collaboration transport"), std::string::npos);
}
