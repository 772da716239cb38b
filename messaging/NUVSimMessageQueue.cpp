#include "NUVSimMessageQueue.h"

#include <new>

#include "NUVApplication.h"
#include "NUVCommandSelector.h"
#include "NUVGetEnvValue.h"
#include "NUVSimMessage.h"
#include "NUVSimVizServices.h"

NUVSimMessageQueue* NUVSimMessageQueue::_pSingleInstance = nullptr;

namespace {
// Fixed for the process when the library loads.
bool g_SocketWakeUp = true;
}  // namespace

void NUVSimMessageQueue::ReadWakeUpSetting() {
  g_SocketWakeUp = NUVGetEnvValue("PLMSIM_MESSAGEQUEUE_TIMER") != 0;
}

bool NUVSimMessageQueue::UsesSocketWakeUp() { return g_SocketWakeUp; }

NUVSimMessageQueue* NUVSimMessageQueue::GetInstance() {
  if (!_pSingleInstance) _pSingleInstance = new (std::nothrow) NUVSimMessageQueue;
  return _pSingleInstance;
}

long NUVSimMessageQueue::DeleteMessageQueueInstance() {
  if (_pSingleInstance) {
    NUVSimMessageQueue* queue = _pSingleInstance;
    _pSingleInstance = nullptr;
    delete queue;
  }
  return S_OK;
}

NUVSimMessageQueue::NUVSimMessageQueue()
    : _Descriptor(0),
      _pCommand(nullptr),
      _Connector(0, 10, 2),
      _ReadingSocket(-1, nullptr),
      _pWritingSocket(nullptr),
      _UnsentWakeUps(0) {
  _Messages.RemoveAll();
  // Replays that synchronise the display run messages from viewer updates.
  if (NUVSimVizServices::IsKTRReplaySynced()) return;
  NUVApplication* app = NUVApplication::MainApplication();
  if (!app) return;
  _pCommand = new NUVCommand(NUVCommandSelector::GetCommandSelectorInstance(),
                             "NUVSimMessageQueueCommand");
  if (g_SocketWakeUp) {
    _Connector.Declare(nullptr);
    _ReadingSocket.Connect(_Connector.GetPort(), nullptr);
    _pWritingSocket = _Connector.Accept();
    // A full channel must not block the poster: see _UnsentWakeUps.
    if (_pWritingSocket) _pWritingSocket->SetSendWithoutWaiting(true);
    _Descriptor = _ReadingSocket.GetHandler();
    app->AddFileDescriptor(_Descriptor, _pCommand, this, &WakeUpHandler);
  }
}

NUVSimMessageQueue::~NUVSimMessageQueue() {
  // Queued messages are dropped unexecuted; the queue's references go back.
  for (int i = 1; i <= _Messages.Size(); ++i) {
    if (NUVSimMessage* message = _Messages[i]) message->Release();
  }
  _Messages.RemoveAll();
  if (_pCommand) {
    if (g_SocketWakeUp) {
      if (NUVApplication* app = NUVApplication::MainApplication()) {
        app->RemoveFileDescriptor(_Descriptor, _pCommand);
      }
      _ReadingSocket.Close();
      if (_pWritingSocket) {
        _pWritingSocket->Close();
        delete _pWritingSocket;
      }
      _pWritingSocket = nullptr;
    }
    _pCommand->RequestDelayedDestruction();
  }
  _pCommand = nullptr;
}

void NUVSimMessageQueue::AddMessage(NUVSimMessage* message) {
  if (!message) return;
  _Messages.Append(message);
  message->AddRef();
  if (!_pCommand) return;
  if (g_SocketWakeUp) {
    // Once one wake-up is owed the channel is full: do not try again.
    if (_pWritingSocket && (_UnsentWakeUps > 0 || !SendOneWakeUp())) ++_UnsentWakeUps;
  } else if (NUVApplication* app = NUVApplication::MainApplication()) {
    app->AddTimeOut(0, _pCommand, this, &WakeUpHandler);
  }
}

void NUVSimMessageQueue::WakeUpHandler(NUVCommand*, int, void*) {
  if (NUVSimMessageQueue* queue = GetInstance()) queue->ExecuteMessage(0);
}

bool NUVSimMessageQueue::SendOneWakeUp() {
  static const char wakeUp = 'X';
  return _pWritingSocket->BasicSend(&wakeUp, 1) == 1;
}

void NUVSimMessageQueue::DrainOneWakeUp() {
  if (!g_SocketWakeUp) return;
  if (_ReadingSocket.Wait(0) == 0) {
    char scratch;
    if (_ReadingSocket.BasicReceive(&scratch, 1, 0) == 1 && _UnsentWakeUps > 0 &&
        SendOneWakeUp()) {
      --_UnsentWakeUps;  // the byte just read made room for one owed
    }
  } else if (_UnsentWakeUps > 0) {
    --_UnsentWakeUps;  // a channel that lost its bytes: an owed one is the unit
  }
}

void NUVSimMessageQueue::ExecuteOldest(unsigned char flush) {
  // Off the list before it runs: it may post itself again from Execute.
  NUVSimMessage* message = _Messages[1];
  _Messages.RemovePosition(1);
  if (message) {
    message->Execute(flush);
    message->Release();
  }
}

void NUVSimMessageQueue::ExecuteMessage(unsigned char flush) {
  DrainOneWakeUp();
  if (_Messages.Size() == 0) return;
  ExecuteOldest(flush);
}

void NUVSimMessageQueue::EmptyQueue() {
  while (_Messages.Size() != 0) {
    DrainOneWakeUp();
    if (_Messages.Size() == 0) return;
    ExecuteOldest(1);
    if (_pSingleInstance != this) return;  // a message deleted the queue
  }
}

void NUVSimMessageQueue::DeleteForUnload() {
  DeleteMessageQueueInstance();
  if (NUVApplication* app = NUVApplication::MainApplication()) {
    app->RemoveRegistrationsWithHandler(&WakeUpHandler);
  }
}
