// NUVListValNUVISimAgentNegociatedTime_var: a list of negotiated-time agent
// handles (see NUVListValVar).
#ifndef NUVListValNUVISimAgentNegociatedTime_var_h
#define NUVListValNUVISimAgentNegociatedTime_var_h

#include "NUVISimAgentNegociatedTime.h"
#include "NUVListValVar.h"

typedef NUVListValVar<NUVISimAgentNegociatedTime> NUVListValNUVISimAgentNegociatedTime_var;

#endif
