#include "engine/Encoding.h"

const char* EncodingName(EEncoding encoding)
{
    switch (encoding) {
    case EEncoding::ShiftJis:
        return "Shift_JIS";
    case EEncoding::Utf8:
        return "UTF-8";
    case EEncoding::Utf8Bom:
        return "UTF-8 (BOM)";
    case EEncoding::EucJp:
        return "EUC-JP";
    }
    return "";
}
