#include "ChartPrinterReadings.h"

#include <algorithm>

std::vector<PrinterMeasurement> ChartPrinterReadings::of(const ChartMeasurementSession& session)
{
    std::vector<PrinterMeasurement> measurements;
    measurements.reserve(session.readings().size());
    for (const auto& [patch, reading] : session.readings()) {
        PrinterMeasurement measurement;
        const std::array<double, 4> inks = session.record(patch).inkPercent();
        std::copy(inks.begin(), inks.end(), measurement.inks);
        std::copy(reading.lab, reading.lab + 3, measurement.lab);
        measurements.push_back(measurement);
    }
    return measurements;
}

bool ChartPrinterReadings::hasPaperWhite(const ChartMeasurementSession& session)
{
    for (const auto& entry : session.readings()) {
        const std::array<unsigned char, 4> inks = session.record(entry.first).inkBytes();
        if (std::all_of(inks.begin(), inks.end(), [](unsigned char ink) { return ink == 0; }))
            return true;
    }
    return false;
}
