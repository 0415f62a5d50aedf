#include "lib/Engine.h"

CLibraryEngine::CLibraryEngine(const chirpwell_options& options)
    : m_clock(options.m_seed), m_random(m_clock), m_converter(m_notifier, m_random, &m_codec)
{
    m_converter.m_nFrequency = options.m_nFrequency;
    m_converter.m_bHTMLCut = options.m_bHtml;
    m_converter.m_bCPPCut = options.m_bComments;
    m_converter.m_bReturnCode = options.m_bNewlines;
}

bool CLibraryEngine::LoadSet(const chirpwell_set& set)
{
    if (set.m_bBuiltIn) {
        m_converter.LoadBuiltInSet();
        return true;
    }
    // The set loaded once, so its codes are all it can lack now.
    return m_converter.LoadSmileText(set.m_strPath, set.m_strBytes, set.m_encoding);
}
