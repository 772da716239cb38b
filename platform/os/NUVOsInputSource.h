// NUVOsInputSource (internal to the platform layer, POSIX emulation only):
// lets an input source of the host (the terminal of NUVHostInput) feed the
// emulated input queue of NUVOsCalls.h at the moment PeekMessageW looks.
//
// The source's notification (a signal handler) calls NUVOsNoteInputArrived,
// which only sets a flag. PeekMessageW tests that flag before looking at the
// queue and, when set, clears it and calls the source's pump, which posts
// what arrived. A look at an empty queue with nothing arrived costs one more
// load than without a source.
//
// Threading: the pump runs on the user-interface thread, from PeekMessageW or
// from the source's own loop handler; NUVOsNoteInputArrived may run anywhere,
// including in a signal handler.
#ifndef NUVOsInputSource_h
#define NUVOsInputSource_h

typedef void (*NUVOsInputPump)();

// Sets the one input source's pump (null: none). Marks input as arrived, so
// that the next look reads what was waiting before the source was set.
void NUVOsSetInputSource(NUVOsInputPump pump);
// Async-signal-safe: the next PeekMessageW calls the pump first.
void NUVOsNoteInputArrived();
// Clears the flag and calls the pump now (the loop's handler of the source).
void NUVOsPumpInputSource();

#endif
