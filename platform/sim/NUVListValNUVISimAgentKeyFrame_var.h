// NUVListValNUVISimAgentKeyFrame_var: a list of key-frame agent handles
// (see NUVListValVar).
#ifndef NUVListValNUVISimAgentKeyFrame_var_h
#define NUVListValNUVISimAgentKeyFrame_var_h

#include "NUVISimAgentKeyFrame.h"
#include "NUVListValVar.h"

typedef NUVListValVar<NUVISimAgentKeyFrame> NUVListValNUVISimAgentKeyFrame_var;

#endif
