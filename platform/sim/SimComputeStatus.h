// SimComputeStatus: how an agent's last Compute went, as it answers
// GetComputeStatus. Structured agents report the worst (largest) value of
// their members.
#ifndef SimComputeStatus_h
#define SimComputeStatus_h

enum SimComputeStatus : int {
  SimComputeOK = 0,
  SimComputeNotConverged = 1,  // computed, but the result is approximate
  SimComputeFailed = 2
};

#endif
