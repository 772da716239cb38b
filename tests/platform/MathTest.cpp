// Platform mathematics and representations: the coefficient order and the
// product order others rely on, inverses that must round-trip (also where
// pivoting is needed) or refuse, empty boxes, the state monitor's positions
// and references, and the bag's references and sphere.
#include <gtest/gtest.h>

#include "NUV3DBagRep.h"
#include "NUV3DBoxRep.h"
#include "NUVGetPLMStateMonitor.h"
#include "NUVMathBox.h"
#include "NUVPLMStateMonitor.h"

namespace {

void ExpectNear(const NUVMathPoint& want, const NUVMathPoint& got) {
  EXPECT_NEAR(want.x, got.x, 1e-12);
  EXPECT_NEAR(want.y, got.y, 1e-12);
  EXPECT_NEAR(want.z, got.z, 1e-12);
}

TEST(MathTest, TransformationOrderInverseAndMatrixRoundTrips) {
  const NUVMathTransformation turn = NUVMathTransformation::Rotation(NUVMathVector(0, 0, 1), 1.5707963267948966);
  const NUVMathTransformation move = NUVMathTransformation::Translation(NUVMathVector(1, 2, 3));
  double c[12];
  turn.GetCoef(c, 12);
  EXPECT_NEAR(1.0, c[1], 1e-15) << "input x feeds output y under a quarter turn";
  EXPECT_NEAR(-1.0, c[3], 1e-15);
  ExpectNear(NUVMathPoint(0, 4, 3), (turn * move) * NUVMathPoint(2, 1, 0));  // turn first, then move
  ExpectNear(move * (turn * NUVMathPoint(2, 1, 0)), (turn * move) * NUVMathPoint(2, 1, 0));

  const double stretch[12] = {2, 0, 0, 0.5, 1, 0, 0, 0, 3, 0, 0, 0};
  const NUVMathTransformation rigid = NUVMathTransformation::Rotation(NUVMathVector(1, 2, 3), 0.7) * move;
  const NUVMathTransformation skew = rigid * NUVMathTransformation(stretch);
  NUVMathTransformation inv;
  ASSERT_EQ(S_OK, skew.ComputeInverse(inv));
  const NUVMathPoint p(0.3, -4, 9);
  ExpectNear(p, inv * (skew * p));
  ExpectNear(p, (inv * skew) * p);
  ASSERT_EQ(S_OK, rigid.ComputeInverse(inv));
  ExpectNear(p, rigid * (inv * p));

  // The quarter turn's matrix has a zero first pivot.
  NUV4x4Matrix m(turn * move), back;
  ASSERT_EQ(S_OK, m.GetInvertedMatrix(back));
  ExpectNear(p, back.GetTransformation() * (m.GetTransformation() * p));

  const double flat[12] = {1, 0, 0, 0, 1, 0, 0, 0, 0, 5, 5, 5};
  NUVMathTransformation kept = move;
  EXPECT_EQ(E_FAIL, NUVMathTransformation(flat).ComputeInverse(kept));
  EXPECT_EQ(E_FAIL, NUV4x4Matrix(NUVMathTransformation(flat)).GetInvertedMatrix(back));
  ExpectNear(NUVMathPoint(1, 2, 3), kept * NUVMathPoint());  // a failed inverse leaves the output
}

TEST(MathTest, BoxEmptinessContainmentAndTouching) {
  NUVMathBox box, other;
  double l = 7;
  EXPECT_TRUE(box.IsEmpty());
  EXPECT_EQ(0, box.GetLimits(l, l, l, l, l, l));
  EXPECT_EQ(7, l);
  box.SetLow(NUVMathPoint(0, 0, 0));
  EXPECT_TRUE(box.IsEmpty()) << "one corner is not a box";
  other.AddInside(NUVMathPoint(1, 1, 1));
  EXPECT_FALSE(box.IsIntersecting(other, 10) || other.IsContaining(box));
  box.SetHigh(NUVMathPoint(1, 1, 1));
  other.AddInside(NUVMathPoint(2, 0.5, 0.5));
  EXPECT_TRUE(box.IsIntersecting(other, 0.0)) << "a shared face";
  EXPECT_FALSE(box.IsContaining(other));
  other = NUVMathBox(NUVMathPoint(1.5, 0, 0), NUVMathPoint(2, 1, 1));
  EXPECT_FALSE(box.IsIntersecting(other, 0.0));
  EXPECT_TRUE(box.IsIntersecting(other, 0.5));
}

TEST(MathTest, MonitorKeepsInversePlacementsAndItsReferences) {
  NUVIPLMStateMonitor_var none;
  EXPECT_EQ(E_FAIL, NUVGetPLMStateMonitor::GetPLMStateMonitor(none));
  NUVPLMStateMonitor* monitor = NUVGetPLMStateMonitor::CreatePLMStateMonitor();
  NUVBaseUnknown* object = new NUVBaseUnknown;
  NUVMathTransformation position = NUVMathTransformation::Translation(NUVMathVector(9, 9, 9));
  EXPECT_EQ(E_FAIL, monitor->GetPosition(object, nullptr, position, nullptr, 0));
  ExpectNear(NUVMathPoint(), position * NUVMathPoint());  // unknown objects stand at the identity
  ASSERT_EQ(S_OK, monitor->SetPlacement(object, NUVMathTransformation::Translation(NUVMathVector(1, 2, 3))));
  ASSERT_EQ(S_OK, monitor->SetPlacement(object, NUVMathTransformation::Translation(NUVMathVector(4, 5, 6))));
  const double flat[12] = {0};
  EXPECT_EQ(E_FAIL, monitor->SetPlacement(object, NUVMathTransformation(flat)));
  EXPECT_EQ(2u, object->GetRefCount());
  NUVIPLMStateMonitor_var got;
  ASSERT_EQ(S_OK, NUVGetPLMStateMonitor::GetPLMStateMonitor(got));
  EXPECT_EQ(S_OK, got->GetPosition(object, nullptr, position, nullptr, 0));
  ExpectNear(NUVMathPoint(-4, -5, -6), position * NUVMathPoint());
  got = nullptr;
  NUVGetPLMStateMonitor::DestroyPLMStateMonitor();
  EXPECT_EQ(1u, object->GetRefCount()) << "the monitor's end gives the object back";
  object->Release();
}

TEST(MathTest, BagHoldsChildrenOnceAndBoundsThemUnderItsMatrix) {
  NUV3DBagRep* bag = new NUV3DBagRep;
  NUV3DBoxRep* a = new NUV3DBoxRep(NUVMathPoint(1, 1, 1), NUVMathPoint(-1, -1, -1));
  NUV3DBoxRep* point = new NUV3DBoxRep(NUVMathPoint(4, 0, 0), NUVMathPoint(4, 0, 0));
  EXPECT_EQ(0.0f, point->GetBoundingElement().GetRadius());
  bag->AddChild(a);
  bag->AddChild(a);
  bag->AddChild(point);
  EXPECT_EQ(2u, a->GetRefCount());
  bag->SetMatrix(NUV4x4Matrix(NUVMathTransformation::Translation(NUVMathVector(0, 10, 0))));
  bag->ComputeBoundingElement();
  const NUV3DBoundingSphere& s = bag->GetBoundingElement();
  // The cube's sphere (radius sqrt 3 at the origin) and the point at x = 4.
  EXPECT_NEAR((4 + 1.7320508) / 2, s.GetRadius(), 1e-5);
  EXPECT_NEAR(10.0, s.GetCenter()[1], 1e-5);
  bag->RemoveChild(a);
  bag->RemoveChild(a);
  EXPECT_EQ(1u, a->GetRefCount());
  EXPECT_EQ(point, bag->GetChild(0));
  EXPECT_EQ(nullptr, bag->GetChild(1));
  bag->Release();
  EXPECT_EQ(1u, point->GetRefCount());
  point->Release();
  a->Release();
}

}  // namespace
