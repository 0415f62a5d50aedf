#include "engine/smilefiles/SmileFileReader.h"

#include "engine/Limits.h"
#include "engine/files/TextFile.h"
#include "engine/text/EncodingDetector.h"

bool ReadSmileFileBytes(const std::string& path, std::string& bytes, CSmileFileFault& fault)
{
    // Held to the text's limit, so that a device or a huge file cannot use up memory.
    return ReadFileBytes(path, bytes, fault.m_error, kTextLimit);
}

bool DecodeSmileFile(std::string_view bytes, std::optional<EEncoding> encoding, CCodec& codec,
                     std::string& cp932, CSmileFileFault& fault)
{
    fault.m_error.clear();
    fault.m_eEncoding = EncodingToRead(bytes, encoding);
    return codec.DecodeInput(bytes, fault.m_eEncoding, cp932, fault.m_text);
}
