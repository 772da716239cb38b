// NUVCommand: owner of event-loop registrations (time-outs and file
// descriptors). A command has a parent (usually the selector singleton) and a
// name; it is reference counted. RequestDelayedDestruction destroys it from a
// later turn of the loop, after the time-outs already pending, and drops
// whatever registrations it still owns when it goes.
//
//   NUVCommand* cmd = new NUVCommand(NUVCommandSelector::GetCommandSelectorInstance(), "Cmd");
//   app->AddTimeOut(0, cmd, data, &Handler);
//   cmd->RequestDelayedDestruction();
//
// Threading: user-interface thread only.
#ifndef NUVCommand_h
#define NUVCommand_h

#include <string>

#include "NUVBaseUnknown.h"

class VPL_EXPORT NUVCommand : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUVCommand(NUVCommand* parent = nullptr, const char* name = nullptr);
  ~NUVCommand() override;

  NUVCommand* GetFather() const { return _pParent; }
  const char* GetName() const { return _Name.c_str(); }

  // Releases the creation reference from a later turn of the main
  // application's loop; at once when there is no application.
  void RequestDelayedDestruction();

 private:
  NUVCommand* _pParent;
  std::string _Name;
  unsigned char _DestructionRequested;
};

#endif
