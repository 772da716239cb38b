#include "CountingErrors.h"

NUV_IMPLEMENT_CLASS(AliasedObject, NUVIAlias, "Tests")

int& CountingSimulationError::Live() {
  static int live = 0;
  return live;
}
