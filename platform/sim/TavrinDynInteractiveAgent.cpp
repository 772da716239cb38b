#include "TavrinDynInteractiveAgent.h"

NUV_IMPLEMENT_CLASS(TavrinDynInteractiveAgent, NUVSimBasicAgent, "VelloranPlatform")

TavrinDynInteractiveAgent::TavrinDynInteractiveAgent()
    : NUVSimBasicAgent(static_cast<SimAgentType>(SimAgentTypeCompute | SimAgentTypeObserve)) {}

TavrinDynInteractiveAgent::~TavrinDynInteractiveAgent() = default;
