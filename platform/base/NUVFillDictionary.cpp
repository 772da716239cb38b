#include "NUVFillDictionary.h"

void NUVFillDictionary::RegisterFunctionCreation(const char* name, NUVCreationFunction create,
                                                 const char* library) {
  NUVDictionary::RegisterCreation(library, name, create);
}
