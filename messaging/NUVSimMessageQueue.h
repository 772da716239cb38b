// NUVSimMessageQueue: the one process-wide first-in first-out queue of posted
// messages.
//
//   NUVSimMessageQueue::GetInstance()->AddMessage(message);  // what Post does
//   NUVSimMessageQueue::DeleteMessageQueueInstance();          // at shut-down
//
// Each added message wakes the event loop once, and each wake-up executes
// the oldest message, so messages run one per turn of the loop, in posting
// order. The wake-up is a byte through a connected local socket pair whose
// reading end the loop watches, or, when the environment variable
// "PLMSIM_MESSAGEQUEUE_TIMER" is defined when the library loads, a zero
// time-out per message. A queue built under record/replay synchronisation or
// without an interactive application never wakes the loop: its messages wait
// for an explicit ExecuteMessage or EmptyQueue.
//
// While queued, a message is held by one reference of the queue.
//
// Posting never blocks and costs constant time, however many messages wait:
// - The list pops its front in constant time.
// - The socket pair's writing end never waits. The channel holds a bounded
//   number of bytes (65,536 for the in-process link); a wake-up that finds
//   it full is owed instead: _UnsentWakeUps counts them, and while any is
//   owed no post tries to write. Each unit drained by ExecuteMessage (one
//   byte read) tries to write one owed byte back; a write the channel still
//   refuses (a TCP channel may free its room in larger steps) leaves it
//   owed. So bytes in the channel plus wake-ups owed always equal the
//   wake-ups not yet served; the channel stays nearly full while any is
//   owed, the loop keeps waking, and each posted message still gets a turn
//   of its own, in posting order.
// - A zero time-out is a constant-time append to the loop's turn list.
//
// Unloading the library (VelloranMessagingUnload) deletes the queue and
// drops every loop registration served by the wake-up handler, also those a
// queue deleted earlier left pending: nothing of the library's code stays
// reachable from the host's loop. DeleteMessageQueueInstance alone leaves
// pending zero time-outs in place; while the library is loaded, a late one
// finds a new, empty queue.
//
// Threading: user-interface thread only; the socket pair only signals within
// that thread.
#ifndef NUVSimMessageQueue_h
#define NUVSimMessageQueue_h

#include "NUVListPtrNUVSimMessage.h"
#include "NUVSocketConnector.h"
#include "NUVSockets.h"
#include "VelloranExport.h"

class NUVCommand;
class NUVSimMessage;
void VelloranMessagingLoad();
void VelloranMessagingUnload();

class VELLORAN_EXPORT NUVSimMessageQueue {
 public:
  // The queue, built on the first call; null only when it cannot be allocated.
  static NUVSimMessageQueue* GetInstance();
  // Destroys the queue if there is one; queued messages are dropped without
  // being executed. Always 0.
  static long DeleteMessageQueueInstance();

  // Queues a message (null: ignored) and wakes the event loop once.
  void AddMessage(NUVSimMessage* message);
  // Executes the oldest message, if any, with the given flush argument.
  void ExecuteMessage(unsigned char flush);
  // Executes every message with flush true, including those posted meanwhile.
  void EmptyQueue();

  NUVSimMessageQueue(const NUVSimMessageQueue&) = delete;
  NUVSimMessageQueue& operator=(const NUVSimMessageQueue&) = delete;

  // The wake-up chosen when the library loaded: true for the socket pair,
  // false for zero time-outs ("PLMSIM_MESSAGEQUEUE_TIMER" defined).
  static bool UsesSocketWakeUp();
  // Number of queued messages.
  int Size() const { return _Messages.Size(); }
  // Wake-ups owed because the socket channel was full (socket wake-up only).
  long long UnsentWakeUps() const { return _UnsentWakeUps; }

 private:
  // Reads the environment once, when the library loads.
  friend void VelloranMessagingLoad();
void VelloranMessagingUnload();
  friend void VelloranMessagingUnload();
  VELLORAN_INTERNAL static void ReadWakeUpSetting();
  // Deletes the queue and drops every loop registration of the wake-up
  // handler, before the library's code goes away.
  VELLORAN_INTERNAL static void DeleteForUnload();

  NUVSimMessageQueue();
  virtual ~NUVSimMessageQueue();

  static void WakeUpHandler(NUVCommand* command, int idOrDescriptor, void* data);
  // Drains one pending wake-up unit (socket wake-up only): a byte, which
  // makes room to write one owed byte back, or, without a byte, an owed one.
  void DrainOneWakeUp();
  // Writes one wake-up byte; false when the channel is full or failed.
  bool SendOneWakeUp();
  // Takes the oldest message off the list and runs it.
  void ExecuteOldest(unsigned char flush);

  NUVListPtrNUVSimMessage _Messages;
  int _Descriptor;
  NUVCommand* _pCommand;
  NUVSocketConnector _Connector;
  NUVSockets _ReadingSocket;
  NUVSockets* _pWritingSocket;
  long long _UnsentWakeUps;

  static NUVSimMessageQueue* _pSingleInstance;
};

#endif
