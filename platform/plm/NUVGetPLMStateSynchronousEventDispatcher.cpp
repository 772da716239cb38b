#include "NUVGetPLMStateSynchronousEventDispatcher.h"

#include "NUVPLMStateSynchronousEventDispatcher.h"

namespace {

NUVPLMStateSynchronousEventDispatcher* g_pDispatcher = nullptr;  // one reference

}  // namespace

NUVPLMStateSynchronousEventDispatcher*
NUVGetPLMStateSynchronousEventDispatcher::CreatePLMStateSynchronousEventDispatcher() {
  if (!g_pDispatcher) g_pDispatcher = NUVNew<NUVPLMStateSynchronousEventDispatcher>();
  return g_pDispatcher;
}

NUVPLMStateSynchronousEventDispatcher*
NUVGetPLMStateSynchronousEventDispatcher::GetPLMStateSynchronousEventDispatcher() {
  return g_pDispatcher;
}

void NUVGetPLMStateSynchronousEventDispatcher::DestroyPLMStateSynchronousEventDispatcher() {
  NUVPLMStateSynchronousEventDispatcher* dispatcher = g_pDispatcher;
  g_pDispatcher = nullptr;  // before Release: a destructor may ask again
  if (dispatcher) dispatcher->Release();
}
