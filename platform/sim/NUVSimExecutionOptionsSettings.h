// NUVSimExecutionOptionsSettings: the user's simulation execution settings,
// which the redraw pacing reads at every step. Each getter answers the
// current setting; setters take effect at the next read.
//
//   if (NUVSimExecutionOptionsSettings::GetSynchronousRefresh())
//     rate = NUVSimExecutionOptionsSettings::GetUpdateRate();
//
// Defaults (also what ResetToDefaults restores):
//   synchronous refresh     on   (redraw every update-rate steps)
//   graphics updates        on
//   update rate             1    (steps between redraws)
//   update time             0.1  (seconds between timed refreshes)
//   master clock            off
//   real time               off
//   real-time factor        1.0
//   adaptive clock interval off
// Booleans are unsigned char, zero meaning false.
//
// As the settings panel does, the setters of numbers refuse a value out of
// range with E_INVALIDARG and keep the previous value, so that readers never
// meet one: the update rate must be at least 1 step, the update time finite
// and not negative (0: refresh whenever any time has passed), the real-time
// factor finite and positive. They answer S_OK otherwise.
// Threading: user-interface thread only.
#ifndef NUVSimExecutionOptionsSettings_h
#define NUVSimExecutionOptionsSettings_h

#include "NUVResultCodes.h"
#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVSimExecutionOptionsSettings {
 public:
  static unsigned char GetSynchronousRefresh();
  static unsigned char GetGraphicsUpdatesYesOrNo();
  static int GetUpdateRate();
  static float GetUpdateTime();
  static unsigned char GetMasterClockYesOrNo();
  static unsigned char GetRealTimeYesOrNo();
  static double GetRealTimeFactor();
  static unsigned char GetAdaptiveClockIntervalYesOrNo();

  static void SetSynchronousRefresh(unsigned char iOn);
  static void SetGraphicsUpdatesYesOrNo(unsigned char iOn);
  static long SetUpdateRate(int iSteps);
  static long SetUpdateTime(float iSeconds);
  static void SetMasterClockYesOrNo(unsigned char iOn);
  static void SetRealTimeYesOrNo(unsigned char iOn);
  static long SetRealTimeFactor(double iFactor);
  static void SetAdaptiveClockIntervalYesOrNo(unsigned char iOn);

  static void ResetToDefaults();

  // For tests: called with the getter's name (for instance
  // "GetUpdateRate") at every read, in the order of the reads; null: none.
  typedef void (*ReadObserver)(const char* setting);
  static void SetReadObserver(ReadObserver observer);
};

#endif
