// Stream connections over TCP loopback and through local connectors.
#include <gtest/gtest.h>

#include <memory>

#include "NUVSocketConnector.h"
#include "NUVSockets.h"

namespace {

// Bytes go both ways; one byte is drained at a time.
void Exchange(NUVSockets& a, NUVSockets& b) {
  EXPECT_EQ(a.Wait(0), 1) << "nothing to read yet";
  ASSERT_EQ(b.BasicSend("hi", 2), 2);
  char c;
  for (char expected : {'h', 'i'}) {
    ASSERT_EQ(a.Wait(1000) + a.BasicReceive(&c, 1, 0), 1);
    EXPECT_EQ(c, expected);
  }
  EXPECT_EQ(a.Wait(0), 1);
  ASSERT_EQ(a.BasicSend("!", 1), 1);
  ASSERT_EQ(b.Wait(1000) + b.BasicReceive(&c, 1, 0), 1) << "the other way";
}

}  // namespace

TEST(Sockets, ConnectorsCarryBytesOverTcpOrWithinTheProcess) {
  for (int kind : {NUVSocketConnector::Network, NUVSocketConnector::Local}) {
    NUVSocketConnector connector(0, 10, kind);
    EXPECT_EQ(connector.Accept(), nullptr) << "nothing to accept before Declare";
    ASSERT_EQ(connector.Declare(nullptr), 0);
    EXPECT_GT(connector.GetPort(), 0) << "port 0 picks a free port";
    NUVSockets reader(-1, nullptr);
    ASSERT_EQ(reader.Connect(connector.GetPort(), "127.0.0.1"), 0);
    std::unique_ptr<NUVSockets> writer(connector.Accept());
    ASSERT_TRUE(writer);
    Exchange(reader, *writer);
    writer.reset();
    ASSERT_EQ(reader.Wait(1000), 0) << "the peer's close is readable";
    char c;
    EXPECT_EQ(reader.BasicReceive(&c, 1, 0), 0);
  }
}

// A send that must not wait reports a full channel as 0 bytes sent and
// sends again once the reader made room.
TEST(Sockets, SendWithoutWaitingNeverBlocksOnAFullChannel) {
  NUVSocketConnector connector(0, 10, NUVSocketConnector::Local);
  ASSERT_EQ(connector.Declare(nullptr), 0);
  NUVSockets reader(-1, nullptr);
  ASSERT_EQ(reader.Connect(connector.GetPort(), nullptr), 0);
  std::unique_ptr<NUVSockets> writer(connector.Accept());
  ASSERT_EQ(writer->SetSendWithoutWaiting(true), 0);
  EXPECT_EQ(NUVSockets(-1, nullptr).SetSendWithoutWaiting(true), -1) << "no descriptor";
  static char block[4096];
  int sent = 0, n;
  while ((n = writer->BasicSend(block, sizeof block)) > 0) sent += n;
  EXPECT_EQ(n, 0) << "full: nothing sent, no failure";
  EXPECT_GT(sent, 0);
  for (int got = 0; got < static_cast<int>(sizeof block);) {
    ASSERT_GT(n = reader.BasicReceive(block, sizeof block - got, 0), 0);
    got += n;
  }
  EXPECT_EQ(writer->BasicSend("X", 1), 1) << "reading made room";
  writer.reset();
  EXPECT_EQ(reader.BasicSend("x", 1), -1) << "a broken pipe fails without a signal";
}
