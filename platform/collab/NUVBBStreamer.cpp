#include "NUVBBStreamer.h"

NUV_IMPLEMENT_CLASS(NUVBBStreamer, NUVIBBStreamer, "VelloranPlatform")

namespace {
const unsigned char kVersion = 1;
const int kHeaderBytes = 2;
const int kFieldBytes = 5;
const char kSignedKind = 'i';
const char kUnsignedKind = 'u';
}  // namespace

NUVBBStreamer::NUVBBStreamer() : _Writing(0), _pReading(nullptr), _ReadingFields(0), _NextField(0) {}

NUVBBStreamer::~NUVBBStreamer() = default;

long NUVBBStreamer::StartWriting() {
  EndReading();
  _Written.assign({static_cast<char>(kVersion), 0});
  _Writing = 1;
  return S_OK;
}

long NUVBBStreamer::Write(char kind, unsigned int bits) {
  if (!_Writing) return E_UNEXPECTED;
  if (static_cast<unsigned char>(_Written[1]) >= kMaxFields) return E_FAIL;
  _Written.push_back(kind);
  for (int shift = 0; shift < 32; shift += 8) {
    _Written.push_back(static_cast<char>((bits >> shift) & 0xFFu));
  }
  _Written[1] = static_cast<char>(_Written[1] + 1);
  return S_OK;
}

long NUVBBStreamer::WriteInt(int iValue) { return Write(kSignedKind, static_cast<unsigned int>(iValue)); }

long NUVBBStreamer::WriteUnsignedInt(unsigned int iValue) { return Write(kUnsignedKind, iValue); }

const char* NUVBBStreamer::GetWrittenBuffer(int& oLength) {
  if (!_Writing) return nullptr;
  oLength = static_cast<int>(_Written.size());
  return _Written.data();
}

long NUVBBStreamer::ReleaseBuffer() {
  _Written.clear();
  _Writing = 0;
  return S_OK;
}

long NUVBBStreamer::StartReading(const char* iBuffer, int iLength) {
  EndReading();
  if (!iBuffer || iLength < 1) return E_INVALIDARG;
  if (iLength < kHeaderBytes || iLength > kMaxMessageBytes) return E_FAIL;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(iBuffer);
  const int fields = bytes[1];
  if (bytes[0] != kVersion || iLength != kHeaderBytes + kFieldBytes * fields) return E_FAIL;
  for (int f = 0; f < fields; ++f) {
    const char kind = static_cast<char>(bytes[kHeaderBytes + kFieldBytes * f]);
    if (kind != kSignedKind && kind != kUnsignedKind) return E_FAIL;
  }
  _pReading = bytes;
  _ReadingFields = fields;
  _NextField = 0;
  return S_OK;
}

long NUVBBStreamer::Read(char kind, unsigned int& oBits) {
  if (!_pReading || _NextField >= _ReadingFields) return E_FAIL;
  const unsigned char* field = _pReading + kHeaderBytes + kFieldBytes * _NextField;
  if (static_cast<char>(field[0]) != kind) return E_FAIL;
  unsigned int bits = 0;
  for (int i = 0; i < 4; ++i) bits |= static_cast<unsigned int>(field[1 + i]) << (8 * i);
  oBits = bits;
  ++_NextField;
  return S_OK;
}

long NUVBBStreamer::ReadInt(int& oValue) {
  unsigned int bits = 0;
  long result = Read(kSignedKind, bits);
  // Two's complement back to a signed value without relying on how the
  // compiler converts out-of-range unsigned values.
  if (result >= 0) {
    oValue = bits <= 0x7FFFFFFFu ? static_cast<int>(bits)
                                 : -static_cast<int>(~bits) - 1;
  }
  return result;
}

long NUVBBStreamer::ReadUnsignedInt(unsigned int& oValue) { return Read(kUnsignedKind, oValue); }

long NUVBBStreamer::EndReading() {
  _pReading = nullptr;
  _ReadingFields = 0;
  _NextField = 0;
  return S_OK;
}
