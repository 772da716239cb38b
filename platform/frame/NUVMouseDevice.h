// NUVMouseDevice: the mouse as a viewer sees it: the button held, the cursor
// position in the viewer, the point of the event being handled, and the
// election of the manipulator under the cursor. Headless: hosts and tests
// set the button and position; the other operations are recorded.
//
//   int x = 0, y = 0;
//   viewer->GetMouseDevice().GetMousePosition(x, y);
//
// Threading: user-interface thread only.
#ifndef NUVMouseDevice_h
#define NUVMouseDevice_h

#include "NUVBaseUnknown.h"

class VPL_EXPORT NUVMouseDevice : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  NUVMouseDevice();
  ~NUVMouseDevice() override;
  NUVMouseDevice(const NUVMouseDevice&) = delete;
  NUVMouseDevice& operator=(const NUVMouseDevice&) = delete;

  // 0 when no button is held.
  virtual int GetPressedButton() const { return _PressedButton; }
  virtual void GetMousePosition(int& x, int& y) const {
    x = _X;
    y = _Y;
  }
  virtual void SetCurrentEventMousePoint(float x, float y);
  virtual void ElectionManipulator(int mode);

  // Host and test side.
  void SetPressedButton(int button) { _PressedButton = button; }
  void SetMousePosition(int x, int y) {
    _X = x;
    _Y = y;
  }
  float GetCurrentEventX() const { return _EventX; }
  float GetCurrentEventY() const { return _EventY; }
  int GetEventPointCount() const { return _EventPointCount; }
  int GetElectionCount() const { return _ElectionCount; }

 private:
  int _PressedButton;
  int _X;
  int _Y;
  float _EventX;
  float _EventY;
  int _EventPointCount;
  int _ElectionCount;
};

#endif
