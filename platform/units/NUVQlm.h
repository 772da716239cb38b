// NUVQlm: the vocabulary shared by the magnitude and units framework.
//
//   NUVQlm::Boolean decoded = magnitude->Decode("2.5 s", value);
//   if (decoded == NUVQlm::True) ...;
//
// Threading: any (types only).
#ifndef NUVQlm_h
#define NUVQlm_h

class NUVQlm {
 public:
  // A verdict that fits in one byte: zero is false.
  enum Boolean : unsigned char { False = 0, True = 1 };
};

#endif
