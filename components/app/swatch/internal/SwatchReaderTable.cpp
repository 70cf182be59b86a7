#include "SwatchReaderTable.h"

#include <iterator>

namespace {

// CGATS comes last: it is recognised by a keyword anywhere in a text, which
// a file of another kind may happen to hold.
const SwatchReaderEntry* const readers[] = {
    &ASE_SWATCH_READER,
    &ACO_SWATCH_READER,
    &GPL_SWATCH_READER,
    &CGATS_SWATCH_READER,
};

} // namespace

const SwatchReaderEntry* const* SwatchReaderTable::begin()
{
    return std::begin(readers);
}

const SwatchReaderEntry* const* SwatchReaderTable::end()
{
    return std::end(readers);
}

const SwatchReaderEntry* SwatchReaderTable::recognise(const unsigned char* data, std::size_t size)
{
    for (const SwatchReaderEntry* entry : readers)
        if (entry->recognises(data, size))
            return entry;
    return nullptr;
}

const SwatchReaderEntry* SwatchReaderTable::find(const std::string& shortName)
{
    for (const SwatchReaderEntry* entry : readers)
        if (shortName == entry->shortName)
            return entry;
    return nullptr;
}

std::string SwatchReaderTable::kindNames()
{
    std::string names;
    for (const SwatchReaderEntry* const* entry = begin(); entry != end(); ++entry) {
        if (entry != begin())
            names += entry + 1 == end() ? " or " : ", ";
        names += (*entry)->name;
    }
    return names;
}
