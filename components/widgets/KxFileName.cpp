#include "KxFileName.h"

#include "KxUtf8.h"

#include <string_view>

namespace {

// Where bytes that are not UTF-8 are held: U+DC80 to U+DCFF, as only bytes
// from 0x80 on can fail to be UTF-8.
constexpr char16_t FOREIGN_BYTE_BASE = 0xDC00;

bool holdsForeignByte(char16_t unit)
{
    return unit >= FOREIGN_BYTE_BASE + 0x80 && unit <= FOREIGN_BYTE_BASE + 0xFF;
}

} // namespace

QString KxFileName::decode(const QByteArray& bytes)
{
    const std::string_view text(bytes.constData(), std::size_t(bytes.size()));
    QString name;
    std::size_t runStart = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t length = KxUtf8::characterLength(text, at);
        if (length > 0) {
            at += length;
            continue;
        }
        name += QString::fromUtf8(text.data() + runStart, qsizetype(at - runStart));
        name += QChar(char16_t(FOREIGN_BYTE_BASE + static_cast<unsigned char>(text[at])));
        runStart = ++at;
    }
    return name + QString::fromUtf8(text.data() + runStart, qsizetype(text.size() - runStart));
}

QByteArray KxFileName::encode(const QString& name)
{
    QByteArray bytes;
    qsizetype runStart = 0;
    for (qsizetype at = 0; at < name.size(); ++at) {
        const QChar unit = name.at(at);
        if (unit.isHighSurrogate() && at + 1 < name.size() && name.at(at + 1).isLowSurrogate()) {
            ++at; // a character beyond the first plane
            continue;
        }
        if (!holdsForeignByte(unit.unicode()))
            continue;
        bytes += QStringView(name).mid(runStart, at - runStart).toUtf8();
        bytes += char(unit.unicode() - FOREIGN_BYTE_BASE);
        runStart = at + 1;
    }
    return bytes + QStringView(name).mid(runStart).toUtf8();
}
