// SimAgentPriority: an agent's priority class, as it answers GetPriority.
// The engine passes it through; structured agents run their members in the
// order the members were added, whatever their priority.
#ifndef SimAgentPriority_h
#define SimAgentPriority_h

enum SimAgentPriority : int {
  SimAgentPriorityHigh = 0,
  SimAgentPriorityNormal = 1,
  SimAgentPriorityLow = 2
};

#endif
