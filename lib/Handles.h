#ifndef CHIRPWELL_LIB_HANDLES_H
#define CHIRPWELL_LIB_HANDLES_H

#include <cstdint>
#include <optional>
#include <string>

#include "engine/EngineTexts.h"
#include "engine/smile/SmilePlace.h"
#include "engine/text/Encoding.h"
#include "include/chirpwell/chirpwell.h"

// What the C interface's handles hold. Their names are the interface's.

// A smile set: the built-in one, or a smile file's bytes as read. The file is read
// again for every text, since its characters take that text's codes.
struct chirpwell_set {
    bool m_bBuiltIn = true;
    std::string m_strName;   // UTF-8
    std::string m_strPath;   // what messages call the file
    std::string m_strBytes;
    std::optional<EEncoding> m_encoding;  // none: detected
};

struct chirpwell_options {
    int m_nFrequency = 2;
    bool m_bHtml = false;
    bool m_bComments = false;
    bool m_bNewlines = true;
    std::optional<std::uint32_t> m_seed;  // none: the clock
    std::string m_strZenkaku = kDefaultZenkaku;  // UTF-8
    std::string m_strHankaku = kDefaultHankaku;
    std::optional<EEncoding> m_input;   // none: detected
    std::optional<EEncoding> m_output;  // none: the input's
    bool m_bLimits = true;
};

struct chirpwell_result {
    chirpwell_code m_eStatus = CHIRPWELL_OK;
    std::string m_strText;  // in m_eOutput
    EEncoding m_eInput = EEncoding::ShiftJis;
    EEncoding m_eOutput = EEncoding::ShiftJis;
    CSmilePlaceList m_places;  // in bytes of m_strText
};

#endif
