// Bounding boxes: the face-axis overlap test at its boundaries and under
// positions from the state monitor, the axis-aligned intersection test, and
// measuring a representation (own coordinates, hidden parts, hidden bit).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "NUV3DBagRep.h"
#include "NUV3DBoxRep.h"
#include "NUVGetPLMStateMonitor.h"
#include "NUVI3DGeoVisu.h"
#include "NUVMathBox.h"
#include "NUVPLMStateMonitor.h"
#include "NUVSimVizServices.h"

namespace {

typedef NUVSimVizServices S;
const double kPi = 3.14159265358979323846;

// A model object shown by one representation.
class Shown : public NUVI3DGeoVisu {
 public:
  explicit Shown(NUV3DRep* rep) : _pRep(rep) { rep->AddRef(); }
  ~Shown() override { _pRep->Release(); }
  NUV3DRep* GiveRep() override { return _pRep; }

 private:
  NUV3DRep* _pRep;
};

NUVMathBox Box(double x0, double x1, double y0, double y1, double z0, double z1) {
  return NUVMathBox(NUVMathPoint(x0, y0, z0), NUVMathPoint(x1, y1, z1));
}

NUVMathTransformation Turn(double angle) {
  return NUVMathTransformation::Rotation(NUVMathVector(0, 0, 1), angle);
}

NUVMathTransformation Move(double x, double y, double z) {
  return NUVMathTransformation::Translation(NUVMathVector(x, y, z));
}

class BoundingBoxTest : public ::testing::Test {
 protected:
  void TearDown() override { NUVGetPLMStateMonitor::DestroyPLMStateMonitor(); }
  int Overlap(double cx2, double cy2) {
    NUVMathPoint c1, c2(cx2, cy2, 0);
    NUVMathVector h(1, 1, 1);
    return S::BoundingBoxOverlap(_A, c1, h, _B, c2, h);
  }
  NUVBaseUnknown_var _A{new NUVBaseUnknown}, _B{new NUVBaseUnknown};
  void SetUp() override {
    _A->Release();  // the handles keep the only references
    _B->Release();
  }
};

TEST_F(BoundingBoxTest, FaceAxesWithoutMonitorSeparateOnlyBeyondTheSumOfHalfSizes) {
  EXPECT_EQ(1, Overlap(2.0, 0.0)) << "touching faces overlap";
  EXPECT_EQ(0, Overlap(2.000001, 0.0));
  EXPECT_EQ(0, Overlap(0.0, -2.000001)) << "each axis separates on its own";
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(1, Overlap(nan, 0.0)) << "a NaN never separates";
  EXPECT_EQ(0, Overlap(nan, 5.0)) << "a NaN on x does not hide a separation on y";
  NUVMathBox same = Box(-1, 3, 0, 2, 5, 5), copy = same;
  EXPECT_EQ(1, S::BoundingBoxOverlap(_A, same, _B, copy));
}

TEST_F(BoundingBoxTest, OverlapPlacesBothBoxesWithTheMonitorsPositions) {
  // A long thin box and a small cube beside it; whether they meet depends
  // only on whether the long one is turned towards the cube.
  NUVMathBox rod = Box(-2, 2, -0.1, 0.1, -0.1, 0.1), cube = Box(-0.1, 0.1, -0.1, 0.1, -0.1, 0.1);
  NUVPLMStateMonitor* monitor = NUVGetPLMStateMonitor::CreatePLMStateMonitor();
  monitor->SetPlacement(_B, Move(10, 1.5, 0));
  monitor->SetPlacement(_A, Move(10, 0, 0));
  EXPECT_EQ(0, S::BoundingBoxOverlap(_A, rod, _B, cube));
  monitor->SetPlacement(_A, Turn(kPi / 2) * Move(10, 0, 0));
  EXPECT_EQ(1, S::BoundingBoxOverlap(_A, rod, _B, cube));
  EXPECT_EQ(1, S::BoundingBoxOverlap(_B, cube, _A, rod)) << "the verdict is symmetric";
  monitor->SetPlacement(_B, Move(11.5, 0, 0));
  EXPECT_EQ(0, S::BoundingBoxOverlap(_A, rod, _B, cube));
  monitor->SetPlacement(_A, Move(10, 0, 0));
  EXPECT_EQ(1, S::BoundingBoxOverlap(_B, cube, _A, rod));
}

TEST_F(BoundingBoxTest, IntersectPositionClassifiesNestedPartialDisjointAndUntestable) {
  NUVMathTransformation id;
  NUVMathBox big = Box(0, 10, 0, 10, 0, 10), inner = Box(1, 2, 1, 2, 1, 2), empty;
  NUVMathBox part = Box(9, 11, 1, 2, 1, 2), touch = Box(10, 11, 0, 1, 0, 1), away = Box(11, 12, 0, 1, 0, 1);
  EXPECT_EQ(2, S::BoundingBoxIntersectPosition(&id, big, &id, inner));
  EXPECT_EQ(2, S::BoundingBoxIntersectPosition(&id, inner, &id, big));
  EXPECT_EQ(1, S::BoundingBoxIntersectPosition(&id, big, &id, part));
  EXPECT_EQ(1, S::BoundingBoxIntersectPosition(&id, big, &id, touch));
  EXPECT_EQ(0, S::BoundingBoxIntersectPosition(&id, big, &id, away));
  EXPECT_EQ(0, S::BoundingBoxIntersectPosition(&id, empty, &id, big));
  EXPECT_EQ(0, S::BoundingBoxIntersectPosition(&id, big, &id, empty));
  EXPECT_EQ(0, S::BoundingBoxIntersectPosition(nullptr, big, &id, inner));
  EXPECT_EQ(0, S::BoundingBoxIntersectPosition(&id, big, nullptr, inner));
  EXPECT_EQ(2, S::BoundingBoxIntersect(_A, big, _B, inner)) << "no monitor: identities";
  // Turned a quarter, the rod reaches the cube above it.
  NUVMathBox rod = Box(-2, 2, -0.1, 0.1, -0.1, 0.1), cube = Box(-0.3, 0.3, 1.4, 1.6, -0.1, 0.1);
  NUVMathTransformation turn = Turn(kPi / 2);
  EXPECT_EQ(0, S::BoundingBoxIntersectPosition(&id, rod, &id, cube));
  EXPECT_EQ(1, S::BoundingBoxIntersectPosition(&turn, rod, &id, cube));
}

TEST_F(BoundingBoxTest, ConvertGivesCentreAndHalfSizes) {
  NUVMathBox box = Box(-1, 3, 0, 2, 5, 5), empty;
  NUVMathPoint c;
  NUVMathVector h;
  S::ConvertBoundingBox(box, c, h);
  EXPECT_EQ(NUVMathPoint(1, 1, 5), c);
  EXPECT_EQ(NUVMathVector(2, 1, 0), h);
  S::ConvertBoundingBox(empty, c, h);
  EXPECT_EQ(NUVMathPoint(), c);
  EXPECT_EQ(NUVMathVector(), h);
}

TEST_F(BoundingBoxTest, ComputeMeasuresInOwnCoordinatesHiddenIncluded) {
  // A placed bag holding a box and a raised sub-bag; its hidden child is not
  // drawn, and the placement of the measured bag itself does not count.
  NUV3DBagRep* rep = new NUV3DBagRep;
  NUV3DBagRep* raised = new NUV3DBagRep;
  NUV3DBoxRep* box = new NUV3DBoxRep(NUVMathPoint(-1, 0, 5), NUVMathPoint(3, 2, 5));
  NUV3DBoxRep* cube = new NUV3DBoxRep(NUVMathPoint(0, 0, 0), NUVMathPoint(1, 1, 1));
  NUV3DBoxRep* ghost = new NUV3DBoxRep(NUVMathPoint(50, 50, 50), NUVMathPoint(60, 60, 60));
  ghost->SetAttributes(NUV3DRep::HiddenAttribute);
  raised->SetMatrix(NUV4x4Matrix(Move(0, 0, 6)));
  raised->AddChild(cube);
  rep->AddChild(box);
  rep->AddChild(raised);
  rep->AddChild(ghost);
  rep->SetMatrix(NUV4x4Matrix(Turn(0.5) * Move(7, -3, 2)));
  rep->SetAttributes(NUV3DRep::HiddenAttribute | 1);
  NUVBaseUnknown_var shown(new Shown(rep));
  shown->Release();
  raised->Release();
  box->Release();
  cube->Release();
  ghost->Release();
  rep->Release();

  NUVMathBox measured;
  S::ComputeBoundingBox(shown, measured);
  double l[6];
  ASSERT_TRUE(measured.GetLimits(l[0], l[1], l[2], l[3], l[4], l[5]));
  const double want[6] = {-1, 3, 0, 2, 5, 7};
  for (int k = 0; k < 6; ++k) EXPECT_NEAR(want[k], l[k], 1e-9) << "limit " << k;
  EXPECT_EQ(NUV3DRep::HiddenAttribute | 1, rep->GetAttributes()) << "hidden again afterwards";
  EXPECT_EQ(1u, rep->GetRefCount()) << "the measuring bag let it go";

  NUVMathBox untouched = Box(1, 2, 1, 2, 1, 2);
  S::ComputeBoundingBox(_A, untouched);
  EXPECT_EQ(NUVMathPoint(1, 1, 1), untouched.GetLow()) << "no representation, no change";
}

}  // namespace
