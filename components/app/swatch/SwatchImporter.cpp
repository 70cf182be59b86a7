#include "SwatchImporter.h"

#include "KxFileRead.h"
#include "SwatchList.h"
#include "SwatchReaderTable.h"

#include <vector>

SwatchImporter::SwatchType SwatchImporter::recognise(const unsigned char* data, std::size_t size)
{
    const SwatchReaderEntry* reader = SwatchReaderTable::recognise(data, size);
    return reader ? reader->type : SWATCH_UNKNOWN;
}

KxCOMBOCOLOUR* SwatchImporter::importFromMemory(const unsigned char* data, std::size_t size, SwatchType& type,
                                                std::string* whyNot)
{
    std::string reason;
    SwatchList list;
    const SwatchReaderEntry* reader = SwatchReaderTable::recognise(data, size);
    type = reader ? reader->type : SWATCH_UNKNOWN;
    bool read = false;
    if (reader)
        read = reader->read(data, size, list, reason);
    else if (size == 0)
        reason = "The file is empty.";
    else
        reason = "The file is not a swatch file of a kind Tintora reads (" + SwatchReaderTable::kindNames() + ").";
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
    const KxReadResult result = Kx_readFile(path, KxFileKind::Swatches, bytes);
    if (result != KxReadResult::Read) {
        if (whyNot)
            *whyNot = Kx_readFailureText(result, KxFileKind::Swatches);
        return nullptr;
    }
    return importFromMemory(bytes.data(), bytes.size(), type, whyNot);
}
