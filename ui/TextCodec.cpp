#include "ui/TextCodec.h"

#include <QFile>

#include "document/DisplayText.h"
#include "engine/Cp932.h"
#include "engine/Transcoder.h"

QString FromCp932(std::string_view cp932, const CCodeTable* codes)
{
    const CDisplayText shown(cp932, codes);
    // Messages keep their own line breaks; the display maps them to LF anyway.
    return QString::fromStdU16String(shown.Shown());
}

bool ToCp932(const QString& text, std::string& cp932, const CCodeTable* codes)
{
    if (!codes)
        return Utf8ToCp932(text.toStdString(), cp932);
    CTextFault fault;
    return DecodeKnownText(text.toStdString(), EEncoding::Utf8, *codes, cp932, fault);
}

QString FromPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string ToPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}
