// NUVBBStreamer: the collaboration framework's streamer (NUVIBBStreamer).
//
// Byte encoding of a message, independent of the machine's byte order:
//   byte 0      format version, 1
//   byte 1      number of fields n, 0 to kMaxFields
//   then n fields of 5 bytes each:
//     byte 0    kind: 'i' (0x69) a signed 32-bit int, 'u' (0x75) an
//               unsigned 32-bit int
//     bytes 1-4 the value's 32 bits, least significant byte first (two's
//               complement for 'i')
// A message is exactly 2 + 5 n bytes long. StartReading refuses with
// E_INVALIDARG a null buffer or a length below 1, and with E_FAIL a wrong
// version, an unknown kind, a length other than 2 + 5 n (truncated or with
// bytes left over) or more than kMaxMessageBytes.
//
//   NUVBBStreamer* s = new NUVBBStreamer;   // one reference
//   s->StartWriting(); s->WriteInt(5);
//
// Threading: user-interface thread only.
#ifndef NUVBBStreamer_h
#define NUVBBStreamer_h

#include <vector>

#include "NUVIBBStreamer.h"

class VPL_EXPORT NUVBBStreamer : public NUVIBBStreamer {
  NUV_DECLARE_CLASS
 public:
  static const int kMaxFields = 32;
  static const int kMaxMessageBytes = 2 + 5 * kMaxFields;

  NUVBBStreamer();
  ~NUVBBStreamer() override;

  long StartWriting() override;
  long WriteInt(int iValue) override;
  long WriteUnsignedInt(unsigned int iValue) override;
  const char* GetWrittenBuffer(int& oLength) override;
  long ReleaseBuffer() override;
  long StartReading(const char* iBuffer, int iLength) override;
  long ReadInt(int& oValue) override;
  long ReadUnsignedInt(unsigned int& oValue) override;
  long EndReading() override;

 private:
  long Write(char kind, unsigned int bits);
  long Read(char kind, unsigned int& oBits);

  std::vector<char> _Written;
  unsigned char _Writing;
  const unsigned char* _pReading;  // the caller's buffer, checked; null when not reading
  int _ReadingFields;
  int _NextField;
};

#endif
