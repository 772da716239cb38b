// NUVVar<I>: the handle on an interface, holding one reference.
//
// Built from an object, it queries the interface and holds it, or is null
// when the object lacks it. Copies add a reference, destruction releases, and
// using a null handle with -> raises NUVNullVarError (ThrowErrorNullVar).
// Every interface has its handle type: `typedef NUVVar<NUVIFoo> NUVIFoo_var;`
//
//   NUVISimAgentKeyFrame_var agent(object);   // query and hold
//   if (!!agent) agent->Init();
//
// Threading: user-interface thread only.
#ifndef NUVVar_h
#define NUVVar_h

#include <type_traits>

#include "NUVBaseUnknown.h"
#include "NUVNullVarError.h"

template <class I>
class NUVVar {
 public:
  NUVVar() : _p(nullptr) {}
  NUVVar(std::nullptr_t) : _p(nullptr) {}
  // Queries I on `object` (any interface or implementation of it).
  NUVVar(NUVBaseUnknown* object) : _p(Query(object)) {}
  NUVVar(const NUVVar& other) : _p(other._p) {
    if (_p) _p->AddRef();
  }
  NUVVar(NUVVar&& other) noexcept : _p(other._p) { other._p = nullptr; }
  template <class J, class = std::enable_if_t<!std::is_same<I, J>::value>>
  NUVVar(const NUVVar<J>& other) : _p(Query(other.get())) {}
  ~NUVVar() {
    if (_p) _p->Release();
  }

  NUVVar& operator=(const NUVVar& other) {
    Reset(other._p, true);
    return *this;
  }
  NUVVar& operator=(NUVVar&& other) noexcept {
    if (this != &other) {
      I* old = _p;
      _p = other._p;
      other._p = nullptr;
      if (old) old->Release();
    }
    return *this;
  }
  NUVVar& operator=(NUVBaseUnknown* object) {
    I* queried = Query(object);
    I* old = _p;
    _p = queried;
    if (old) old->Release();
    return *this;
  }
  NUVVar& operator=(std::nullptr_t) {
    Reset(nullptr, false);
    return *this;
  }

  I* operator->() const {
    if (!_p) ThrowErrorNullVar();
    return _p;
  }
  I& operator*() const {
    if (!_p) ThrowErrorNullVar();
    return *_p;
  }
  operator I*() const { return _p; }
  I* get() const { return _p; }
  bool operator!() const { return _p == nullptr; }
  explicit operator bool() const { return _p != nullptr; }

  // Takes over a reference the caller already owns (no AddRef).
  void Attach(I* p) { Reset(p, false); }
  // Gives the held reference to the caller.
  I* Detach() {
    I* p = _p;
    _p = nullptr;
    return p;
  }

 private:
  static I* Query(NUVBaseUnknown* object) {
    if (!object) return nullptr;
    if constexpr (std::is_same<I, NUVBaseUnknown>::value) {
      object->AddRef();
      return object;
    } else {
      void* out = nullptr;
      if (object->QueryInterface(I::ClassId(), &out) < 0) return nullptr;
      return static_cast<I*>(static_cast<NUVBaseUnknown*>(out));
    }
  }
  void Reset(I* p, bool addRef) {
    if (p && addRef) p->AddRef();
    I* old = _p;
    _p = p;
    if (old) old->Release();
  }

  I* _p;
};

template <class I, class J>
bool operator==(const NUVVar<I>& a, const NUVVar<J>& b) {
  return static_cast<const void*>(a.get()) == static_cast<const void*>(b.get());
}

#endif
