// Callback dispatch: order, identifiers, and changes made from inside a
// dispatch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NUVCallbackManager.h"
#include "NUVEventSubscriber.h"

namespace {

const char* Ping() { return "PING"; }
const char* Pong() { return "PONG"; }

std::vector<std::string>& Calls() {
  static std::vector<std::string> calls;
  return calls;
}

class Publisher : public NUVBaseUnknown {
 public:
  Publisher() : manager(new NUVCallbackManager(this)) {}
  ~Publisher() override { manager->Release(); }
  NUVCallbackManager* manager;
};

class Listener : public NUVEventSubscriber {
 public:
  explicit Listener(std::string name) : name(std::move(name)) { ++Live(); }
  ~Listener() override { --Live(); }
  static int& Live() {
    static int live = 0;
    return live;
  }

  void OnEvent(const char* event, void* publisher, NUVNotification*, void* data, int id) {
    Calls().push_back(name + ":" + event);
    lastPublisher = publisher;
    lastData = data;
    lastId = id;
    if (action) action(this);
  }

  std::string name;
  void* lastPublisher = nullptr;
  void* lastData = nullptr;
  int lastId = 0;
  void (*action)(Listener*) = nullptr;
  // Free slots for the action.
  Publisher* publisher = nullptr;
  Listener* other = nullptr;
  int otherId = 0;
};

class Callbacks : public ::testing::Test {
 protected:
  void SetUp() override {
    Calls().clear();
    Listener::Live() = 0;
    pub = new Publisher;
  }
  void TearDown() override {
    pub->Release();
    EXPECT_EQ(Listener::Live(), 0);
  }
  int Subscribe(Listener* l, const char* event, void* data = nullptr) {
    return AddCallback(l, pub, event, NUVSubscriberMethodCast(&Listener::OnEvent), data);
  }
  Publisher* pub = nullptr;
};

}  // namespace

TEST_F(Callbacks, DispatchFollowsRegistrationOrderAndPassesArguments) {
  auto* a = new Listener("a");
  auto* b = new Listener("b");
  int token = 0;
  int idA = Subscribe(a, Ping(), &token);
  int idB = Subscribe(b, Ping());
  Subscribe(b, Pong());
  EXPECT_NE(idA, 0);
  EXPECT_NE(idA, idB);
  pub->manager->DispatchCallbacks(Ping(), nullptr);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"a:PING", "b:PING"}));
  EXPECT_EQ(a->lastPublisher, pub) << "the manager reports its publisher by default";
  EXPECT_EQ(a->lastData, &token);
  EXPECT_EQ(a->lastId, idA);

  int other;
  pub->manager->DispatchCallbacks("PING", nullptr, &other);  // equal text, other pointer
  EXPECT_EQ(Calls().size(), 4u);
  EXPECT_EQ(b->lastPublisher, &other) << "an explicit publisher is passed through";
  a->Release();
  b->Release();
}

TEST_F(Callbacks, RemoveByIdentifierAndBySubscriberEventAndData) {
  auto* a = new Listener("a");
  int dataX = 0, dataY = 0;
  int id = Subscribe(a, Ping(), &dataX);
  Subscribe(a, Ping(), &dataY);
  Subscribe(a, Pong(), &dataX);
  RemoveCallback(a, pub, id);
  EXPECT_EQ(pub->manager->CountCallbacks(Ping()), 1);
  RemoveCallbacksOn(a, pub, Pong(), &dataY);
  EXPECT_EQ(pub->manager->CountCallbacks(Pong()), 1) << "other client data: not removed";
  RemoveCallbacksOn(a, pub, Pong(), nullptr);
  EXPECT_EQ(pub->manager->CountCallbacks(Pong()), 0) << "null client data matches any";
  EXPECT_EQ(AddCallback(a, &dataX, Ping(), NUVSubscriberMethodCast(&Listener::OnEvent), nullptr),
            0)
      << "a publisher without a manager takes no callback";
  a->Release();
}

TEST_F(Callbacks, CallbackRemovingALaterOneSkipsIt) {
  auto* a = new Listener("a");
  auto* b = new Listener("b");
  a->other = b;
  a->publisher = pub;
  a->action = [](Listener* self) { RemoveCallback(self->other, self->publisher, self->otherId); };
  Subscribe(a, Ping());
  a->otherId = Subscribe(b, Ping());
  pub->manager->DispatchCallbacks(Ping(), nullptr);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"a:PING"}));
  a->Release();
  b->Release();
}

TEST_F(Callbacks, CallbackAddedDuringDispatchWaitsForTheNextOne) {
  auto* a = new Listener("a");
  auto* b = new Listener("b");
  a->other = b;
  a->publisher = pub;
  a->action = [](Listener* self) {
    self->action = nullptr;
    AddCallback(self->other, self->publisher, Ping(),
                NUVSubscriberMethodCast(&Listener::OnEvent), nullptr);
  };
  Subscribe(a, Ping());
  pub->manager->DispatchCallbacks(Ping(), nullptr);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"a:PING"}));
  pub->manager->DispatchCallbacks(Ping(), nullptr);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"a:PING", "a:PING", "b:PING"}));
  a->Release();
  b->Release();
}

TEST_F(Callbacks, SubscriberDestroyedDuringDispatchIsNotCalledAgain) {
  auto* a = new Listener("a");
  auto* b = new Listener("b");
  // `a` destroys `b`, which has a callback after a's in the same dispatch.
  a->other = b;
  a->action = [](Listener* self) {
    self->action = nullptr;
    self->other->Release();
  };
  Subscribe(a, Ping());
  Subscribe(b, Ping());
  Subscribe(b, Ping());
  pub->manager->DispatchCallbacks(Ping(), nullptr);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"a:PING"}));
  EXPECT_EQ(pub->manager->CountCallbacks(Ping()), 1) << "b's subscriptions went with it";
  a->Release();
}

TEST_F(Callbacks, PublisherReleasedDuringDispatchIsSafe) {
  auto* a = new Listener("a");
  auto* b = new Listener("b");
  a->publisher = pub;
  a->action = [](Listener* self) {
    self->action = nullptr;
    self->publisher->Release();  // the last reference to the publisher
  };
  pub->AddRef();
  Subscribe(a, Ping());
  Subscribe(b, Ping());
  NUVCallbackManager* manager = pub->manager;
  pub->Release();  // only the reference the action drops remains
  manager->DispatchCallbacks(Ping(), nullptr);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"a:PING", "b:PING"}))
      << "the dispatch runs to its end on a manager kept alive for it";
  pub = new Publisher;  // for TearDown
  a->Release();
  b->Release();
}
