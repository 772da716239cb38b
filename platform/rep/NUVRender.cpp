#include "NUVRender.h"

NUVRender::NUVRender(NUVSupport& support, const NUVMathTransformation& initial)
    : _Support(support) {
  _Stack.push_back(initial);
}

NUVRender::~NUVRender() = default;

void NUVRender::PushPlacement(const NUVMathTransformation& childToParent) {
  const NUVMathTransformation current = childToParent * _Stack.back();
  _Stack.push_back(current);
}

void NUVRender::PopPlacement() {
  if (_Stack.size() > 1) _Stack.pop_back();
}
