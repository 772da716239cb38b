#include "NUVParmDictionary.h"

#include "NUVQlmMagnitude.h"

// A parameter that lives only as long as its handles: a name, a value and
// its magnitude as type object.
class NUVQlmVolatileParm : public NUVIQlmParm {
  NUV_DECLARE_CLASS
 public:
  NUVQlmVolatileParm(const NUVUnicodeString& name, double value, NUVQlmMagnitude* magnitude)
      : _Name(name), _Value(value), _Magnitude(magnitude) {}
  NUVUnicodeString GetName() override { return _Name; }
  double GetValue() override { return _Value; }
  NUVVar<NUVBaseUnknown> GetType() override { return _Magnitude; }

 private:
  NUVUnicodeString _Name;
  double _Value;
  NUVVar<NUVBaseUnknown> _Magnitude;
};

NUV_IMPLEMENT_CLASS(NUVQlmVolatileParm, NUVIQlmParm, "VelloranPlatform")

class NUVQlmVolatileParmFactory : public NUVIQlmParmFactory {
  NUV_DECLARE_CLASS
 public:
  NUVIQlmParm_var CreateLength(const NUVUnicodeString& iName, double iValue) override {
    return Create(iName, iValue, NUVQlmMagnitude::Length());
  }
  NUVIQlmParm_var CreateAngle(const NUVUnicodeString& iName, double iValue) override {
    return Create(iName, iValue, NUVQlmMagnitude::Angle());
  }
  NUVIQlmParm_var CreateTime(const NUVUnicodeString& iName, double iValue) override {
    return Create(iName, iValue, NUVQlmMagnitude::Time());
  }

 private:
  static NUVIQlmParm_var Create(const NUVUnicodeString& name, double value,
                                NUVQlmMagnitude* magnitude) {
    NUVIQlmParm_var parameter;
    parameter.Attach(NUVNew<NUVQlmVolatileParm>(name, value, magnitude));
    return parameter;
  }
};

NUV_IMPLEMENT_CLASS(NUVQlmVolatileParmFactory, NUVIQlmParmFactory, "VelloranPlatform")

namespace {

NUVIQlmParmFactory_var OwnFactory() {
  NUVIQlmParmFactory_var factory;
  factory.Attach(new NUVQlmVolatileParmFactory);
  return factory;
}

NUVIQlmParmFactory_var& Installed() {
  static NUVIQlmParmFactory_var factory = OwnFactory();
  return factory;
}

}  // namespace

NUVIQlmParmFactory_var NUVParmDictionary::GetVolatileFactory() { return Installed(); }

void NUVParmDictionary::SetVolatileFactory(NUVIQlmParmFactory* factory) { Installed() = factory; }

void NUVParmDictionary::RestoreVolatileFactory() { Installed() = OwnFactory(); }
