// NUVSimVizServices: bounding boxes (measuring and the two test families).
#include <cmath>

#include "NUV3DBagRep.h"
#include "NUV3DBoundingBoxRender.h"
#include "NUV4x4Matrix.h"
#include "NUVFrmLayout.h"
#include "NUVGetPLMStateMonitor.h"
#include "NUVI3DGeoVisu.h"
#include "NUVMathBox.h"
#include "NUVSimVizServices.h"
#include "NUVSupport.h"

namespace {

// The positions of both objects in the current window; identities when no
// state monitor exists. The monitor's answers are not checked: an object it
// does not know stands at the identity.
void GetPositions(NUVBaseUnknown* iObject1, NUVBaseUnknown* iObject2, NUVMathTransformation& oP1,
                  NUVMathTransformation& oP2) {
  NUVIPLMStateMonitor_var monitor;
  NUVGetPLMStateMonitor::GetPLMStateMonitor(monitor);
  if (!monitor) return;
  NUVFrmLayout* layout = NUVFrmLayout::GetCurrentLayout();
  NUVFrmWindow* window = layout ? layout->GetCurrentWindow() : nullptr;
  monitor->GetPosition(iObject1, window, oP1, nullptr, 0);
  monitor->GetPosition(iObject2, window, oP2, nullptr, 0);
}

// The box's eight corners carried by `position`, boxed again.
NUVMathBox CarriedBox(const NUVMathTransformation& position, const NUVMathBox& box) {
  double lim[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
  box.GetLimits(lim[0], lim[1], lim[2], lim[3], lim[4], lim[5]);
  NUVMathBox carried;
  for (int k = 0; k < 8; ++k)
    carried.AddInside(position * NUVMathPoint(lim[k & 1], lim[2 + ((k >> 1) & 1)], lim[4 + ((k >> 2) & 1)]));
  return carried;
}

}  // namespace

void NUVSimVizServices::ComputeBoundingBox(NUVBaseUnknown_var& iObject, NUVMathBox& oBox) {
  NUVI3DGeoVisu_var geo(iObject.get());
  NUV3DRep* rep = !!geo ? geo->GiveRep() : nullptr;
  if (!rep) return;
  const int hidden = rep->IsHidden();
  NUVMathPoint low, high;
  // The parent's inverse matrix cancels the representation's own placement,
  // so the box comes out in the representation's own coordinates.
  NUV4x4Matrix matrix;
  NUV3DBagRep* repBag = dynamic_cast<NUV3DBagRep*>(rep);
  if (repBag && repBag->GetMatrix()) repBag->GetMatrix()->GetInvertedMatrix(matrix);
  NUV3DBagRep* bag = NUVNew<NUV3DBagRep>();
  if (!bag) return;
  bag->SetMatrix(matrix);
  bag->AddChild(rep);
  NUVSupport support(100, 100, nullptr);
  NUV3DBoundingBoxRender render(support, NUVMathTransformation());
  if (hidden) rep->SetAttributes(rep->GetAttributes() & ~NUV3DRep::HiddenAttribute);
  bag->Draw(render, 1);
  if (hidden) rep->SetAttributes(rep->GetAttributes() | NUV3DRep::HiddenAttribute);
  render.GetBoundingBox(low, high);
  bag->RemoveChild(rep);
  bag->Release();
  oBox.SetLow(low);
  oBox.SetHigh(high);
}

void NUVSimVizServices::ConvertBoundingBox(NUVMathBox& iBox, NUVMathPoint& oCenter,
                                           NUVMathVector& oHalfSize) {
  double xmin = 0.0, xmax = 0.0, ymin = 0.0, ymax = 0.0, zmin = 0.0, zmax = 0.0;
  iBox.GetLimits(xmin, xmax, ymin, ymax, zmin, zmax);
  oCenter.SetCoord((xmax + xmin) * 0.5, (ymax + ymin) * 0.5, (zmax + zmin) * 0.5);
  oHalfSize.SetCoord((xmax - xmin) * 0.5, (ymax - ymin) * 0.5, (zmax - zmin) * 0.5);
}

int NUVSimVizServices::BoundingBoxOverlap(NUVBaseUnknown_var& iObject1, NUVMathPoint& iCenter1,
                                          NUVMathVector& iHalfSize1, NUVBaseUnknown_var& iObject2,
                                          NUVMathPoint& iCenter2, NUVMathVector& iHalfSize2) {
  NUVMathTransformation p1, p2;
  GetPositions(iObject1.get(), iObject2.get(), p1, p2);
  // M carries object 1's coordinates into object 2's, N carries them back.
  NUVMathTransformation q, n;
  p1.ComputeInverse(q);
  const NUVMathTransformation m = q * p2;
  m.ComputeInverse(n);
  double a[12], b[12];
  m.GetCoef(a, 12);
  n.GetCoef(b, 12);
  const double c1[3] = {iCenter1.x, iCenter1.y, iCenter1.z};
  const double h1[3] = {iHalfSize1.x, iHalfSize1.y, iHalfSize1.z};
  const double c2[3] = {iCenter2.x, iCenter2.y, iCenter2.z};
  const double h2[3] = {iHalfSize2.x, iHalfSize2.y, iHalfSize2.z};
  // Box 1 on the face axes of box 2, then box 2 on those of box 1. Written
  // as "greater than": equality and NaN do not separate.
  for (int i = 0; i < 3; ++i) {
    const double e = a[i] * c1[0] + a[3 + i] * c1[1] + a[6 + i] * c1[2] + a[9 + i];
    const double r =
        std::fabs(a[i] * h1[0]) + std::fabs(a[3 + i] * h1[1]) + std::fabs(a[6 + i] * h1[2]) + h2[i];
    if (std::fabs(c2[i] - e) > r) return 0;
  }
  for (int i = 0; i < 3; ++i) {
    const double f = b[i] * c2[0] + b[3 + i] * c2[1] + b[6 + i] * c2[2] + b[9 + i];
    const double r =
        std::fabs(b[i] * h2[0]) + std::fabs(b[3 + i] * h2[1]) + std::fabs(b[6 + i] * h2[2]) + h1[i];
    if (std::fabs(c1[i] - f) > r) return 0;
  }
  return 1;
}

unsigned char NUVSimVizServices::BoundingBoxOverlap(NUVBaseUnknown_var& iObject1, NUVMathBox& iBox1,
                                                    NUVBaseUnknown_var& iObject2, NUVMathBox& iBox2) {
  NUVMathPoint c1, c2;
  NUVMathVector h1, h2;
  ConvertBoundingBox(iBox1, c1, h1);
  ConvertBoundingBox(iBox2, c2, h2);
  return static_cast<unsigned char>(BoundingBoxOverlap(iObject1, c1, h1, iObject2, c2, h2));
}

int NUVSimVizServices::BoundingBoxIntersect(NUVBaseUnknown_var& iObject1, NUVMathBox& iBox1,
                                            NUVBaseUnknown_var& iObject2, NUVMathBox& iBox2) {
  NUVMathTransformation p1, p2;
  GetPositions(iObject1.get(), iObject2.get(), p1, p2);
  return BoundingBoxIntersectPosition(&p1, iBox1, &p2, iBox2);
}

int NUVSimVizServices::BoundingBoxIntersectPosition(NUVMathTransformation* iPosition1,
                                                    NUVMathBox& iBox1,
                                                    NUVMathTransformation* iPosition2,
                                                    NUVMathBox& iBox2) {
  if (iBox1.IsEmpty() || iBox2.IsEmpty() || !iPosition1 || !iPosition2) return 0;
  const NUVMathBox w1 = CarriedBox(*iPosition1, iBox1);
  const NUVMathBox w2 = CarriedBox(*iPosition2, iBox2);
  if (w1.IsContaining(w2) || w2.IsContaining(w1)) return 2;
  return w1.IsIntersecting(w2, 0.0) ? 1 : 0;
}
