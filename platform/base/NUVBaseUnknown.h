// NUVBaseUnknown: root of every platform and library object.
//
// Objects are reference counted: construction gives the creator one
// reference, AddRef adds one, Release gives one back and destroys the object
// at zero. QueryInterface finds an interface either on the object itself
// (its class derives from the interface) or through a TIE registered in the
// component dictionary for the object's class or one of its parents; a TIE is
// built once per object and interface and found again afterwards.
//
//   NUVISimAgentKeyFrame_var agent(object);  // QueryInterface + AddRef
//   if (agent) agent->Init();
//
// Threading: user-interface thread only; counts are not atomic.
#ifndef NUVBaseUnknown_h
#define NUVBaseUnknown_h

#include "NUVIID.h"
#include "NUVMetaClass.h"
#include "NUVResultCodes.h"
#include "VelloranPlatformExport.h"

struct NUVWeakBlock;
class NUVTieSet;

class VPL_EXPORT NUVBaseUnknown {
 public:
  NUVBaseUnknown();
  // A copy is a new object with its own single reference.
  NUVBaseUnknown(const NUVBaseUnknown&);
  NUVBaseUnknown& operator=(const NUVBaseUnknown&) { return *this; }
  virtual ~NUVBaseUnknown();

  virtual unsigned long AddRef();
  virtual unsigned long Release();
  // On success *out holds the interface with one reference for the caller.
  virtual long QueryInterface(const NUVIID& iid, void** out);

  static const NUVMetaClass* MetaObject();
  static const char* ClassName();
  static const NUVIID& ClassId();
  virtual const NUVMetaClass* GetMetaObject() const;
  virtual int IsA(const char* className) const;
  virtual int IsAKindOf(const char* className) const;

  // The implementation object: the object itself, or for a TIE the object it
  // forwards to.
  virtual NUVBaseUnknown* GetImpl(int = 0) { return this; }

  // The TIE of `iid` already built on this object, or null.
  NUVBaseUnknown* FindTie(const NUVIID& iid) const;
  // Adopts a new TIE; the object destroys it when it is destroyed itself.
  void AdoptTie(const NUVIID& iid, NUVBaseUnknown* tie);

  unsigned long GetRefCount() const { return _RefCount; }

  // Weak-reference control block, created on first request.
  NUVWeakBlock* GetWeakBlock();

  // Set by the callback registry when this object subscribes to an event, so
  // that its destruction removes its remaining subscriptions.
  void MarkSubscriber() { _Subscriber = 1; }

 private:
  static const NUVMetaClass* meta_object;
  unsigned long _RefCount;
  unsigned char _Subscriber;
  NUVWeakBlock* _pWeak;
  NUVTieSet* _pTies;
};

// Allocation used by creation functions: returns null instead of throwing
// when memory is exhausted.
template <class T, class... Args>
T* NUVNew(Args&&... args) {
  try {
    return new T(static_cast<Args&&>(args)...);
  } catch (...) {
    return nullptr;
  }
}

#endif
