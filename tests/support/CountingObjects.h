// Test doubles for the object model: an interface, an implementation that
// counts its instances, and a TIE exposing the interface on it.
#ifndef CountingObjects_h
#define CountingObjects_h

#include "NUVBaseUnknown.h"
#include "NUVTie.h"
#include "NUVVar.h"

// An interface the implementation does not derive from.
class TestIGreeter : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  virtual int Greet(int times) = 0;
};
typedef NUVVar<TestIGreeter> TestIGreeter_var;

// An interface the implementation derives from directly.
class TestIDirect : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  virtual int Answer() = 0;
};
typedef NUVVar<TestIDirect> TestIDirect_var;

class TestCounted : public TestIDirect {
  NUV_DECLARE_CLASS
 public:
  TestCounted() { ++Live(); }
  ~TestCounted() override { --Live(); }
  int Answer() override { return 42; }
  int greetings = 0;
  static int& Live();
};

class TestCountedChild : public TestCounted {
  NUV_DECLARE_CLASS
};

class TestTieGreeter : public NUVTie<TestIGreeter, TestCounted> {
  NUV_DECLARE_CLASS
 public:
  using NUVTie::NUVTie;
  int Greet(int times) override { return Impl()->greetings += times; }
  static int& Built();
};

// Registers the TIE of TestIGreeter for TestCounted under the library
// "Tests", and a creation function "TestCounted"; Unregister undoes it.
void RegisterTestClasses();
void UnregisterTestClasses();

#endif
