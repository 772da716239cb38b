// The clearance command (see PlayClearanceCommand.h).
#include "../PlayClearanceCommand.h"
#include "NUVMathBox.h"
#include "NUVSimVizServices.h"

namespace {

NUVMathBox BoxOf(const double l[6]) {
  return NUVMathBox(NUVMathPoint(l[0], l[2], l[4]), NUVMathPoint(l[1], l[3], l[5]));
}

int Measure(NUVBaseUnknown* object, double limits[6]) {
  if (!object || !limits) return 0;
  NUVBaseUnknown_var held(object);
  NUVMathBox box;
  NUVSimVizServices::ComputeBoundingBox(held, box);
  return box.GetLimits(limits[0], limits[1], limits[2], limits[3], limits[4], limits[5]);
}

int Overlap(NUVBaseUnknown* object1, const double limits1[6], NUVBaseUnknown* object2,
            const double limits2[6]) {
  if (!limits1 || !limits2) return 0;
  NUVBaseUnknown_var held1(object1), held2(object2);
  NUVMathBox box1 = BoxOf(limits1), box2 = BoxOf(limits2);
  return NUVSimVizServices::BoundingBoxOverlap(held1, box1, held2, box2);
}

const PlayClearanceApi api = {&Measure, &Overlap};

}  // namespace

extern "C" __attribute__((visibility("default"))) const PlayClearanceApi* VelloranPlayClearance() {
  return &api;
}
