// Writes a few well-formed files of each swatch kind as the fuzz targets'
// starting points: seeds/<kind>/<name>. With --readers, lists the short
// names of the swatch reader table's entries instead, one a line.

#include "KxCgatsDocument.h"
#include "SwatchReaderTable.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void u16(Bytes& b, std::uint16_t v)
{
    b.push_back(static_cast<unsigned char>(v >> 8));
    b.push_back(static_cast<unsigned char>(v));
}

void u32(Bytes& b, std::uint32_t v)
{
    u16(b, static_cast<std::uint16_t>(v >> 16));
    u16(b, static_cast<std::uint16_t>(v));
}

void f32(Bytes& b, float v)
{
    std::uint32_t w;
    std::memcpy(&w, &v, 4);
    u32(b, w);
}

void ascii(Bytes& b, const char* text)
{
    b.insert(b.end(), text, text + std::strlen(text));
}

void utf16(Bytes& b, const char* text)
{
    for (const char* c = text; *c; ++c)
        u16(b, static_cast<unsigned char>(*c));
    u16(b, 0);
}

void aseBlock(Bytes& file, std::uint16_t type, const Bytes& body)
{
    u16(file, type);
    u32(file, static_cast<std::uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
}

Bytes aseEntry(const char* name, const char* model, std::vector<float> values, std::uint16_t kind)
{
    Bytes body;
    u16(body, static_cast<std::uint16_t>(std::strlen(name) + 1));
    utf16(body, name);
    ascii(body, model);
    for (float v : values)
        f32(body, v);
    u16(body, kind);
    return body;
}

Bytes aseSample()
{
    Bytes file, group;
    ascii(file, "ASEF");
    u16(file, 1);
    u16(file, 0);
    u32(file, 6);
    u16(group, 6);
    utf16(group, "Brand");
    aseBlock(file, 0xC001, group);
    aseBlock(file, 0x0001, aseEntry("Cyan", "CMYK", {1, 0, 0, 0}, 2));
    aseBlock(file, 0x0001, aseEntry("Mid", "LAB ", {0.5f, -20, 30}, 0));
    aseBlock(file, 0xC002, {});
    aseBlock(file, 0x0001, aseEntry("Red", "RGB ", {1, 0, 0}, 1));
    aseBlock(file, 0x0001, aseEntry("Gray", "Gray", {0.5f}, 2));
    return file;
}

Bytes acoSample(bool named)
{
    const std::uint16_t colours[][5] = {{0, 65535, 0, 0, 0}, {2, 0, 65535, 65535, 65535}, {7, 5000, 65036, 3000, 0},
                                        {8, 5000, 0, 0, 0}, {1, 30000, 65535, 65535, 0}, {9, 100, 200, 300, 400}};
    const char* names[] = {"Red", "Cyan", "Lab", "Gray", "Hue", "Wide"};
    Bytes file;
    u16(file, 1);
    u16(file, 6);
    for (const auto& c : colours)
        for (std::uint16_t w : c)
            u16(file, w);
    if (named) {
        u16(file, 2);
        u16(file, 6);
        for (int i = 0; i < 6; ++i) {
            for (std::uint16_t w : colours[i])
                u16(file, w);
            u32(file, static_cast<std::uint32_t>(std::strlen(names[i]) + 1));
            utf16(file, names[i]);
        }
    }
    return file;
}

Bytes text(const char* content)
{
    Bytes b;
    ascii(b, content);
    return b;
}

// Readings under as many distinct keywords as a CGATS file may have, the
// two counts among them: the most work the parser's keyword lists are given.
Bytes manyKeywords()
{
    std::string content = "CGATS.17\n";
    for (unsigned long i = 2; i < KxCgatsDocument::MOST_KEYWORDS; ++i)
        content += "K" + std::to_string(i) + " \"v\"\n";
    content += "NUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L LAB_A LAB_B\nEND_DATA_FORMAT\nNUMBER_OF_SETS 2\n"
               "BEGIN_DATA\n1 50 0 0\n2 60 -10 10\nEND_DATA\n";
    return text(content.c_str());
}

void write(const std::string& folder, const std::string& name, const Bytes& bytes)
{
    ::mkdir(folder.c_str(), 0777);
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    if (std::strcmp(argv[1], "--readers") == 0) {
        for (auto entry = SwatchReaderTable::begin(); entry != SwatchReaderTable::end(); ++entry)
            std::printf("%s\n", (*entry)->shortName);
        return 0;
    }
    const std::string seeds = argv[1];
    ::mkdir(seeds.c_str(), 0777);
    write(seeds + "/ase", "sample.ase", aseSample());
    write(seeds + "/aco", "v1.aco", acoSample(false));
    write(seeds + "/aco", "v2.aco", acoSample(true));
    write(seeds + "/gpl", "sample.gpl",
          text("GIMP Palette\nName: Seed\nColumns: 2\n# comment\n255 0 0\tRed\n0 255 0 Green\n0 0 255\n"));
    write(seeds + "/cgats", "cmyk.txt",
          text("CGATS.17\nORIGINATOR \"seed\"\nKEYWORD \"SAMPLE_NAME\"\nNUMBER_OF_FIELDS 6\nBEGIN_DATA_FORMAT\n"
               "SAMPLE_ID SAMPLE_NAME CMYK_C CMYK_M CMYK_Y CMYK_K\nEND_DATA_FORMAT\nNUMBER_OF_SETS 2\nBEGIN_DATA\n"
               "1 \"Paper\" 0 0 0 0\n2 \"Black\" 0 0 0 100\nEND_DATA\n"));
    write(seeds + "/cgats", "lab.txt",
          text("IT8.7/2\nNUMBER_OF_FIELDS 4\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L LAB_A LAB_B\nEND_DATA_FORMAT\n"
               "NUMBER_OF_SETS 2\nBEGIN_DATA\nA1 50.5 -1e1 0x10\nA2 +.5 -0.25 3\nEND_DATA\n"));
    write(seeds + "/cgats", "rgbxyz.ti2",
          text("CTI2\n\nNUMBER_OF_FIELDS 7\nBEGIN_DATA_FORMAT\nSAMPLE_ID RGB_R RGB_G RGB_B XYZ_X XYZ_Y XYZ_Z\n"
               "END_DATA_FORMAT\nNUMBER_OF_SETS 1\nBEGIN_DATA\n1 100 50 0 41.2 21.3 1.9\nEND_DATA\n"
               "CTI2\nNUMBER_OF_FIELDS 2\nBEGIN_DATA_FORMAT\nSAMPLE_ID RGB_R\nEND_DATA_FORMAT\n"
               "NUMBER_OF_SETS 1\nBEGIN_DATA\n1 2\nEND_DATA\n"));
    write(seeds + "/cgats", "keywords.txt", manyKeywords());
    write(seeds + "/cgats", "measured.ti3",
          text("CTI3\n\nDESCRIPTOR \"seed\"\nKEYWORD \"DEVICE_CLASS\"\nDEVICE_CLASS \"OUTPUT\"\n"
               "KEYWORD \"COLOR_REP\"\nCOLOR_REP \"CMYK_LAB\"\n\nNUMBER_OF_FIELDS 9\nBEGIN_DATA_FORMAT\n"
               "SAMPLE_ID SAMPLE_NAME CMYK_C CMYK_M CMYK_Y CMYK_K LAB_L LAB_A LAB_B\nEND_DATA_FORMAT\n\n"
               "NUMBER_OF_SETS 2\nBEGIN_DATA\n1 \"Patch 0001\" 0.0000 0.0000 0.0000 12.5490 88.1 0.5 -1.2\n"
               "3 \"Patch 0003\" 100.0000 0.0000 0.0000 0.0000 55.0 -37.1 -50.2\nEND_DATA\n"));
    return 0;
}
