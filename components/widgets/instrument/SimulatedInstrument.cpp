#include "SimulatedInstrument.h"

#include "KxCMS.h"
#include "KxFileName.h"

#include <algorithm>
#include <cmath>

void SimulatedInstrument::CmsDeleter::operator()(KxCMS* handle) const
{
    KxCMSDestroy(handle);
}

SimulatedInstrument::SimulatedInstrument(QObject* parent)
    : InstrumentDriver(parent)
    , generator(seedValue)
{
}

SimulatedInstrument::~SimulatedInstrument() = default;

bool SimulatedInstrument::setProfile(const QString& path)
{
    const QByteArray file = KxFileName::encode(path);
    // The profile to itself: only its device-to-Lab side is used.
    KxCMS* opened = KxCMSInit(icSigCmykData, icSigCmykData, file.constData(), file.constData(), 0, 0, 0);
    if (!opened)
        return false;
    cms.reset(opened);
    profilePath = path;
    return true;
}

void SimulatedInstrument::setDifference(double value)
{
    deltaE = std::clamp(value, 0.0, MAX_DIFFERENCE);
}

void SimulatedInstrument::setSeed(unsigned int value)
{
    seedValue = value;
    generator.seed(value);
}

void SimulatedInstrument::read(const InstrumentTarget& target)
{
    double lab[3];
    if (target.chartPatch) {
        std::copy(target.patchLab, target.patchLab + 3, lab);
    } else if (cms) {
        KxCMSCMYKToLab(cms.get(), target.kcmy, &lab[0], &lab[1], &lab[2]);
    } else {
        emit message(tr("Choose a printer profile for the simulated instrument"));
        return;
    }

    // A direction uniform over the sphere: three normal deviates, normalised.
    std::normal_distribution<double> normal;
    double direction[3];
    double length = 0.0;
    do {
        for (double& component : direction)
            component = normal(generator);
        length = std::sqrt(direction[0] * direction[0] + direction[1] * direction[1] + direction[2] * direction[2]);
    } while (length < 1e-9);
    for (int i = 0; i < 3; ++i)
        lab[i] += deltaE * direction[i] / length;
    emit reading(lab[0], lab[1], lab[2]);
}
