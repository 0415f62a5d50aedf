#ifndef CHIRPWELL_TESTS_REFERENCE_STREAMRUNS_H
#define CHIRPWELL_TESTS_REFERENCE_STREAMRUNS_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/smile/SmilePlace.h"
#include "engine/text/Encoding.h"
#include "engine/text/StreamFault.h"

// A stream smiled in pieces, and the same text smiled whole by the pipeline without
// limits, which the stream must match: the tests and the fuzz target hold one against
// the other.

// What is smiled, and how.
struct CStreamSettings {
    int m_nFrequency = 2;
    std::uint32_t m_nSeed = 1;
    bool m_bHtml = false;
    bool m_bComments = false;
    bool m_bNewlines = true;
    std::string m_strSmileFile;  // a smile file's bytes; empty for the built-in set
    std::optional<EEncoding> m_input;
    std::optional<EEncoding> m_output;
};

struct CStreamOutcome {
    bool m_bDone = false;
    std::string m_strOutput;  // all of it when done; what came before the fault if not
    CSmilePlaceList m_places;  // in bytes of the output
    EEncoding m_eInput = EEncoding::ShiftJis;   // as the stream chose them
    EEncoding m_eOutput = EEncoding::ShiftJis;
    CStreamFault m_fault;  // the stream's, when not done
};

// The input fed in pieces that end at cuts (sorted offsets, any of them repeated or
// out of the input), then finished.
CStreamOutcome SmileStream(const CStreamSettings& settings, std::string_view input,
                           const std::vector<std::size_t>& cuts);

// The input smiled whole, without a text limit or a maximum length, read in input
// and written in output.
CStreamOutcome SmileWhole(const CStreamSettings& settings, std::string_view input,
                          EEncoding inputEncoding, EEncoding outputEncoding);

// An empty text when the stream matches the whole run, else what differs. A stream
// may stop where the whole run does not only at a pair of a Shift_JIS text's own
// that a smile-set character took.
std::string CompareStreamWithWhole(const CStreamSettings& settings, std::string_view input,
                                   const std::vector<std::size_t>& cuts);

#endif
