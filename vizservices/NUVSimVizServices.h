// NUVSimVizServices: the visualization services the simulation consults, as
// static operations of a class without fields.
//
//   if (NUVSimVizServices::MouseButtonOrKeyPressed()) break;  // user wants control
//   if (NUVSimVizServices::IsKTRReplaySynced()) ...;           // replay in step
//
// Threading: user-interface thread only; the process-wide state of these
// services (input latch, replay-sync answer) is unguarded.
#ifndef NUVSimVizServices_h
#define NUVSimVizServices_h

#include "NUVBaseUnknown.h"
#include "NUVUnicodeString.h"
#include "NUVBaseUnknown_var.h"
#include "NUVListValNUVBaseUnknown_var.h"
#include "VelloranExport.h"

class NUVMathBox;
class NUVMathPoint;
class NUVMathTransformation;
class NUVMathVector;
class NUVPathElement;

class VELLORAN_EXPORT NUVSimVizServices : public NUVBaseUnknown {
  NUV_DECLARE_CLASS;

 public:
  NUVSimVizServices();
  ~NUVSimVizServices() override;
  NUVSimVizServices(const NUVSimVizServices&);
  NUVSimVizServices& operator=(const NUVSimVizServices&);

  // --- Input polling and replay synchronisation ---------------------------

  // Non-zero when a mouse button or wheel message, or a keyboard message, is
  // waiting in the thread's input queue, or while a middle-button press seen
  // earlier is still held down. Mouse moves do not count. Nothing is removed
  // from the queue; the middle button's state is read only after a press was
  // seen, so that the poll stays cheap inside computing loops.
  static unsigned char MouseButtonOrKeyPressed();

  // Non-zero when the session replays a recording that asked for the
  // simulation display to stay in step with the recording. Decided at the
  // first call and cached for the whole process: a capture marks the
  // recording (software level "PLMSimSyncedKTR" = 1) and answers 0; a replay
  // answers from that mark, or, for a recording made without it, from the
  // environment variable "PLMSIM_KTR_SYNC" being defined; no recorder, or
  // neither capture nor replay, answers 0.
  static unsigned char IsKTRReplaySynced();

  // --- Unit strings -----------------------------------------------------------
  // Each operation reaches the user's magnitude of its family (time, length,
  // angle) through a volatile parameter created for the call ("TimeUnits",
  // "LengthUnits", "AngleUnits", value 1.0) and keeps nothing. Without a
  // parameter factory the platform's null-handle error propagates.

  // The magnitude's decoding verdict for `iText`, which is passed unchanged;
  // `oValue` then holds what the magnitude wrote (in its base unit). 0, with
  // `oValue` untouched, when the magnitude cannot be reached.
  static unsigned char DecodeTimeString(NUVUnicodeString& iText, double& oValue);
  static unsigned char DecodeLengthString(NUVUnicodeString& iText, double& oValue);
  static unsigned char DecodeAngleString(NUVUnicodeString& iText, double& oValue);

  // The user's current unit: its label, `oFactor` = the unit's conversion of
  // 1.0 (one unit in the base unit), `oInverse` = 1 / factor, rounded to a
  // whole number when the factor is below 1 (0.001 gives exactly 1000). A
  // factor not above 0 is reported as 1.0 with an inverse of 1.0. When no
  // magnitude or unit is reached, `oFactor` is 1.0 and the other outputs are
  // untouched.
  static void GetTimeUnits(NUVUnicodeString& oUnitLabel, double& oFactor, double& oInverse);
  static void GetLengthUnits(NUVUnicodeString& oUnitLabel, double& oFactor, double& oInverse);
  static void GetAngleUnits(NUVUnicodeString& oUnitLabel, double& oFactor, double& oInverse);

  // `iValue` as text with the user's trailing-zeros setting; `iPrecision` is
  // handed to the platform's formatter unchanged, in fixed notation.
  static void EncodeDouble(double iValue, NUVUnicodeString& oText, int iPrecision);
  // --- Bounding boxes --------------------------------------------------------
  // Boxes are axis-aligned in each object's own coordinates; the tests place
  // them with the positions the PLM state monitor gives for the objects in
  // the current window (identities when there is no monitor).

  // The box of the geometry of `iObject`'s representation (its NUVI3DGeoVisu),
  // in the representation's own coordinates, measured by drawing it into a
  // bounding-box render; a hidden representation is measured too and hidden
  // again afterwards. An object without a representation leaves `oBox` as it
  // was.
  static void ComputeBoundingBox(NUVBaseUnknown_var& iObject, NUVMathBox& oBox);
  // Centre and half-extents of `iBox` per axis; an empty box gives zeros.
  static void ConvertBoundingBox(NUVMathBox& iBox, NUVMathPoint& oCenter, NUVMathVector& oHalfSize);
  // Separating-axis test on the face directions of both boxes (not on the
  // edge cross products, so boxes separated only along such an axis count
  // as overlapping): 1 overlap, 0 separated. Touching boxes overlap; a NaN
  // never separates.
  static int BoundingBoxOverlap(NUVBaseUnknown_var& iObject1, NUVMathPoint& iCenter1,
                                NUVMathVector& iHalfSize1, NUVBaseUnknown_var& iObject2,
                                NUVMathPoint& iCenter2, NUVMathVector& iHalfSize2);
  static unsigned char BoundingBoxOverlap(NUVBaseUnknown_var& iObject1, NUVMathBox& iBox1,
                                          NUVBaseUnknown_var& iObject2, NUVMathBox& iBox2);
  // BoundingBoxIntersectPosition with the monitor's positions. Those carry
  // world coordinates into each object's own (see NUVIPLMStateMonitor), the
  // opposite of the placements BoundingBoxIntersectPosition applies, so this
  // test agrees with BoundingBoxOverlap only while both objects stand at the
  // identity; for placed objects use BoundingBoxOverlap, or pass placements
  // to BoundingBoxIntersectPosition.
  static int BoundingBoxIntersect(NUVBaseUnknown_var& iObject1, NUVMathBox& iBox1,
                                  NUVBaseUnknown_var& iObject2, NUVMathBox& iBox2);
  // Each box's corners carried by its position (a placement: own coordinates
  // into a frame common to both), boxed again and compared:
  // 2 when one holds the other, 1 when they intersect (touching included),
  // 0 when disjoint, when a box is empty or a position null.
  static int BoundingBoxIntersectPosition(NUVMathTransformation* iPosition1, NUVMathBox& iBox1,
                                          NUVMathTransformation* iPosition2, NUVMathBox& iBox2);

  // --- Traversal ------------------------------------------------------------

  // Walks the occurrence tree from iRoot (root included) with the platform's
  // traverser and a NUVSimVizOccurrenceVisitor built with the two options:
  // oNonTerminals := the intermediate occurrences, oTerminals := the leaves
  // with visible geometry (see the visitor), both in post-order. E_FAIL with
  // the lists untouched when iRoot is not an occurrence; S_OK otherwise,
  // also with the lists untouched when no traverser or visitor can be made.
  static long GetAllVizOccurrenceDescendants(NUVBaseUnknown_var& iRoot,
                                             NUVListValNUVBaseUnknown_var& oNonTerminals,
                                             NUVListValNUVBaseUnknown_var& oTerminals,
                                             unsigned char iCollectTerminals,
                                             unsigned char iCollectNonTerminals);
  // The same, appended to what ioList holds: non-terminals, then terminals.
  static long GetAllVizOccurrenceDescendants(NUVBaseUnknown_var& iRoot,
                                             NUVListValNUVBaseUnknown_var& ioList,
                                             unsigned char iCollectTerminals,
                                             unsigned char iCollectNonTerminals);
  // The same with a NUVSimVizOrderedOccVisitor; oAll := every occurrence met
  // in pre-order, those the geometry test rejects included.
  static long GetOrderedVizOccDescendants(NUVBaseUnknown_var& iRoot,
                                          NUVListValNUVBaseUnknown_var& oAll,
                                          NUVListValNUVBaseUnknown_var& oNonTerminals,
                                          NUVListValNUVBaseUnknown_var& oTerminals,
                                          unsigned char iCollectTerminals,
                                          unsigned char iCollectNonTerminals);

  // --- Paths ----------------------------------------------------------------

  // *oPath := the object's path from the top of its tree (one reference for
  // the caller), completed under the current editor's active object: the
  // representation tree of the path's top object gives one model path per
  // branch; the first that contains the active object is added to *oPath
  // from its leaf up to its top. E_FAIL for a null oPath, an object without
  // NUVIBuildPath, or a path that cannot be built; S_OK otherwise, whether
  // or not the active object was found. Uses a module-wide scratch list,
  // empty between calls: not reentrant.
  static long GetPathElement(NUVBaseUnknown_var& iObject, NUVPathElement** oPath);

  // --- Co-review queries ---------------------------------------------------

  // Whether this instance leads (sends its simulated value to) a
  // collaborative review, respectively follows one, as the live co-review
  // messenger records it; 0 when there is no messenger.
  static unsigned char IsCoReviewLeader();
  static unsigned char IsCoReviewFollower();
};

#endif
