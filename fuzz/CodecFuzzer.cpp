// The codec: whatever bytes read as text in an encoding are written back as they
// came (ISO-2022-JP in its one written form), read again as the same text, and map
// their places to offsets in order within what is written. The vector check for
// unassigned CP932 units finds the one the portable walk finds.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/VectorPath.h"
#include "engine/text/Codec.h"
#include "engine/text/Cp932.h"
#include "engine/text/Encoding.h"
#include "fuzz/FuzzSupport.h"

namespace {

constexpr EEncoding kEncodings[] = {
    EEncoding::ShiftJis,   EEncoding::Utf8,       EEncoding::Utf8Bom,      EEncoding::EucJp,
    EEncoding::Iso2022Jp,  EEncoding::Utf16Le,    EEncoding::Utf16LeBom,   EEncoding::Utf16Be,
    EEncoding::Utf16BeBom, EEncoding::ShiftJis2004, EEncoding::EucJis2004,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    const EEncoding encoding =
        kEncodings[input.TakeByte() % (sizeof kEncodings / sizeof kEncodings[0])];
    const std::string bytes = input.Rest();
    AllowVectorPath(false);
    const std::size_t walked = FindUnassignedCp932(bytes, nullptr);
    AllowVectorPath(true);
    FUZZ_CHECK(FindUnassignedCp932(bytes, nullptr) == walked);
    CCodec codec;
    codec.StartText(bytes, encoding);
    std::string text;
    CTextFault fault;
    if (!codec.DecodeText(bytes, encoding, text, fault))
        return 0;

    std::string written;
    FUZZ_CHECK(codec.Encode(text, encoding, written, fault));
    const bool marked = bytes.starts_with(ByteOrderMarkOf(encoding));
    if (encoding != EEncoding::Iso2022Jp && marked)
        FUZZ_CHECK(written == bytes);
    std::string again;
    FUZZ_CHECK(codec.DecodeText(written, encoding, again, fault));
    FUZZ_CHECK(again == text);

    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i <= text.size(); ++i)
        offsets.push_back(i);
    codec.MapOffsets(text, encoding, offsets);
    FUZZ_CHECK(std::is_sorted(offsets.begin(), offsets.end()));
    FUZZ_CHECK(offsets.back() <= written.size());
    return 0;
}
