#ifndef SIMULATEDINSTRUMENT_H
#define SIMULATEDINSTRUMENT_H

#include "InstrumentDriver.h"

#include <memory>
#include <random>

struct KxCMS;

// Rehearses a measuring session without hardware: each reading is what a
// printer profile predicts for the patch (a chart patch's own Lab, or the
// chosen CMYK value through the profile), moved by a fixed CIE 1976
// difference in a random direction drawn from a seeded generator, so a run
// repeats exactly for the same seed.
class SimulatedInstrument : public InstrumentDriver
{
    Q_OBJECT

public:
    static constexpr double MAX_DIFFERENCE = 5.0;

    explicit SimulatedInstrument(QObject* parent = nullptr);
    ~SimulatedInstrument() override;

    // False (and the previous profile kept) when the path is no CMYK profile.
    bool setProfile(const QString& path);
    QString profile() const { return profilePath; }

    // Clamped to 0..MAX_DIFFERENCE.
    void setDifference(double deltaE);
    double difference() const { return deltaE; }

    // Restarts the random sequence.
    void setSeed(unsigned int seed);
    unsigned int seed() const { return seedValue; }

    void read(const InstrumentTarget& target) override;

private:
    struct CmsDeleter {
        void operator()(KxCMS* cms) const;
    };

    QString profilePath;
    std::unique_ptr<KxCMS, CmsDeleter> cms;
    double deltaE = 0.0;
    unsigned int seedValue = 1;
    std::mt19937 generator;
};

#endif
