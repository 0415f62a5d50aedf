#include "engine/Pipeline.h"

#include "engine/Converter.h"
#include "engine/Filters.h"
#include "engine/Limits.h"

bool FilterAndSmile(const CConverter& settings, CConverter& smiler, std::string& text,
                    IProgress& progress)
{
    if (settings.m_bHTMLCut)
        StripHtmlTags(text, kTextLimit, progress);
    if (settings.m_bCPPCut)
        StripCppComments(text, kTextLimit, progress);
    if (settings.m_bReturnCode)
        NormalizeReturnCodes(text, kTextLimit, progress);
    return smiler.Convert(text, kMaxSmileLength, progress);
}
