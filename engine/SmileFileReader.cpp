#include "engine/SmileFileReader.h"

#include "engine/EncodingDetector.h"
#include "engine/Limits.h"
#include "engine/TextFile.h"

bool ReadSmileFile(const std::string& path, std::optional<EEncoding> encoding, CCodeTable& codes,
                   std::string& cp932, CSmileFileFault& fault)
{
    std::string bytes;
    // Held to the text's limit, so that a device or a huge file cannot use up memory.
    if (!ReadFileBytes(path, bytes, fault.m_error, kTextLimit))
        return false;
    return DecodeSmileFile(bytes, encoding, codes, cp932, fault);
}

bool DecodeSmileFile(std::string_view bytes, std::optional<EEncoding> encoding, CCodeTable& codes,
                     std::string& cp932, CSmileFileFault& fault)
{
    fault.m_error.clear();
    fault.m_eEncoding = EncodingToRead(bytes, encoding);
    return DecodeText(bytes, fault.m_eEncoding, codes, cp932, fault.m_text);
}
