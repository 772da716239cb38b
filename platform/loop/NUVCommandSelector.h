// NUVCommandSelector: the root of the command tree, the parent given to
// free-standing commands such as the message queue's.
//
//   new NUVCommand(NUVCommandSelector::GetCommandSelectorInstance(), "Cmd");
//
// Threading: user-interface thread only.
#ifndef NUVCommandSelector_h
#define NUVCommandSelector_h

#include "NUVCommand.h"

class VPL_EXPORT NUVCommandSelector : public NUVCommand {
  NUV_DECLARE_CLASS
 public:
  // Created on first call, lives for the process.
  static NUVCommandSelector* GetCommandSelectorInstance();

 private:
  NUVCommandSelector();
};

#endif
