#include "NUVSimExecutionOptionsSettings.h"

#include <cmath>

namespace {

struct Settings {
  unsigned char synchronousRefresh = 1;
  unsigned char graphicsUpdates = 1;
  int updateRate = 1;
  float updateTime = 0.1f;
  unsigned char masterClock = 0;
  unsigned char realTime = 0;
  double realTimeFactor = 1.0;
  unsigned char adaptiveClockInterval = 0;
};

// Plain data with constant initialisation: usable from any static
// constructor and destroyed trivially.
Settings current;

unsigned char Flag(unsigned char on) { return on ? 1 : 0; }

NUVSimExecutionOptionsSettings::ReadObserver observer = nullptr;

inline void Seen(const char* setting) {
  if (observer) observer(setting);
}

}  // namespace

void NUVSimExecutionOptionsSettings::SetReadObserver(ReadObserver iObserver) {
  observer = iObserver;
}

unsigned char NUVSimExecutionOptionsSettings::GetSynchronousRefresh() { Seen("GetSynchronousRefresh");
  return current.synchronousRefresh; }
unsigned char NUVSimExecutionOptionsSettings::GetGraphicsUpdatesYesOrNo() { Seen("GetGraphicsUpdatesYesOrNo");
  return current.graphicsUpdates; }
int NUVSimExecutionOptionsSettings::GetUpdateRate() { Seen("GetUpdateRate");
  return current.updateRate; }
float NUVSimExecutionOptionsSettings::GetUpdateTime() { Seen("GetUpdateTime");
  return current.updateTime; }
unsigned char NUVSimExecutionOptionsSettings::GetMasterClockYesOrNo() { Seen("GetMasterClockYesOrNo");
  return current.masterClock; }
unsigned char NUVSimExecutionOptionsSettings::GetRealTimeYesOrNo() { Seen("GetRealTimeYesOrNo");
  return current.realTime; }
double NUVSimExecutionOptionsSettings::GetRealTimeFactor() { Seen("GetRealTimeFactor");
  return current.realTimeFactor; }
unsigned char NUVSimExecutionOptionsSettings::GetAdaptiveClockIntervalYesOrNo() {
  Seen("GetAdaptiveClockIntervalYesOrNo");
  return current.adaptiveClockInterval;
}

void NUVSimExecutionOptionsSettings::SetSynchronousRefresh(unsigned char iOn) {
  current.synchronousRefresh = Flag(iOn);
}
void NUVSimExecutionOptionsSettings::SetGraphicsUpdatesYesOrNo(unsigned char iOn) {
  current.graphicsUpdates = Flag(iOn);
}
long NUVSimExecutionOptionsSettings::SetUpdateRate(int iSteps) {
  if (iSteps < 1) return E_INVALIDARG;
  current.updateRate = iSteps;
  return S_OK;
}
long NUVSimExecutionOptionsSettings::SetUpdateTime(float iSeconds) {
  if (!std::isfinite(iSeconds) || iSeconds < 0.0f) return E_INVALIDARG;
  current.updateTime = iSeconds;
  return S_OK;
}
void NUVSimExecutionOptionsSettings::SetMasterClockYesOrNo(unsigned char iOn) {
  current.masterClock = Flag(iOn);
}
void NUVSimExecutionOptionsSettings::SetRealTimeYesOrNo(unsigned char iOn) { current.realTime = Flag(iOn); }
long NUVSimExecutionOptionsSettings::SetRealTimeFactor(double iFactor) {
  if (!std::isfinite(iFactor) || iFactor <= 0.0) return E_INVALIDARG;
  current.realTimeFactor = iFactor;
  return S_OK;
}
void NUVSimExecutionOptionsSettings::SetAdaptiveClockIntervalYesOrNo(unsigned char iOn) {
  current.adaptiveClockInterval = Flag(iOn);
}

void NUVSimExecutionOptionsSettings::ResetToDefaults() { current = Settings(); }
