#include "engine/smile/Pipeline.h"

#include "engine/smile/Converter.h"

void RunFilters(const CConverter& settings, std::string& text, IProgress& progress,
                std::size_t room, const CFilterPasses& passes)
{
    if (settings.m_bHTMLCut)
        passes.m_pStripHtmlTags(text, room, progress);
    if (settings.m_bCPPCut)
        passes.m_pStripCppComments(text, room, progress);
    if (settings.m_bReturnCode)
        passes.m_pNormalizeReturnCodes(text, room, progress);
}

bool FilterAndSmile(const CConverter& settings, CConverter& smiler, std::string& text,
                    IProgress& progress, std::size_t room, bool wholeCharacters)
{
    RunFilters(settings, text, progress, room);
    return smiler.Convert(text, room == kNoLimit ? kNoLimit : room / 2, progress, wholeCharacters);
}
