// Callback dispatch: order, identifiers, and changes made from inside a
// dispatch.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "NUVCallbackManager.h"
#include "NUVEventSubscriber.h"

namespace {

const char* Ping() { return "PING"; }
const char* Pong() { return "PONG"; }
typedef std::vector<std::string> Calls;

class Publisher : public NUVBaseUnknown {
 public:
  Publisher() : manager(new NUVCallbackManager(this)) {}
  ~Publisher() override { manager->Release(); }
  NUVCallbackManager* manager;
};

class Listener : public NUVEventSubscriber {
 public:
  Listener(Calls* c, std::string n) : calls(c), name(std::move(n)) { ++live; }
  ~Listener() override { --live; }
  static int live;

  void OnEvent(const char* event, void*, NUVNotification*, void*, int) {
    calls->push_back(name + ":" + event);
    if (action) {
      std::function<void()> once;
      once.swap(action);  // runs once; it may destroy this listener
      once();
    }
  }

  Calls* calls;
  std::string name;
  std::function<void()> action;
};
int Listener::live = 0;

class Callbacks : public ::testing::Test {
 protected:
  void TearDown() override {
    if (b) b->Release();
    a->Release();
    pub->Release();
    EXPECT_EQ(Listener::live, 0);
  }
  int Subscribe(Listener* l, const char* event, void* data = nullptr) {
    return AddCallback(l, pub, event, NUVSubscriberMethodCast(&Listener::OnEvent), data);
  }
  void Dispatch(const char* event) { pub->manager->DispatchCallbacks(event, nullptr); }

  Calls calls;
  Publisher* pub = new Publisher;
  Listener* a = new Listener(&calls, "a");
  Listener* b = new Listener(&calls, "b");
};

}  // namespace

TEST_F(Callbacks, RemovalMatchesIdentifierOrClientData) {
  int dataX = 0, dataY = 0;
  int id = Subscribe(a, Ping(), &dataX);
  Subscribe(b, Ping());
  Subscribe(a, Pong(), &dataX);
  RemoveCallback(a, pub, id);
  EXPECT_EQ(pub->manager->CountCallbacks(Ping()), 1);
  RemoveCallbacksOn(a, pub, Pong(), &dataY);
  EXPECT_EQ(pub->manager->CountCallbacks(Pong()), 1) << "other client data: not removed";
  RemoveCallbacksOn(a, pub, Pong(), nullptr);
  EXPECT_EQ(pub->manager->CountCallbacks(Pong()), 0) << "null client data matches any";
  EXPECT_EQ(AddCallback(a, &dataX, Ping(), NUVSubscriberMethodCast(&Listener::OnEvent), nullptr), 0)
      << "a publisher without a manager takes no callback";
}

TEST_F(Callbacks, RemovingALaterCallbackSkipsItAndAnAddedOneWaitsForTheNextDispatch) {
  Subscribe(a, Ping());
  int idB = Subscribe(b, Ping());
  a->action = [&] { RemoveCallback(b, pub, idB); };
  Dispatch(Ping());
  EXPECT_EQ(calls, (Calls{"a:PING"}));
  a->action = [&] { Subscribe(b, Ping()); };
  Dispatch(Ping());
  EXPECT_EQ(calls, (Calls{"a:PING", "a:PING"}));
  Dispatch(Ping());
  EXPECT_EQ(calls, (Calls{"a:PING", "a:PING", "a:PING", "b:PING"}));
}

TEST_F(Callbacks, SubscriberDestroyedDuringDispatchIsNotCalledAgain) {
  Subscribe(a, Ping());
  Subscribe(b, Ping());
  Subscribe(b, Ping());
  a->action = [&] {
    b->Release();  // b has callbacks after a's in the same dispatch
    b = nullptr;
  };
  Dispatch(Ping());
  EXPECT_EQ(calls, (Calls{"a:PING"}));
  EXPECT_EQ(pub->manager->CountCallbacks(Ping()), 1) << "b's subscriptions went with it";
}

TEST_F(Callbacks, PublisherReleasedDuringDispatchIsSafe) {
  Subscribe(a, Ping());
  Subscribe(b, Ping());
  Publisher* dying = pub;
  a->action = [dying] { dying->Release(); };  // the last reference to the publisher
  NUVCallbackManager* manager = pub->manager;
  pub = new Publisher;  // for TearDown
  manager->DispatchCallbacks(Ping(), nullptr);
  EXPECT_EQ(calls, (Calls{"a:PING", "b:PING"}))
      << "the dispatch runs to its end on a manager kept alive for it";
}
