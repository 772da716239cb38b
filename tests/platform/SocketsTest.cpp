// Stream connections over TCP loopback and through local connectors.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "NUVSocketConnector.h"
#include "NUVSockets.h"

namespace {

void Exchange(NUVSockets& a, NUVSockets& b) {
  EXPECT_EQ(a.Wait(0), 1) << "nothing to read yet";
  ASSERT_EQ(b.BasicSend("hello", 5), 5);
  ASSERT_EQ(a.Wait(1000), 0);
  char buffer[8] = {};
  int got = 0;
  while (got < 5) {
    int n = a.BasicReceive(buffer + got, 5 - got, 0);
    ASSERT_GT(n, 0);
    got += n;
  }
  EXPECT_EQ(std::memcmp(buffer, "hello", 5), 0);
  ASSERT_EQ(a.BasicSend("!", 1), 1);
  ASSERT_EQ(b.Wait(1000), 0) << "the connection carries data both ways";
  ASSERT_EQ(b.BasicReceive(buffer, 1, 0), 1);
  EXPECT_EQ(buffer[0], '!');
}

}  // namespace

TEST(Sockets, NetworkConnectorCarriesBytesOverLoopbackTcp) {
  NUVSocketConnector connector(0, 10, NUVSocketConnector::Network);
  EXPECT_EQ(connector.Accept(), nullptr) << "nothing to accept before Declare";
  ASSERT_EQ(connector.Declare(nullptr), 0);
  EXPECT_GT(connector.GetPort(), 0) << "port 0 picks a free port";
  NUVSockets client(-1, nullptr);
  ASSERT_EQ(client.Connect(connector.GetPort(), "127.0.0.1"), 0);
  std::unique_ptr<NUVSockets> server(connector.Accept());
  ASSERT_TRUE(server);
  EXPECT_NE(server->GetHandler(), client.GetHandler());
  Exchange(client, *server);
  client.Close();
  ASSERT_EQ(server->Wait(1000), 0) << "the peer's close is readable";
  char c;
  EXPECT_EQ(server->BasicReceive(&c, 1, 0), 0);
}

TEST(Sockets, LocalConnectorPairsEndsOfThisProcess) {
  NUVSocketConnector connector(0, 10, NUVSocketConnector::Local);
  ASSERT_EQ(connector.Declare(nullptr), 0);
  NUVSockets reader(-1, nullptr);
  ASSERT_EQ(reader.Connect(connector.GetPort(), nullptr), 0);
  std::unique_ptr<NUVSockets> writer(connector.Accept());
  ASSERT_TRUE(writer);
  Exchange(reader, *writer);
  // One byte per message: two sent, drained one at a time.
  writer->BasicSend("XX", 2);
  char c;
  ASSERT_EQ(reader.BasicReceive(&c, 1, 0), 1);
  EXPECT_EQ(reader.Wait(0), 0) << "the second byte is still there";
  ASSERT_EQ(reader.BasicReceive(&c, 1, 0), 1);
  EXPECT_EQ(reader.Wait(0), 1);
  writer.reset();
  EXPECT_EQ(reader.Wait(0), 0);
  EXPECT_EQ(reader.BasicReceive(&c, 1, 0), 0) << "closed peer";
  EXPECT_EQ(reader.BasicSend("x", 1), -1) << "a broken pipe fails without a signal";
}

TEST(Sockets, BadUseFailsWithoutHarm) {
  NUVSockets none(-1, nullptr);
  char c;
  EXPECT_EQ(none.BasicSend("x", 1), -1);
  EXPECT_EQ(none.BasicReceive(&c, 1, 0), -1);
  EXPECT_EQ(none.Wait(0), -1);
  EXPECT_EQ(none.Connect(0, nullptr), -1);
  EXPECT_EQ(none.Connect(70000, nullptr), -1);
  NUVSocketConnector closed(0, 10, NUVSocketConnector::Network);
  ASSERT_EQ(closed.Declare(nullptr), 0);
  int port = closed.GetPort();
  closed.Close();
  EXPECT_EQ(none.Connect(port, nullptr), -1) << "nobody listens there any more";
  NUVSocketConnector wrongKind(0, 10, 7);
  EXPECT_EQ(wrongKind.Declare(nullptr), -1);
}
