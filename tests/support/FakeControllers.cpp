#include "FakeControllers.h"

int& FakeKeyFrameController::Live() {
  static int live = 0;
  return live;
}

int& FakeNegociatedTimeController::Live() {
  static int live = 0;
  return live;
}
