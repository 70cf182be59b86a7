#include "ChartMeasurementCondition.h"

#include <KxCgatsDocument.h>
#include <KxFileRead.h>

#include <vector>

namespace {

// Longer values are cut, at a character's start, so that the line stays
// readable on paper.
constexpr std::size_t LONGEST_VALUE = 120;

const struct {
    const char* keyword;
    const char* label;
} NAMED[] = {
    {"TARGET_INSTRUMENT", "instrument"},
    {"INSTRUMENTATION", "instrument"},
    {"MEASUREMENT_CONDITION", "condition"},
    {"FILTER", "filter"},
    {"ILLUMINANT", "illuminant"},
    {"ILLUMINATION_NAME", "illuminant"},
    {"OBSERVER", "observer"},
    {"OBSERVER_ANGLE", "observer"},
    {"MEASUREMENT_GEOMETRY", "geometry"},
    {"MEASUREMENT_SOURCE", "light source"},
    {"DEVCALSTD", "calibration standard"},
    {"SAMPLE_BACKING", "backing"},
};

std::string shortened(std::string value)
{
    if (value.size() <= LONGEST_VALUE)
        return value;
    std::size_t end = LONGEST_VALUE;
    while (end > 0 && (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80)
        --end;
    return value.substr(0, end) + "...";
}

} // namespace

std::string ChartMeasurementCondition::of(const unsigned char* data, std::size_t size)
{
    KxCgatsDocument document("the measurement file");
    std::string whyNot;
    if (!document.load(data, size, whyNot))
        return {};
    std::string condition;
    for (const auto& named : NAMED) {
        const char* value = document.property(named.keyword);
        if (!value || !*value)
            continue;
        condition += (condition.empty() ? "" : ", ") + std::string(named.label) + " " + shortened(value);
    }
    return condition;
}

std::string ChartMeasurementCondition::ofFile(const char* path)
{
    std::vector<unsigned char> bytes;
    if (Kx_readFile(path, KxFileKind::Measurements, bytes) != KxReadResult::Read)
        return {};
    return of(bytes.data(), bytes.size());
}
