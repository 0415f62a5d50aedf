#include "cli/RunEngine.h"

#include "cli/Messages.h"
#include "cli/SmileOptions.h"

CRunEngine::CRunEngine(const CSmileOptions& options, CMessages& messages, CCodec& codec)
    : m_seedClock(options.m_nSeed),
      m_random(options.m_bSeedGiven ? static_cast<IClock&>(m_seedClock) : m_systemClock),
      m_converter(messages, m_random, &codec)
{
    m_converter.m_nFrequency = options.m_nFrequency;
    m_converter.m_bHTMLCut = options.m_bHtml;
    m_converter.m_bCPPCut = options.m_bComments;
    m_converter.m_bReturnCode = !options.m_bKeepNewlines;
}
