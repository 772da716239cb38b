// SimLoopStatus: what an agent asks of the play loop after a step, as it
// answers GetLoopStatus. The controllers act on the largest value their
// controlled agent reports:
//   1 continue playing;
//   2 end the current run of iterations here (a negotiated-time controller's
//     finished query then answers true), play goes on at the next run;
//   3 stop playing: the controller ends play after this step.
#ifndef SimLoopStatus_h
#define SimLoopStatus_h

enum SimLoopStatus : int {
  SimLoopUnset = 0,
  SimLoopContinue = 1,
  SimLoopEndOfRun = 2,
  SimLoopStop = 3
};

#endif
