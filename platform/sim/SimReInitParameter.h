// SimReInitParameter: why a negotiated-time controller re-initialises its
// agents (ReInitData) before the first step of a play.
#ifndef SimReInitParameter_h
#define SimReInitParameter_h

enum SimReInitParameter : int {
  SimReInitStart = 0,   // first play since the controlled agent was attached
  SimReInitRewind = 1   // play again after Rewind
};

#endif
