// PlayUnits: velloran-play's times in the user's time unit (--units). The
// unit is the user's setting in the platform; the label, the conversion and
// the number's text come from the library's unit services through the play
// command, as a panel of the application would show them.
//
//   if (!PlayUnits::SelectTimeUnit("ms")) ...;   // the user's setting
//   PlayUnits units(api);
//   std::string text = units.Time(1.5);           // "1500 ms"
//
// Threading: user-interface thread (the loop's).
#ifndef PlayUnits_h
#define PlayUnits_h

#include <string>

#include "PlayCommand.h"

class PlayUnits {
 public:
  // Makes `label` the user's time unit; false when the platform has no such
  // unit of time.
  static bool SelectTimeUnit(const std::string& label);

  // Reads the user's time unit once, through the play command.
  explicit PlayUnits(const PlayCommandApi* api);

  const std::string& Label() const { return _Label; }
  // How many of the unit make one second.
  double PerSecond() const { return _PerSecond; }
  // `seconds` in the unit, three decimals at most, with the label.
  std::string Time(double seconds) const;

 private:
  const PlayCommandApi* _pApi;
  std::string _Label = "s";
  double _PerSecond = 1;
};

#endif
