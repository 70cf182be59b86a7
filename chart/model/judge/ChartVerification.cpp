#include "ChartVerification.h"

#include "ChartMeasurementSession.h"

#include <KxColourMath.h>

#include <algorithm>

ChartVerification::ChartVerification(const ChartMeasurementSession& session) : readings(session)
{
    std::vector<double> differences76, differences2000;
    for (const auto& [patch, reading] : session.readings()) {
        const double* predicted = session.record(patch).labD50;
        const ChartPatchCheck check{patch, KxColourMath::deltaE76(reading.lab, predicted),
                                    KxColourMath::deltaE2000(reading.lab, predicted)};
        patchChecks.push_back(check);
        differences76.push_back(check.deltaE76);
        differences2000.push_back(check.deltaE2000);
    }
    figures76 = ChartDifferenceStatistics::of(std::move(differences76));
    figures2000 = ChartDifferenceStatistics::of(std::move(differences2000));
}

std::vector<ChartPatchCheck> ChartVerification::worst(std::size_t count) const
{
    std::vector<ChartPatchCheck> sorted = patchChecks;
    // Ties keep chart order, so the list is the same on every run.
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const ChartPatchCheck& a, const ChartPatchCheck& b) { return a.deltaE2000 > b.deltaE2000; });
    sorted.resize(std::min(count, sorted.size()));
    return sorted;
}

const ChartPatchCheck* ChartVerification::control(const std::string& name) const
{
    for (const ChartPatchCheck& check : patchChecks) {
        const char* controlName = readings.record(check.patch).controlName;
        if (controlName && name == controlName)
            return &check;
    }
    return nullptr;
}

std::vector<ChartPatchCheck> ChartVerification::controls() const
{
    std::vector<ChartPatchCheck> found;
    for (const ChartPatchCheck& check : patchChecks)
        if (readings.record(check.patch).controlName)
            found.push_back(check);
    return found;
}
