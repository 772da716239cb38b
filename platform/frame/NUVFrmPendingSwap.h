// NUVFrmPendingSwap (internal to the platform layer): the buffer swap that a
// drawn viewer or viewer control reports on a later turn of the event loop,
// the way a real display reports that a frame reached the screen.
//
//   _PendingSwap.Schedule();     // from a draw; at most one swap pending
//   _PendingSwap.Cancel();       // a swap delivered by hand, or destruction
//
// The time-out is owned by a command of the pending swap, so cancelling (and
// destroying the owner) removes exactly this time-out from the loop and a
// destroyed owner is never called back.
//
// Threading: user-interface thread only.
#ifndef NUVFrmPendingSwap_h
#define NUVFrmPendingSwap_h

class NUVCommand;

class NUVFrmPendingSwap {
 public:
  typedef void (*Deliver)(void* owner);

  NUVFrmPendingSwap(void* owner, Deliver deliver);
  ~NUVFrmPendingSwap();
  NUVFrmPendingSwap(const NUVFrmPendingSwap&) = delete;
  NUVFrmPendingSwap& operator=(const NUVFrmPendingSwap&) = delete;

  // Schedules the report on the next turn of NUVApplication::MainApplication()
  // when there is one and automatic swaps are enabled process-wide and for
  // this owner. At most one report is pending: a draw while one is pending
  // moves it to the turn after this draw. Returns 1 when a report is
  // pending after the call.
  int Schedule();
  void Cancel();
  int IsPending() const { return _Pending; }

  void SetEnabled(unsigned char enabled) { _Enabled = enabled; }
  unsigned char IsEnabled() const { return _Enabled; }

  // Process-wide switch, off until a host turns it on.
  static void EnableAll(unsigned char enabled);
  static unsigned char AreAllEnabled();

 private:
  static void OnTimeOut(NUVCommand* command, int id, void* data);

  void* _pOwner;
  Deliver _pDeliver;
  NUVCommand* _pCommand;  // created on first schedule
  unsigned char _Pending;
  unsigned char _Enabled;
};

#endif
