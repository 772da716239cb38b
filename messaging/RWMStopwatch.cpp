#include "RWMStopwatch.h"

#include <cstdint>

namespace {

long long* Cell(void* item) { return static_cast<long long*>(item); }

// Largest double below 2^63: converting anything larger to long long would
// overflow.
const double kLongLongLimit = 9223372036854774784.0;

long long TruncateToLongLong(double value) {
  if (value >= kLongLongLimit) return INT64_MAX;
  if (value <= -kLongLongLimit) return INT64_MIN;
  return static_cast<long long>(value);
}

// Queries the counter's frequency; a failed query, or a frequency that is not
// positive, sets *noCounter. The flag is only ever set here, never cleared:
// timestamps already taken on the tick count would otherwise be read as
// counter values.
LARGE_INTEGER QueryFrequency(bool* noCounter) {
  LARGE_INTEGER frequency;
  frequency.QuadPart = 0;
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) *noCounter = true;
  return frequency;
}

bool initialUsingTickCount = false;

}  // namespace

// The counter is queried once when the library loads so that the class-wide
// values are consistent before any stopwatch exists.
LARGE_INTEGER RWMStopwatch::_Frequency = QueryFrequency(&initialUsingTickCount);
bool RWMStopwatch::_UsingGetTickCount = initialUsingTickCount;

RWMStopwatch::RWMStopwatch() { _Frequency = QueryFrequency(&_UsingGetTickCount); }

RWMStopwatch::~RWMStopwatch() {
  while (depth() > 0) reset();
}

RWMStopwatch::RWMStopwatch(const RWMStopwatch& other) { CopyFrom(other); }

RWMStopwatch& RWMStopwatch::operator=(const RWMStopwatch& other) {
  if (this != &other) {
    while (depth() > 0) reset();
    CopyFrom(other);
  }
  return *this;
}

void RWMStopwatch::CopyFrom(const RWMStopwatch& other) {
  for (int position = 1; position <= other._Starts.Size(); ++position) {
    _Starts.Append(new long long(*Cell(other._Starts[position])));
  }
  if (other._Stop.Size() > 0) _Stop.Append(new long long(*Cell(other._Stop[1])));
}

long long RWMStopwatch::Now() {
  if (_UsingGetTickCount) return static_cast<long long>(GetTickCount());
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

long long RWMStopwatch::Elapsed(long long from, long long to) {
  if (_UsingGetTickCount) {
    // Unsigned 32-bit subtraction: right across one wrap of the tick count.
    return static_cast<long long>(static_cast<DWORD>(static_cast<DWORD>(to) -
                                                     static_cast<DWORD>(from)));
  }
  // Unsigned 64-bit subtraction cannot overflow; the result is the signed
  // difference whenever that fits.
  return static_cast<long long>(static_cast<uint64_t>(to) - static_cast<uint64_t>(from));
}

long long RWMStopwatch::End() const { return _Stop.Size() > 0 ? *Cell(_Stop[1]) : Now(); }

void RWMStopwatch::start() {
  // The time is taken first so that the bookkeeping below is not measured.
  long long now = Now();
  if (_Stop.Size() > 0) reset();
  _Starts.Append(new long long(now));
}

void RWMStopwatch::stop() {
  if (!isRunning()) return;
  _Stop.Append(new long long(Now()));
}

void RWMStopwatch::reset() {
  if (_Stop.Size() > 0) {
    delete Cell(_Stop[1]);
    _Stop.RemoveAll();
  }
  int innermost = _Starts.Size();
  if (innermost >= 1) {
    delete Cell(_Starts[innermost]);
    _Starts.RemovePosition(innermost);
  }
}

double RWMStopwatch::read() const {
  int innermost = _Starts.Size();
  if (innermost == 0) return 0.0;
  long long counts = Elapsed(*Cell(_Starts[innermost]), End());
  if (_UsingGetTickCount) return static_cast<double>(counts) / 1000.0;
  return static_cast<double>(counts) / static_cast<double>(_Frequency.QuadPart);
}

long long RWMStopwatch::readMicro() const {
  int innermost = _Starts.Size();
  if (innermost == 0) return 0;
  long long counts = Elapsed(*Cell(_Starts[innermost]), End());
  if (_UsingGetTickCount) return TruncateToLongLong(static_cast<double>(counts) * 1000.0);
  return TruncateToLongLong(static_cast<double>(counts) /
                            static_cast<double>(_Frequency.QuadPart) * 1000000.0);
}

bool RWMStopwatch::isRunning() const { return _Stop.Size() == 0 && _Starts.Size() >= 1; }

int RWMStopwatch::depth() const { return _Starts.Size(); }

double RWMStopwatch::GetResolution() {
  if (_UsingGetTickCount) return 0.001;
  return 1.0 / static_cast<double>(_Frequency.QuadPart);
}

int RWMStopwatch::GetResolutionMicro() {
  if (_UsingGetTickCount) return 1000;
  return static_cast<int>(1000000 / _Frequency.QuadPart);
}
