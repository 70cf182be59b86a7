#include "SwatchImporter.h"

#include "AcoSwatchReader.h"
#include "AseSwatchReader.h"
#include "CgatsSwatchReader.h"
#include "GplSwatchReader.h"
#include "SwatchList.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileClose>;

} // namespace

bool SwatchImporter::readFile(const char* path, std::vector<unsigned char>& bytes, std::string& whyNot)
{
    FileHandle file(path ? std::fopen(path, "rb") : nullptr);
    if (!file) {
        whyNot = "The file could not be opened.";
        return false;
    }
    bytes.clear();
    unsigned char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        if (bytes.size() + got > maximumFileSize) {
            whyNot = "The file is larger than 64 MiB, too large to be read.";
            return false;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    if (std::ferror(file.get())) {
        whyNot = "The file could not be read.";
        return false;
    }
    return true;
}

SwatchImporter::SwatchType SwatchImporter::recognise(const unsigned char* data, std::size_t size)
{
    if (AseSwatchReader::recognises(data, size))
        return SWATCH_ASE;
    if (AcoSwatchReader::recognises(data, size))
        return SWATCH_ACO;
    if (GplSwatchReader::recognises(data, size))
        return SWATCH_GPL;
    if (CgatsSwatchReader::recognises(data, size))
        return SWATCH_CGATS;
    return SWATCH_UNKNOWN;
}

KxCOMBOCOLOUR* SwatchImporter::importFromMemory(const unsigned char* data, std::size_t size, SwatchType& type,
                                                std::string* whyNot)
{
    std::string reason;
    SwatchList list;
    type = recognise(data, size);
    bool read = false;
    switch (type) {
    case SWATCH_ASE:
        read = AseSwatchReader::read(data, size, list, reason);
        break;
    case SWATCH_ACO:
        read = AcoSwatchReader::read(data, size, list, reason);
        break;
    case SWATCH_GPL:
        read = GplSwatchReader::read(data, size, list, reason);
        break;
    case SWATCH_CGATS:
        read = CgatsSwatchReader::read(data, size, list, reason);
        break;
    case SWATCH_UNKNOWN:
        reason = size == 0 ? "The file is empty."
                           : "The file is not a swatch file of a kind Tintora reads (CGATS, Adobe Swatch "
                             "Exchange, Adobe Color or GIMP palette).";
        break;
    }
    if (read && list.count() == 0) {
        read = false;
        reason = "The swatch file holds no colours that Tintora can use.";
    }
    if (!read) {
        if (whyNot)
            *whyNot = reason;
        return nullptr;
    }
    return list.take();
}

KxCOMBOCOLOUR* SwatchImporter::import(const char* path, SwatchType& type, unsigned int /*flags*/, std::string* whyNot)
{
    type = SWATCH_UNKNOWN;
    std::vector<unsigned char> bytes;
    std::string reason;
    if (!SwatchImporter::readFile(path, bytes, reason)) {
        if (whyNot)
            *whyNot = reason;
        return nullptr;
    }
    return importFromMemory(bytes.data(), bytes.size(), type, whyNot);
}
