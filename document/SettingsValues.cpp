#include "document/SettingsValues.h"

#include "engine/smile/Converter.h"

CSettingsValues ReadSettingsValues(const CConverter& converter)
{
    CSettingsValues values;
    values.m_nFrequency = converter.m_nFrequency;
    values.m_bHTMLCut = converter.m_bHTMLCut;
    values.m_bCPPCut = converter.m_bCPPCut;
    values.m_bReturnCode = converter.m_bReturnCode;
    values.m_strZenkaku = converter.m_strZenkaku;
    values.m_strHankaku = converter.m_strHankaku;
    return values;
}

void WriteSettingsValues(const CSettingsValues& values, CConverter& converter)
{
    converter.m_nFrequency = values.m_nFrequency;
    converter.m_bHTMLCut = values.m_bHTMLCut;
    converter.m_bCPPCut = values.m_bCPPCut;
    converter.m_bReturnCode = values.m_bReturnCode;
    converter.m_strZenkaku = values.m_strZenkaku;
    converter.m_strHankaku = values.m_strHankaku;
}
