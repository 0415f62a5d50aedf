#ifndef CHIRPWELL_ENGINE_SMILE_STREAMSMILER_H
#define CHIRPWELL_ENGINE_SMILE_STREAMSMILER_H

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/smile/SmilePlace.h"
#include "engine/text/Encoding.h"
#include "engine/text/StreamFault.h"

class CConverter;
class CFilterStream;
class CRandom;
class CSmileWalk;
class CStreamDecoder;
class CStreamEncoder;
class IProgress;

// Smiles a text that comes in parts, a stream of any length, as opening a file smiles
// it, but without the text limit and the maximum length: the output, the random draws
// and the smiled places are those of one run of the filters and the conversion over
// the whole text, however the stream is cut. The input's encoding is the one given or
// the one its first 64 KiB are detected in; the codec starts afresh for it, and the
// smile set in force is encoded again for it. Memory stays the same whatever the
// stream's length, but for an HTML tag or a comment held open, up to 16 MiB. No
// input or output of its own: the caller feeds the bytes it reads and writes what
// comes out. The converter (the settings, the smile set and the codec), which must
// not change meanwhile, and the generator, seeded, must outlive the smiler.
class CStreamSmiler {
public:
    static constexpr std::size_t kDetectBytes = 64 * 1024;

    // input and output: the encodings, none to detect the input's and to write in
    // the input's (a mark kept as KeepingByteOrderMark keeps it).
    CStreamSmiler(CConverter& converter, CRandom& random,
                  std::optional<EEncoding> input = std::nullopt,
                  std::optional<EEncoding> output = std::nullopt);
    ~CStreamSmiler();
    CStreamSmiler(const CStreamSmiler&) = delete;
    CStreamSmiler& operator=(const CStreamSmiler&) = delete;

    // Takes the next bytes of the input and appends to out what of the output is
    // final. With places, given on every call or on none, appends the places of the
    // replacements in that output, in bytes of the whole output. False after a
    // fault (Fault says which), and on every call after one.
    bool Feed(std::string_view bytes, std::string& out, CSmilePlaceList* places = nullptr);
    // Ends the input and appends the rest of the output; once only.
    bool Finish(std::string& out, CSmilePlaceList* places = nullptr);

    // Once the output has begun: the input's encoding, as given or detected, and the
    // output's.
    std::optional<EEncoding> InputEncoding() const { return m_input; }
    std::optional<EEncoding> OutputEncoding() const { return m_output; }
    const CStreamFault& Fault() const { return m_fault; }

private:
    // The bytes of the input that may be held before the output begins.
    std::size_t StartBytes() const;
    // Chooses the encodings and starts the codec and every stage.
    bool Start(bool last);
    // Feeds bytes to the stages in slices, the last of them last.
    bool RunSlices(std::string_view bytes, bool last, std::string& out, CSmilePlaceList* places);
    bool Run(std::string_view bytes, bool last, std::string& out, CSmilePlaceList* places);
    bool Fail(CStreamFault::EKind kind);

    CConverter& m_converter;
    CRandom& m_random;
    const std::optional<EEncoding> m_namedInput;
    const std::optional<EEncoding> m_namedOutput;
    std::optional<EEncoding> m_input;
    std::optional<EEncoding> m_output;
    std::string m_strStart;  // the input until the output begins
    std::unique_ptr<IProgress> m_pProgress;  // shows nothing
    std::unique_ptr<CStreamDecoder> m_pDecoder;
    std::unique_ptr<CFilterStream> m_pFilters;
    std::unique_ptr<CSmileWalk> m_pWalk;
    std::unique_ptr<CStreamEncoder> m_pEncoder;
    CSmilePlaceList m_smiled;      // the walk's places of the last part
    std::string m_strUnsmiled;     // filtered text the walk has yet to take
    std::string m_strSmiled;       // the walk's result of the last part
    std::size_t m_nLookahead = 2;  // the bytes the walk needs behind a position
    bool m_bFailed = false;
    bool m_bFinished = false;
    CStreamFault m_fault;
};

#endif
