// The host's keyboard: when standard input is a terminal, each key typed
// during play becomes input messages of the thread's input queue
// (WM_KEYDOWN, WM_CHAR, WM_KEYUP), as a window system would deliver them, so
// that the library's input poll sees the user's key and ends a long
// negotiated-time run. 'q' or Escape also asks the host to stop play.
// The terminal is put back as it was when the object goes, or on Ctrl-C.
//
//   TerminalInput keys(app);
//   ... app.RunOneTurn(); keys.Pump(); if (keys.QuitRequested()) stop();
//
// Threading: user-interface thread only.
#ifndef TerminalInput_h
#define TerminalInput_h

class NUVApplication;
class NUVCommand;

class TerminalInput {
 public:
  explicit TerminalInput(NUVApplication& app);
  ~TerminalInput();
  TerminalInput(const TerminalInput&) = delete;
  TerminalInput& operator=(const TerminalInput&) = delete;

  bool Active() const { return _Active; }
  bool QuitRequested() const { return _Quit; }
  int KeysTyped() const { return _Keys; }
  // The application's message pump: takes the waiting input messages off
  // the queue once everything in the turn had a chance to see them.
  void Pump();

 private:
  static void OnReadable(NUVCommand* command, int descriptor, void* data);

  NUVApplication& _App;
  bool _Active = false;
  bool _Quit = false;
  int _Keys = 0;
};

#endif
