// NUVSimComputeMessage: the message that advances a simulation by one
// controller iteration (key frames) or one run of up to 1000 iterations
// (negotiated time), executed from the event loop.
//
//   auto* compute = new NUVSimComputeMessage(NUVISimControllerKeyFrame_var(controller));
//   compute->Post();   // asks the controller whether play goes on, then queues
//
// Post asks the controller's continue query first and posts nothing when play
// is over: the play loop ends there. ForcePost makes the next Post skip that
// question once. A negotiated-time run stops early on the controller's
// finished answer, on a status that is a non-zero multiple of 100, or as soon
// as the user presses a key or a mouse button.
//
// The message holds one reference on its controller.
//
// Threading: user-interface thread only. The event loop does not turn during
// a negotiated-time run; input is polled between iterations.
#ifndef NUVSimComputeMessage_h
#define NUVSimComputeMessage_h

#include "NUVISimControllerKeyFrame.h"
#include "NUVISimControllerNegociatedTime.h"
#include "NUVSimMessage.h"
#include "VelloranExport.h"

class VELLORAN_EXPORT NUVSimComputeMessage : public NUVSimMessage {
  NUV_DECLARE_CLASS
 public:
  // The most iterations one negotiated-time execution runs.
  static const int MaxIterationsPerRun = 1000;

  explicit NUVSimComputeMessage(NUVISimControllerKeyFrame_var controller);
  explicit NUVSimComputeMessage(NUVISimControllerNegociatedTime_var controller);
  ~NUVSimComputeMessage() override;

  void Post() override;
  void Execute(unsigned char flush) override;
  // The next Post on the idle message posts without asking the controller.
  virtual void ForcePost();

  unsigned char IsForced() const { return _Forced; }

  static NUVBaseUnknown* CreateItself() { return nullptr; }

 private:
  NUVISimControllerKeyFrame_var _KeyFrameController;
  NUVISimControllerNegociatedTime_var _NegociatedTimeController;
  unsigned char _Forced;
};

#endif
