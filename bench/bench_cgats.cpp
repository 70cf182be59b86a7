// Times the CGATS readers on files at each of their limits: the most
// keywords, fields and sets the text check lets through, and files of
// exactly the size limit of each kind, as dense in values as those limits
// allow. Also times the many-keyword file that used to take the parser
// minutes, now refused before it. Each reading should take a time in
// proportion to the file's size; the last column shows microseconds per KiB.
// Usage: bench_cgats

#include "CgatsReadingsReader.h"
#include "KxCgatsDocument.h"
#include "KxFileRead.h"
#include "KxPacket.h"
#include "SwatchImporter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string keywordLines(unsigned long count)
{
    std::string lines;
    for (unsigned long i = 0; i < count; ++i)
        lines += "K" + std::to_string(i) + " \"v\"\n";
    return lines;
}

// One table of Lab readings; fields past the Lab ones hold "0".
std::string table(unsigned long fields, unsigned long sets)
{
    std::string text = "NUMBER_OF_FIELDS " + std::to_string(fields) + "\nBEGIN_DATA_FORMAT\nSAMPLE_ID LAB_L LAB_A LAB_B";
    std::string padding;
    for (unsigned long i = 4; i < fields; ++i) {
        text += " SPEC_" + std::to_string(i);
        padding += " 0";
    }
    text += "\nEND_DATA_FORMAT\nNUMBER_OF_SETS " + std::to_string(sets) + "\nBEGIN_DATA\n";
    for (unsigned long i = 1; i <= sets; ++i)
        text += std::to_string(i) + " 50 0 0" + padding + "\n";
    return text + "END_DATA\n";
}

std::string file(const std::string& keywords, unsigned long fields, unsigned long sets)
{
    return "CGATS.17\n" + keywords + table(fields, sets);
}

// A file of exactly `size` bytes: tables of the most sets, each set as
// many one-digit values as make a table fill about a quarter of the
// measurement file limit, as many tables as fit, and a comment for the rest.
std::string denseFile(std::size_t size)
{
    constexpr unsigned long FIELDS = 250;
    const std::string full = table(FIELDS, KxCgatsDocument::MOST_SETS);
    std::string text = "CGATS.17\n";
    while (text.size() + full.size() < size)
        text += full;
    text += "#";
    text.append(size - text.size() - 1, 'x');
    return text + "\n";
}

struct Outcome {
    bool read;
    std::string whyNot;
    double seconds;
};

Outcome readReadings(const std::string& text)
{
    std::vector<CgatsReading> readings;
    Outcome outcome{};
    const auto start = Clock::now();
    outcome.read = CgatsReadingsReader::read(reinterpret_cast<const unsigned char*>(text.data()), text.size(), readings,
                                             outcome.whyNot);
    outcome.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return outcome;
}

Outcome readSwatches(const std::string& text)
{
    SwatchImporter::SwatchType type;
    Outcome outcome{};
    const auto start = Clock::now();
    KxCOMBOCOLOUR* first = SwatchImporter::importFromMemory(reinterpret_cast<const unsigned char*>(text.data()),
                                                            text.size(), type, &outcome.whyNot);
    outcome.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    outcome.read = first != nullptr;
    KxPacketFreeList(&first, KX_PACKET_COMBOCOLOUR);
    return outcome;
}

// The best of `runs` readings.
void report(const char* what, const std::string& text, Outcome (*read)(const std::string&), const char* reader, int runs)
{
    Outcome best = read(text);
    for (int i = 1; i < runs; ++i) {
        const Outcome again = read(text);
        best.seconds = std::min(best.seconds, again.seconds);
    }
    std::printf("%-34s %10zu  %-9s %-8s %9.4f %8.2f\n", what, text.size(), reader, best.read ? "read" : "refused",
                best.seconds, best.seconds * 1e6 / (double(text.size()) / 1024.0));
    if (!best.read)
        std::printf("    %s\n", best.whyNot.c_str());
}

} // namespace

int main()
{
    std::printf("%-34s %10s  %-9s %-8s %9s %8s\n", "file", "bytes", "reader", "result", "seconds", "us/KiB");

    // NUMBER_OF_FIELDS and NUMBER_OF_SETS are keywords too.
    const std::string keywords = file(keywordLines(KxCgatsDocument::MOST_KEYWORDS - 2), 4, 64);
    const std::string manyKeywords = file(keywordLines(60000), 4, 64);
    const std::string fields = file({}, KxCgatsDocument::MOST_FIELDS, 64);
    const std::string sets = file({}, 4, KxCgatsDocument::MOST_SETS);
    const std::string measurementLimit = denseFile(Kx_fileSizeLimit(KxFileKind::Measurements));
    const std::string swatchLimit = denseFile(Kx_fileSizeLimit(KxFileKind::Swatches));

    const std::pair<const char*, Outcome (*)(const std::string&)> readers[] = {{"readings", &readReadings},
                                                                              {"swatches", &readSwatches}};
    for (const auto& [name, read] : readers) {
        report("keywords at the limit", keywords, read, name, 5);
        report("60000 keywords", manyKeywords, read, name, 5);
        report("fields at the limit", fields, read, name, 5);
        report("sets at the limit", sets, read, name, 5);
        report("measurement file size limit", measurementLimit, read, name, 1);
    }
    report("swatch file size limit", swatchLimit, &readSwatches, "swatches", 1);
    return 0;
}
