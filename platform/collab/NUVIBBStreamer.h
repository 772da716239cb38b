// NUVIBBStreamer: writes a message of integers into a byte buffer and reads
// one back. A writer calls StartWriting, the Write operations, then
// GetWrittenBuffer and ReleaseBuffer; a reader calls StartReading with the
// received bytes, the Read operations in the order they were written, then
// EndReading. Every failure is a negative result code; a reader never reads
// outside the buffer it was given.
//
//   if (s->StartWriting() >= 0) { s->WriteInt(-1); s->WriteUnsignedInt(7u); }
//   int length = 0; const char* bytes = s->GetWrittenBuffer(length);
//   ... send bytes ...; s->ReleaseBuffer();
//
// Threading: user-interface thread only; one message at a time per streamer.
#ifndef NUVIBBStreamer_h
#define NUVIBBStreamer_h

#include "NUVBaseUnknown_var.h"

class VPL_EXPORT NUVIBBStreamer : public NUVBaseUnknown {
  NUV_DECLARE_CLASS
 public:
  // Starts a new message, dropping whatever was written or read before.
  virtual long StartWriting() = 0;
  virtual long WriteInt(int iValue) = 0;
  virtual long WriteUnsignedInt(unsigned int iValue) = 0;
  // The message written so far and its length in bytes; null when no
  // message is being written. The buffer stays valid until ReleaseBuffer or
  // the next StartWriting.
  virtual const char* GetWrittenBuffer(int& oLength) = 0;
  virtual long ReleaseBuffer() = 0;
  // Checks `iLength` bytes at `iBuffer` and makes them the message to read;
  // refuses (negative) a null, empty, truncated or oversized buffer.
  virtual long StartReading(const char* iBuffer, int iLength) = 0;
  // Reads the next field; negative, leaving `oValue` as it was, when the
  // next field is of the other kind or there is none.
  virtual long ReadInt(int& oValue) = 0;
  virtual long ReadUnsignedInt(unsigned int& oValue) = 0;
  // Forgets the message being read (the caller's buffer is not touched again).
  virtual long EndReading() = 0;
};

#define IID_NUVIBBStreamer (NUVIBBStreamer::ClassId())
typedef NUVVar<NUVIBBStreamer> NUVIBBStreamer_var;

#endif
