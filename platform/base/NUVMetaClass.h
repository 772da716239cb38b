// NUVMetaClass: the run-time description of a class, an interface or a TIE.
//
// Each class declares its meta class lazily, on the first call of its static
// MetaObject(), and caches it in its static `meta_object`. A meta class names
// its class, its parent meta class (null for the root), an extended class
// ("NUVNull" when none) and the library that declared it.
//
//   const NUVMetaClass* meta = NUVSimMessage::MetaObject();
//   meta->IsAKindOf("NUVBaseUnknown");   // true: walks the parents
//
// Threading: user-interface thread only.
#ifndef NUVMetaClass_h
#define NUVMetaClass_h

#include "NUVIID.h"
#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVMetaClass {
 public:
  enum Kind { Implementation = 0, Interface = 1, Tie = 2 };

  NUVMetaClass(const char* className, const NUVMetaClass* parent, const char* extendedName,
               const char* libraryName, Kind kind = Implementation);

  NUVMetaClass(const NUVMetaClass&) = delete;
  NUVMetaClass& operator=(const NUVMetaClass&) = delete;

  const char* GetClassName() const { return _ClassName; }
  const NUVMetaClass* GetParent() const { return _pParent; }
  const char* GetExtendedName() const { return _ExtendedName; }
  const char* GetLibraryName() const { return _LibraryName; }
  Kind GetKind() const { return _Kind; }

  // True when this meta class is `other` or one of its descendants.
  int IsAKindOf(const NUVMetaClass* other) const;
  // The same by class name.
  int IsAKindOf(const char* className) const;
  int IsA(const char* className) const;

 private:
  const char* _ClassName;
  const NUVMetaClass* _pParent;
  const char* _ExtendedName;
  const char* _LibraryName;
  Kind _Kind;
};

// Declares the meta-class members of a class. Use in the class body.
#define NUV_DECLARE_CLASS                                  \
 public:                                                   \
  static const NUVMetaClass* MetaObject();                 \
  static const char* ClassName();                          \
  static const NUVIID& ClassId();                          \
  const NUVMetaClass* GetMetaObject() const override;      \
  int IsA(const char* className) const override;           \
  int IsAKindOf(const char* className) const override;     \
                                                           \
 private:                                                  \
  static const NUVMetaClass* meta_object;                  \
                                                           \
 public:

// Defines them: the meta class is built on the first call and cached.
#define NUV_IMPLEMENT_CLASS_EXT(Class, ParentMetaExpr, Extended, Library, Kind)               \
  const NUVMetaClass* Class::meta_object = nullptr;                                           \
  const NUVMetaClass* Class::MetaObject() {                                                   \
    if (!meta_object) {                                                                       \
      static const NUVMetaClass meta(#Class, ParentMetaExpr, Extended, Library, Kind);        \
      meta_object = &meta;                                                                    \
    }                                                                                         \
    return meta_object;                                                                       \
  }                                                                                           \
  const char* Class::ClassName() { return #Class; }                                           \
  const NUVIID& Class::ClassId() {                                                            \
    static const NUVIID iid = {#Class};                                                       \
    return iid;                                                                               \
  }                                                                                           \
  const NUVMetaClass* Class::GetMetaObject() const { return MetaObject(); }                   \
  int Class::IsA(const char* className) const { return MetaObject()->IsA(className); }        \
  int Class::IsAKindOf(const char* className) const {                                         \
    return MetaObject()->IsAKindOf(className);                                                \
  }

#define NUV_IMPLEMENT_CLASS(Class, Parent, Library)                                    \
  NUV_IMPLEMENT_CLASS_EXT(Class, Parent::MetaObject(), "NUVNull", Library,            \
                          NUVMetaClass::Implementation)

#define NUV_IMPLEMENT_INTERFACE(Iface, Parent, Library)                            \
  NUV_IMPLEMENT_CLASS_EXT(Iface, Parent::MetaObject(), "NUVNull", Library,            \
                          NUVMetaClass::Interface)

#endif
