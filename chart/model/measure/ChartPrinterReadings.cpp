#include "ChartPrinterReadings.h"

#include <algorithm>

std::vector<PrinterMeasurement> ChartPrinterReadings::of(const ChartMeasurementSession& session)
{
    const PrinterDevice device = session.device() == ChartDevice::Rgb ? PrinterDevice::Rgb : PrinterDevice::Cmyk;
    std::vector<PrinterMeasurement> measurements;
    measurements.reserve(session.readings().size());
    for (const auto& [patch, reading] : session.readings()) {
        PrinterMeasurement measurement;
        const std::array<double, 4> values = session.record(patch).devicePercent();
        std::copy(values.begin(), values.end(), measurement.inks);
        std::copy(reading.lab, reading.lab + 3, measurement.lab);
        measurement.device = device;
        measurements.push_back(measurement);
    }
    return measurements;
}

bool ChartPrinterReadings::hasPaperWhite(const ChartMeasurementSession& session)
{
    return std::any_of(session.readings().begin(), session.readings().end(),
                       [&](const auto& entry) { return session.record(entry.first).isPaper(); });
}
