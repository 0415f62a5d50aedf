#include "engine/Pipeline.h"

#include "engine/Converter.h"
#include "engine/Filters.h"

bool FilterAndSmile(const CConverter& settings, CConverter& smiler, std::string& text,
                    IProgress& progress, std::size_t room, bool wholeCharacters)
{
    if (settings.m_bHTMLCut)
        StripHtmlTags(text, room, progress);
    if (settings.m_bCPPCut)
        StripCppComments(text, room, progress);
    if (settings.m_bReturnCode)
        NormalizeReturnCodes(text, room, progress);
    return smiler.Convert(text, room / 2, progress, wholeCharacters);
}
