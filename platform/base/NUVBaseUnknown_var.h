// NUVBaseUnknown_var: the handle on any object (see NUVVar).
#ifndef NUVBaseUnknown_var_h
#define NUVBaseUnknown_var_h

#include "NUVVar.h"

typedef NUVVar<NUVBaseUnknown> NUVBaseUnknown_var;

#endif
