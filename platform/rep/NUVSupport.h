// NUVSupport: the drawing surface a render draws on: its size in pixels and
// the device behind it (a window's context; null for an off-screen
// measurement, which is all the platform draws today).
//
//   NUVSupport support(100, 100, nullptr);
//   NUV3DBoundingBoxRender render(support, NUVMathTransformation());
//
// Threading: user-interface thread only.
#ifndef NUVSupport_h
#define NUVSupport_h

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVSupport {
 public:
  NUVSupport(int width, int height, void* device)
      : _Width(width), _Height(height), _pDevice(device) {}

  int GetWidth() const { return _Width; }
  int GetHeight() const { return _Height; }
  void* GetDevice() const { return _pDevice; }

 private:
  int _Width;
  int _Height;
  void* _pDevice;
};

#endif
