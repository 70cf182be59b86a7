#include "SwatchReaderTable.h"

#include "AcoSwatchReader.h"
#include "AseSwatchReader.h"
#include "CgatsSwatchReader.h"
#include "GplSwatchReader.h"

#include <iterator>

namespace {

// CGATS comes last: it is recognised by a keyword anywhere in a text, which
// a file of another kind may happen to hold.
const SwatchReaderEntry readers[] = {
    {SwatchImporter::SWATCH_ASE, AseSwatchReader::kindName, "ase", &AseSwatchReader::recognises, &AseSwatchReader::read},
    {SwatchImporter::SWATCH_ACO, AcoSwatchReader::kindName, "aco", &AcoSwatchReader::recognises, &AcoSwatchReader::read},
    {SwatchImporter::SWATCH_GPL, GplSwatchReader::kindName, "gpl", &GplSwatchReader::recognises, &GplSwatchReader::read},
    {SwatchImporter::SWATCH_CGATS, CgatsSwatchReader::kindName, "cgats", &CgatsSwatchReader::recognises, &CgatsSwatchReader::read},
};

} // namespace

const SwatchReaderEntry* SwatchReaderTable::begin()
{
    return std::begin(readers);
}

const SwatchReaderEntry* SwatchReaderTable::end()
{
    return std::end(readers);
}

const SwatchReaderEntry* SwatchReaderTable::recognise(const unsigned char* data, std::size_t size)
{
    for (const SwatchReaderEntry& entry : readers)
        if (entry.recognises(data, size))
            return &entry;
    return nullptr;
}

const SwatchReaderEntry* SwatchReaderTable::find(const std::string& shortName)
{
    for (const SwatchReaderEntry& entry : readers)
        if (shortName == entry.shortName)
            return &entry;
    return nullptr;
}

std::string SwatchReaderTable::kindNames()
{
    std::string names;
    for (const SwatchReaderEntry* entry = begin(); entry != end(); ++entry) {
        if (entry != begin())
            names += entry + 1 == end() ? " or " : ", ";
        names += entry->name;
    }
    return names;
}
