#include "NUV3DBagRep.h"

#include <algorithm>
#include <cmath>

#include "NUVRender.h"

NUV_IMPLEMENT_CLASS(NUV3DBagRep, NUV3DRep, "VelloranPlatform")

NUV3DBagRep::NUV3DBagRep() = default;

NUV3DBagRep::~NUV3DBagRep() {
  std::vector<NUV3DRep*> children;
  children.swap(_Children);
  for (NUV3DRep* c : children) c->Release();
}

void NUV3DBagRep::AddChild(NUV3DRep* child) {
  if (!child || std::find(_Children.begin(), _Children.end(), child) != _Children.end()) return;
  _Children.push_back(child);
  child->AddRef();
}

void NUV3DBagRep::RemoveChild(NUV3DRep* child) {
  auto it = std::find(_Children.begin(), _Children.end(), child);
  if (it == _Children.end()) return;
  _Children.erase(it);
  child->Release();
}

NUV3DRep* NUV3DBagRep::GetChild(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= _Children.size()) return nullptr;
  return _Children[static_cast<size_t>(index)];
}

void NUV3DBagRep::SetMatrix(const NUV4x4Matrix& matrix) {
  if (_pMatrix)
    *_pMatrix = matrix;
  else
    _pMatrix.reset(new NUV4x4Matrix(matrix));
}

void NUV3DBagRep::ComputeBoundingElement() {
  const NUVMathTransformation place = _pMatrix ? _pMatrix->GetTransformation() : NUVMathTransformation();
  // The largest stretch of the matrix scales the radii.
  double coef[12];
  place.GetCoef(coef, 12);
  double scale = 0.0;
  for (int j = 0; j < 3; ++j)
    scale = std::max(scale, std::sqrt(coef[3 * j] * coef[3 * j] + coef[3 * j + 1] * coef[3 * j + 1] +
                                      coef[3 * j + 2] * coef[3 * j + 2]));
  bool any = false;
  NUVMathPoint centre;
  double radius = 0.0;
  for (NUV3DRep* child : _Children) {
    child->ComputeBoundingElement();
    const NUV3DBoundingSphere& s = child->GetBoundingElement();
    if (!(s.GetStatus() & 7)) continue;
    const float* c = s.GetCenter();
    const NUVMathPoint cc = place * NUVMathPoint(c[0], c[1], c[2]);
    const double cr = s.GetRadius() * scale;
    if (!any) {
      centre = cc;
      radius = cr;
      any = true;
      continue;
    }
    // Smallest sphere holding both spheres.
    const double dx = cc.x - centre.x, dy = cc.y - centre.y, dz = cc.z - centre.z;
    const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (d + cr <= radius) continue;
    if (d + radius <= cr) {
      centre = cc;
      radius = cr;
      continue;
    }
    const double r = (d + radius + cr) * 0.5;
    const double t = (r - radius) / d;
    centre.SetCoord(centre.x + dx * t, centre.y + dy * t, centre.z + dz * t);
    radius = r;
  }
  if (any)
    SetBoundingElement(NUV3DBoundingSphere(static_cast<float>(centre.x), static_cast<float>(centre.y),
                                           static_cast<float>(centre.z), static_cast<float>(radius), 2));
  else
    SetBoundingElement(NUV3DBoundingSphere());
}

void NUV3DBagRep::Draw(NUVRender& render, int mode) {
  if (IsHidden()) return;
  if (_pMatrix) render.PushPlacement(_pMatrix->GetTransformation());
  // A child may be removed by the draw of another one: walk a held copy.
  std::vector<NUV3DRep*> children(_Children);
  for (NUV3DRep* c : children) c->AddRef();
  for (NUV3DRep* c : children) c->Draw(render, mode);
  for (NUV3DRep* c : children) c->Release();
  if (_pMatrix) render.PopPlacement();
}
