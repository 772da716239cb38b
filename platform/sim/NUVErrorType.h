// NUVErrorType: the severity of a simulation error shown to the user.
#ifndef NUVErrorType_h
#define NUVErrorType_h

enum NUVErrorType : int {
  NUVErrorTypeInformation = 0,
  NUVErrorTypeWarning = 1,
  NUVErrorTypeError = 2,
  NUVErrorTypeFatal = 3
};

#endif
