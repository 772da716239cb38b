// The clearance command: the part of velloran-play that measures and tests
// its objects' bounding boxes with the library's visualization services. It
// lives in the play command module (linked against libVelloran) beside the
// play command, and is reached the same way, by its entry point.
// Threading: every operation on the user-interface thread (the loop's).
#ifndef PlayClearanceCommand_h
#define PlayClearanceCommand_h

class NUVBaseUnknown;

struct PlayClearanceApi {
  // The box of `object`'s representation in the representation's own
  // coordinates, as xmin, xmax, ymin, ymax, zmin, zmax; 0 when the object
  // shows no geometry.
  int (*measure)(NUVBaseUnknown* object, double limits[6]);
  // 1 when the two boxes, each placed where the PLM state monitor says its
  // object stands, overlap (touching counts); 0 when they are apart.
  int (*overlap)(NUVBaseUnknown* object1, const double limits1[6], NUVBaseUnknown* object2,
                 const double limits2[6]);
};

// Exported by libVelloranPlayCommand.so.
extern "C" const PlayClearanceApi* VelloranPlayClearance();

#endif
