// NUVRecord: the process-wide recorder of a session, which either captures a
// session into a recording file or replays one.
//
// A recording keeps the session's software levels: named integers a module
// records while capturing so that, replaying, the same module can read them
// back and behave as the captured session did. GetMain() is null unless the
// host (or a test) started a capture or a replay.
//
//   NUVRecord::StartCapture("/tmp/session.rec");
//   NUVRecord::GetMain()->SetSoftwareRecordLevel(name, 1);
//
// The file is text, one record per line, fields separated by one space:
//   NUVRecord 1                 first line: format name and version
//   level <name> <value>        a software level; <value> is a decimal int
// A capture writes the header when it opens the file and one `level` line per
// SetSoftwareRecordLevel, flushed at once, so that a crash keeps what was
// recorded. Setting a name again appends another line; the last line of a
// name wins when the file is replayed. Lines of other kinds and malformed
// `level` lines are skipped when replaying. Level names are non-empty and
// hold no white space or control characters.
//
// Threading: user-interface thread only.
#ifndef NUVRecord_h
#define NUVRecord_h

#include <cstdio>
#include <map>
#include <string>

#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVRecord {
 public:
  // The recorder of the session, or null when the session is neither
  // captured nor replayed. Owned by the platform: do not delete it.
  static NUVRecord* GetMain();

  // Start a capture into `path` (created or truncated) or a replay of the
  // recording at `path`, replacing the current main recorder (which is
  // closed first). S_OK; E_INVALIDARG for a null or empty path; E_FAIL when
  // the file cannot be created, cannot be read, or is not a recording. On
  // failure there is no main recorder afterwards.
  static long StartCapture(const char* path);
  static long StartReplay(const char* path);
  // Closes the main recorder and deletes it; GetMain() is null afterwards.
  static void EndMain();

  // Non-zero while capturing, while replaying.
  int IsCapture() const;
  int IsReplay() const;

  // Non-zero when a level named `name` is recorded (set during this capture,
  // or read from the replayed recording); *level then receives it. Leaves
  // *level alone and returns 0 otherwise, and for null arguments.
  int GetSoftwareRecordLevel(char* name, int* level) const;
  // Records `level` under `name` while capturing. S_OK; E_INVALIDARG for a
  // null or malformed name; E_FAIL while replaying (a recording is read
  // only) or when the file cannot be written.
  long SetSoftwareRecordLevel(char* name, int level);

  // The recording file.
  const char* GetPath() const { return _Path.c_str(); }

  NUVRecord(const NUVRecord&) = delete;
  NUVRecord& operator=(const NUVRecord&) = delete;

 private:
  enum Mode { Capture, Replay };
  NUVRecord(Mode mode, const char* path);
  ~NUVRecord();
  static long StartMain(Mode mode, const char* path);
  // Opens the file for the mode: writes the header, or reads the levels.
  long Open();

  Mode _Mode;
  std::string _Path;
  // The capture's open file; null when replaying.
  std::FILE* _pFile;
  // Levels recorded so far (capture) or read from the recording (replay).
  std::map<std::string, int> _Levels;
};

#endif
