#include "NUVGetPLMStateMonitor.h"

#include "NUVPLMStateMonitor.h"

namespace {

NUVPLMStateMonitor* g_pMonitor = nullptr;  // one reference

}  // namespace

long NUVGetPLMStateMonitor::GetPLMStateMonitor(NUVIPLMStateMonitor_var& oMonitor) {
  // The monitor is its own interface: hand it over without a query.
  if (g_pMonitor) g_pMonitor->AddRef();
  oMonitor.Attach(g_pMonitor);
  return g_pMonitor ? S_OK : E_FAIL;
}

NUVPLMStateMonitor* NUVGetPLMStateMonitor::CreatePLMStateMonitor() {
  if (!g_pMonitor) g_pMonitor = NUVNew<NUVPLMStateMonitor>();
  return g_pMonitor;
}

void NUVGetPLMStateMonitor::DestroyPLMStateMonitor() {
  NUVPLMStateMonitor* monitor = g_pMonitor;
  g_pMonitor = nullptr;  // before Release: a released object may ask again
  if (monitor) monitor->Release();
}
