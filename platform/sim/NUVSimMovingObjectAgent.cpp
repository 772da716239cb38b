#include "NUVSimMovingObjectAgent.h"

#include <algorithm>
#include <cmath>

#include "NUVHostClock.h"

NUV_IMPLEMENT_CLASS(NUVSimMovingObjectAgent, NUVSimBasicAgent, "VelloranPlatform")

NUVSimMovingObjectAgent::NUVSimMovingObjectAgent() = default;

NUVSimMovingObjectAgent::~NUVSimMovingObjectAgent() = default;

void NUVSimMovingObjectAgent::AddWayPoint(const NUVSimValue& iAt, double iX, double iY,
                                          double iZ) {
  _Spacing = NUVSimValue();
  auto before = [](const WayPoint& w, const NUVSimValue& v) { return w.at < v; };
  // Appending in order, the usual way to build a path, costs constant time.
  auto it = _Path.empty() || _Path.back().at < iAt
                ? _Path.end()
                : std::lower_bound(_Path.begin(), _Path.end(), iAt, before);
  if (it != _Path.end() && it->at == iAt) {
    *it = {iAt, iX, iY, iZ};
  } else {
    _Path.insert(it, {iAt, iX, iY, iZ});
  }
  _Cursor = 0;
}

void NUVSimMovingObjectAgent::SetRegularPath(const NUVSimValue& iSpacing, const NUVSimValue& iEnd,
                                             double dx, double y, double dy, double dz) {
  if (!(NUVSimValue() < iSpacing)) return;
  _Path.clear();
  _Cursor = 0;
  _Spacing = iSpacing;
  _End = iEnd;
  _Dx = dx, _Y0 = y, _Dy = dy, _Dz = dz;
}

int NUVSimMovingObjectAgent::CountWayPoints() const {
  if (!(NUVSimValue() < _Spacing)) return static_cast<int>(_Path.size());
  // Way points at 0, spacing, ... up to the end, and one at the end.
  const NUVSimValue inner = _End / _Spacing;
  const long long n = inner.GetWholePart() + 1 + (inner.GetFinePart() ? 1 : 0);
  return n > 0x7fffffff ? 0x7fffffff : static_cast<int>(n);
}

NUVSimMovingObjectAgent::WayPoint NUVSimMovingObjectAgent::RegularPoint(long long k) const {
  NUVSimValue at = _Spacing * NUVSimValue(static_cast<double>(k));
  const double kd = static_cast<double>(k);
  if (_End < at) at = _End;
  return {at, kd * _Dx, _Y0 + ((k & 1) ? _Dy : 0.0), kd * _Dz};
}

void NUVSimMovingObjectAgent::GetPosition(double& oX, double& oY, double& oZ) const {
  oX = _X;
  oY = _Y;
  oZ = _Z;
}

double NUVSimMovingObjectAgent::StepCost(int steps) const {
  if (_FirstCost <= 0) return 0;
  return std::min(_FirstCost * std::pow(_CostGrowth, steps), 200000.0) * 1e-6;
}

long NUVSimMovingObjectAgent::Compute() {
  NUVHostClock::Spend(StepCost(GetStepCount()));
  MoveTo(GetCurrent());
  return S_OK;
}

void NUVSimMovingObjectAgent::MoveTo(const NUVSimValue& at) {
  WayPoint a, b;
  if (NUVSimValue() < _Spacing) {
    if (at <= NUVSimValue()) {
      a = b = RegularPoint(0);
    } else if (_End <= at) {
      const NUVSimValue inner = _End / _Spacing;
      a = b = RegularPoint(inner.GetWholePart() + (inner.GetFinePart() ? 1 : 0));
    } else {
      // The quotient's whole part is exactly the index of the way point at
      // or before `at`.
      const long long k = (at / _Spacing).GetWholePart();
      a = RegularPoint(k);
      b = RegularPoint(k + 1);
    }
  } else {
    if (_Path.empty()) return;
    if (at <= _Path.front().at) {
      a = b = _Path.front();
    } else if (_Path.back().at <= at) {
      a = b = _Path.back();
    } else {
      // Play moves forward: start from the segment found last time.
      if (_Cursor == 0 || _Cursor >= _Path.size() || at <= _Path[_Cursor - 1].at) _Cursor = 1;
      while (_Path[_Cursor].at < at) ++_Cursor;
      a = _Path[_Cursor - 1];
      b = _Path[_Cursor];
    }
  }
  // The fraction along the segment, from exact differences.
  const double span = (b.at - a.at).GetValue();
  const double t = span > 0 ? (at - a.at).GetValue() / span : 1.0;
  _X = a.x + (b.x - a.x) * t;
  _Y = a.y + (b.y - a.y) * t;
  _Z = a.z + (b.z - a.z) * t;
}

bool NUVSimMovingObjectAgent::NextWayPoint(const NUVSimValue& at, WayPoint& oNext) {
  if (NUVSimValue() < _Spacing) {
    if (_End <= at) return false;
    const long long k = at < NUVSimValue() ? 0 : (at / _Spacing).GetWholePart() + 1;
    oNext = RegularPoint(k);
    return true;
  }
  if (_Path.empty() || _Path.back().at <= at) return false;
  if (_Cursor >= _Path.size() || (_Cursor > 0 && at < _Path[_Cursor - 1].at)) _Cursor = 0;
  while (_Path[_Cursor].at <= at) ++_Cursor;
  oNext = _Path[_Cursor];
  return true;
}

long NUVSimMovingObjectAgent::GetNextProposedValue(NUVSimValue& oValue) {
  WayPoint next;
  oValue = NextWayPoint(GetCurrent(), next) ? next.at : NUVSimValue(-1.0);
  return S_OK;
}
