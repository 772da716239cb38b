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

 private:
  // Reads the environment once, when the library loads.
  friend void VelloranMessagingLoad();
  VELLORAN_INTERNAL static void ReadWakeUpSetting();

  NUVSimMessageQueue();
  virtual ~NUVSimMessageQueue();

  static void WakeUpHandler(NUVCommand* command, int idOrDescriptor, void* data);
  // Drains one pending wake-up byte, if any (socket wake-up only).
  void DrainOneWakeUp();
  // Takes the oldest message off the list and runs it.
  void ExecuteOldest(unsigned char flush);

  NUVListPtrNUVSimMessage _Messages;
  int _Descriptor;
  NUVCommand* _pCommand;
  NUVSocketConnector _Connector;
  NUVSockets _ReadingSocket;
  NUVSockets* _pWritingSocket;

  static NUVSimMessageQueue* _pSingleInstance;
};

#endif
