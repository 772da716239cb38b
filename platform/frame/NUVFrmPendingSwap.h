// NUVFrmPendingSwap (internal to the platform layer): the buffer swap that a
// drawn viewer or viewer control reports on a later turn of the event loop,
// the way a real display reports that a frame reached the screen: at the
// next refresh tick of NUVDisplayRefresh (the first turn at or after it), or
// on the next turn when the rate is 0.
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

class NUVApplication;
class NUVCommand;

class NUVFrmPendingSwap {
 public:
  typedef void (*Deliver)(void* owner);

  NUVFrmPendingSwap(void* owner, Deliver deliver);
  ~NUVFrmPendingSwap();
  NUVFrmPendingSwap(const NUVFrmPendingSwap&) = delete;
  NUVFrmPendingSwap& operator=(const NUVFrmPendingSwap&) = delete;

  // Schedules the report on NUVApplication::MainApplication() when there is
  // one and automatic swaps are enabled process-wide and for this owner: at
  // the next refresh tick after now, or on the next turn at rate 0. At most
  // one report is pending: a draw while one is pending moves it to the tick
  // (or turn) after this draw. Returns 1 when a report is pending after the
  // call.
  int Schedule();
  void Cancel();
  int IsPending() const { return _Pending; }

  void SetEnabled(unsigned char enabled) { _Enabled = enabled; }

  // Process-wide switch, off until a host turns it on.
  static void EnableAll(unsigned char enabled);
  static unsigned char AreAllEnabled();

 private:
  static void OnTimeOut(NUVCommand* command, int id, void* data);
  // Registers the time-out that wakes `app`'s loop for _Tick; 1 when done.
  unsigned char Arm(NUVApplication* app, long long now, long long countsPerSecond);

  void* _pOwner;
  Deliver _pDeliver;
  NUVCommand* _pCommand;  // created on first schedule
  unsigned char _Pending;
  unsigned char _Enabled;
  unsigned char _Paced;  // waits for _Tick (else: the next turn)
  long long _Tick;       // performance-counter value the swap waits for
};

#endif
