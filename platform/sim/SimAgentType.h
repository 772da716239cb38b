// SimAgentType: what an agent does, as bit flags that combine. Callers test
// bits: an agent is an observer when the bit of value 4 is set (2, a pure
// computing agent, lacks it). The redraw agent answers 20, an observer that
// displays.
#ifndef SimAgentType_h
#define SimAgentType_h

enum SimAgentType : int {
  SimAgentTypeNone = 0,
  SimAgentTypeStructured = 1,  // holds member agents and drives them
  SimAgentTypeCompute = 2,     // computes the simulated state
  SimAgentTypeObserve = 4,     // observes the simulated state
  SimAgentTypeInput = 8,       // takes user input during play
  SimAgentTypeDisplay = 16     // draws or refreshes the display
};

#endif
