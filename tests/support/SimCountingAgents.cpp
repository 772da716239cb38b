#include "SimCountingAgents.h"

NUV_IMPLEMENT_CLASS(SimCountingKeyFrameAgent, NUVISimAgentKeyFrame, "VelloranTest")
NUV_IMPLEMENT_CLASS(SimCountingNegociatedTimeAgent, NUVISimAgentNegociatedTime, "VelloranTest")
