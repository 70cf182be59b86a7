#ifndef TEST_SWATCH_SAMPLES_H
#define TEST_SWATCH_SAMPLES_H

// Builds the swatch files the swatch tests read, byte by byte, as the
// formats lay them out, and holds what the importer makes of them.

#include "KxComboColour.h"
#include "KxList.h"
#include "KxPacket.h"
#include "SwatchImporter.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class BigEndian
{
public:
    BigEndian& u16(std::uint16_t v)
    {
        bytes.append(char(v >> 8)).append(char(v));
        return *this;
    }
    BigEndian& u32(std::uint32_t v) { return u16(std::uint16_t(v >> 16)).u16(std::uint16_t(v)); }
    BigEndian& f32(float v)
    {
        std::uint32_t w;
        std::memcpy(&w, &v, 4);
        return u32(w);
    }
    BigEndian& raw(const QByteArray& b)
    {
        bytes.append(b);
        return *this;
    }
    // UTF-16BE units of the text, with a terminating zero when asked.
    BigEndian& utf16(const QString& text, bool terminated)
    {
        for (QChar c : text)
            u16(c.unicode());
        if (terminated)
            u16(0);
        return *this;
    }
    QByteArray bytes;
};

struct AseEntry {
    QString name;
    QByteArray model; // "CMYK", "LAB ", "RGB ", "Gray"
    std::vector<float> values;
    std::uint16_t type = 2;
};

inline QByteArray aseColourBlock(const AseEntry& e)
{
    BigEndian body;
    body.u16(std::uint16_t(e.name.size() + 1)).utf16(e.name, true).raw(e.model);
    for (float v : e.values)
        body.f32(v);
    body.u16(e.type);
    return BigEndian().u16(0x0001).u32(std::uint32_t(body.bytes.size())).raw(body.bytes).bytes;
}

inline QByteArray aseGroupStart(const QString& name)
{
    BigEndian body;
    body.u16(std::uint16_t(name.size() + 1)).utf16(name, true);
    return BigEndian().u16(0xC001).u32(std::uint32_t(body.bytes.size())).raw(body.bytes).bytes;
}

inline QByteArray aseGroupEnd()
{
    return BigEndian().u16(0xC002).u32(0).bytes;
}

inline QByteArray aseFile(const QList<QByteArray>& blocks)
{
    BigEndian file;
    file.raw("ASEF").u16(1).u16(0).u32(std::uint32_t(blocks.size()));
    for (const QByteArray& b : blocks)
        file.raw(b);
    return file.bytes;
}

// A group of a CMYK and a Lab entry, then an RGB, a spot Gray and a last
// CMYK entry outside any group.
inline QByteArray aseSample()
{
    return aseFile({aseGroupStart("Brand"),
                    aseColourBlock({QString::fromUtf8("Bleu \u00e9t\u00e9"), "CMYK", {0.1f, 0.2f, 0.3f, 0.4f}}),
                    aseColourBlock({"Lab mid", "LAB ", {0.5f, -20.0f, 30.0f}}),
                    aseGroupEnd(),
                    aseColourBlock({"White", "RGB ", {1.0f, 1.0f, 1.0f}}),
                    aseColourBlock({"Spot gray", "Gray", {0.5f}, 1}),
                    aseColourBlock({QString::fromUtf8("Last \U0001F600"), "CMYK", {0.0f, 0.0f, 0.0f, 1.0f}})});
}

struct AcoColour {
    std::uint16_t space;
    std::uint16_t w[4];
    QString name;
};

inline QByteArray acoFile(const std::vector<AcoColour>& colours, bool withNames)
{
    BigEndian file;
    file.u16(1).u16(std::uint16_t(colours.size()));
    for (const AcoColour& c : colours)
        file.u16(c.space).u16(c.w[0]).u16(c.w[1]).u16(c.w[2]).u16(c.w[3]);
    if (withNames) {
        file.u16(2).u16(std::uint16_t(colours.size()));
        for (const AcoColour& c : colours)
            file.u16(c.space).u16(c.w[0]).u16(c.w[1]).u16(c.w[2]).u16(c.w[3])
                .u32(std::uint32_t(c.name.size() + 1)).utf16(c.name, true);
    }
    return file.bytes;
}

// CMYK (inverted: 50 % cyan), Lab, RGB white, a colour-book entry (left
// out), Gray (75 % ink) and wide CMYK.
inline std::vector<AcoColour> acoSampleColours()
{
    return {{2, {32767, 65535, 0, 65535}, "Half cyan"},
            {7, {5000, std::uint16_t(-2000), 3000, 0}, "Lab mid"},
            {0, {65535, 65535, 65535, 0}, "White"},
            {3, {1, 2, 3, 0}, "Book colour"},
            {8, {7500, 0, 0, 0}, "Dark gray"},
            {9, {1000, 2000, 3000, 4000}, "Wide"}};
}

inline QByteArray gplSample()
{
    return "GIMP Palette\n"
           "Name: Test palette\n"
           "Columns: 4\n"
           "# a comment line\n"
           "\n"
           "255 255 255\tWhite\n"
           "  0   0   0 Deep black\n"
           "128 128 128\n"
           "#255 0 0 commented out\n"
           "  0 0 255   Blue with trailing blanks   \r\n";
}

inline int recordCount(const KxCOMBOCOLOUR* first)
{
    int n = 0;
    for (; first; first = first->next)
        ++n;
    return n;
}

inline const KxCOMBOCOLOUR* recordAt(const KxCOMBOCOLOUR* first, int index)
{
    while (first && index-- > 0)
        first = first->next;
    return first;
}

// What the importer made of one file, owned for the length of a test.
struct Imported {
    KxCOMBOCOLOUR* first = nullptr;
    SwatchImporter::SwatchType type = SwatchImporter::SWATCH_UNKNOWN;
    std::string whyNot;
    ~Imported() { KxPacketFreeList(&first, KX_PACKET_COMBOCOLOUR); }
    const KxCOMBOCOLOUR* at(int i) const { return recordAt(first, i); }
    int count() const { return recordCount(first); }
};

inline void importFile(const QString& path, Imported& result)
{
    result.first = SwatchImporter::import(QFile::encodeName(path).constData(), result.type, 0, &result.whyNot);
}

inline void importBytes(const QByteArray& bytes, Imported& result)
{
    result.first = SwatchImporter::importFromMemory(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                                    std::size_t(bytes.size()), result.type, &result.whyNot);
}

#endif
