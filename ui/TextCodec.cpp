#include "ui/TextCodec.h"

#include <QFile>

#include "document/DisplayText.h"
#include "engine/text/Codec.h"

QString FromCp932(std::string_view cp932, const CCodec* codec)
{
    const CDisplayText shown(cp932, codec);
    // Messages keep their own line breaks; the display maps them to LF anyway.
    return QString::fromStdU16String(shown.Shown());
}

bool ToCp932(const QString& text, std::string& cp932, const CCodec* codec)
{
    if (!codec)
        return Utf8ToCp932(text.toStdString(), cp932);
    return codec->DecodeKnownInput(text.toStdString(), cp932);
}

QString FromPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string ToPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}
