// NUVCollec: what the platform's collections share. MemoryHandling says what
// emptying a list does with its storage.
//
//   list.RemoveAll(NUVCollec::ReleaseMemory);   // empty, storage given back
//
// Threading: none (constants only).
#ifndef NUVCollec_h
#define NUVCollec_h

class NUVCollec {
 public:
  enum MemoryHandling {
    KeepMemory = 0,     // the storage stays reserved for the next elements
    ReleaseMemory = 1,  // the storage is given back
  };
};

#endif
