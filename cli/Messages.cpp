#include "cli/Messages.h"

#include "cli/FixedTexts.h"
#include "engine/text/Codec.h"
#include "programs/Translation.h"

void CMessages::ShowMessage(const std::string& text)
{
    std::string utf8;
    if (!Cp932ToUtf8(text, utf8))
        utf8 = text;
    Error(m_strContext + FixedText(utf8));
}

void CMessages::Error(const std::string& text)
{
    std::fprintf(m_pStream, "chirpwell-smile: %s\n", text.c_str());
}

void CMessages::BadUsage(const std::string& text)
{
    Error(text);
    std::fputs(Tr("Try 'chirpwell-smile --help' for more information.\n"), m_pStream);
}
