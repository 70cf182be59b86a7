#include "InkSolver.h"

#include "DeviceSampling.h"

#include <KxColourMath.h>

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The coarse sampling of the admissible inks that gives every search one
// start near its target: 7 levels per ink for four inks.
constexpr unsigned SAMPLING_POINTS = 7 * 7 * 7 * 7;

constexpr int MOST_STEPS = 40;
// An ink this close to a bound counts as at it.
constexpr double AT_BOUND = 1e-9;
// Levenberg-Marquardt damping, relative to the curvature's diagonal
// (Marquardt, "An algorithm for least-squares estimation of nonlinear
// parameters", J. SIAM 11, 1963). It is eased after a step that lowers the
// sum and raised after one that does not, raised faster than eased, so that
// a run of failed steps soon turns into short steps down the gradient; a
// search gives up once the damping passes MOST_DAMPING.
constexpr double FIRST_DAMPING = 1e-3;
constexpr double LEAST_DAMPING = 1e-9;
constexpr double MOST_DAMPING = 1e8;
constexpr double DAMPING_EASE = 3.0;
constexpr double DAMPING_RAISE = 8.0;
// Keeps the damped system solvable where an ink has no effect at all.
constexpr double DAMPING_FLOOR = 1e-6;
// A search ends when a step moves no ink by more than this, or gains less.
constexpr double SMALLEST_STEP = 1e-7;
constexpr double SMALLEST_GAIN = 1e-12;

using Small = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, 0, 5, 5>;
using SmallVector = Eigen::Matrix<double, Eigen::Dynamic, 1, 0, 5, 1>;

// The inks that may move: those not held at a bound the gradient pushes
// against. Their count is returned, their indices fill free; sumHeld tells
// whether the total sits at its limit with the gradient pushing it up.
int movableInks(const double inks[4], int channels, const Eigen::Vector4d& gradient, const InkLimits& limits,
                int free[4], bool& sumHeld)
{
    int freeCount = 0;
    double sum = 0.0;
    double descentOfSum = 0.0;
    for (int i = 0; i < channels; ++i) {
        sum += inks[i];
        const bool heldLow = inks[i] <= AT_BOUND && gradient(i) > 0.0;
        const bool heldHigh = inks[i] >= limits.highest(i) - AT_BOUND && gradient(i) < 0.0;
        if (!heldLow && !heldHigh) {
            free[freeCount++] = i;
            descentOfSum -= gradient(i);
        }
    }
    sumHeld = sum >= limits.total - AT_BOUND && descentOfSum > 0.0;
    return freeCount;
}

// The damped Gauss-Newton step of the free inks. Where the total is held,
// the system is bordered by the constraint that the free inks' changes sum
// to 0, with its Lagrange multiplier as the extra unknown (the KKT system
// of an equality-constrained quadratic):
//     [ H + damping D   1 ] [ step ]   [ -g ]
//     [ 1^T             0 ] [ mu   ] = [  0 ]
SmallVector dampedStep(const Eigen::Matrix4d& curvature, const Eigen::Vector4d& gradient, const int free[4],
                       int freeCount, bool sumHeld, double damping)
{
    const int size = freeCount + (sumHeld ? 1 : 0);
    Small system = Small::Zero(size, size);
    SmallVector right = SmallVector::Zero(size);
    for (int a = 0; a < freeCount; ++a) {
        for (int b = 0; b < freeCount; ++b)
            system(a, b) = curvature(free[a], free[b]);
        system(a, a) += damping * (curvature(free[a], free[a]) + DAMPING_FLOOR);
        right(a) = -gradient(free[a]);
    }
    if (sumHeld)
        for (int a = 0; a < freeCount; ++a)
            system(a, freeCount) = system(freeCount, a) = 1.0;
    return system.partialPivLu().solve(right);
}

} // namespace

InkSolver::InkSolver(const DeviceGrid& printer, const InkLimits& limits, const BlackGeneration& black)
    : m_printer(printer)
    , m_limits(limits)
    , m_black(black)
{
    for (const DeviceSampling::Point& inks : DeviceSampling::lattice(SAMPLING_POINTS, printer.channels(), limits)) {
        Sample sample{{inks[0], inks[1], inks[2], inks[3]}, {}};
        m_printer.evaluate(sample.inks, sample.lab);
        m_samples.push_back(sample);
    }
}

int InkSolver::channels() const
{
    return m_printer.channels();
}

double InkSolver::blackTerm(const double inks[4], double wantedBlack) const
{
    return channels() == DeviceGrid::MOST_CHANNELS ? BLACK_WEIGHT * (inks[3] - wantedBlack) * (inks[3] - wantedBlack)
                                                   : 0.0;
}

double InkSolver::energy(const double inks[4], const double target[3], double wantedBlack, double lab[3]) const
{
    m_printer.evaluate(inks, lab);
    double sum = 0.0;
    for (int c = 0; c < 3; ++c)
        sum += (lab[c] - target[c]) * (lab[c] - target[c]);
    return sum + blackTerm(inks, wantedBlack);
}

const InkSolver::Sample& InkSolver::nearestSample(const double target[3]) const
{
    const Sample* nearest = &m_samples.front();
    double nearestDistance = std::numeric_limits<double>::infinity();
    for (const Sample& sample : m_samples) {
        double distance = 0.0;
        for (int c = 0; c < 3; ++c)
            distance += (sample.lab[c] - target[c]) * (sample.lab[c] - target[c]);
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = &sample;
        }
    }
    return *nearest;
}

void InkSolver::descend(const double target[3], double wantedBlack, double inks[4]) const
{
    double lab[3];
    double jacobian[3][4];
    double current = energy(inks, target, wantedBlack, lab);
    double damping = FIRST_DAMPING;
    for (int step = 0; step < MOST_STEPS; ++step) {
        m_printer.evaluate(inks, lab, jacobian);
        Eigen::Matrix4d curvature = Eigen::Matrix4d::Zero();
        Eigen::Vector4d gradient = Eigen::Vector4d::Zero();
        for (int c = 0; c < 3; ++c) {
            const Eigen::Vector4d row(jacobian[c][0], jacobian[c][1], jacobian[c][2], jacobian[c][3]);
            curvature += row * row.transpose();
            gradient += row * (lab[c] - target[c]);
        }
        if (channels() == DeviceGrid::MOST_CHANNELS) {
            curvature(3, 3) += BLACK_WEIGHT;
            gradient(3) += BLACK_WEIGHT * (inks[3] - wantedBlack);
        }

        int free[4];
        bool sumHeld = false;
        const int freeCount = movableInks(inks, channels(), gradient, m_limits, free, sumHeld);
        if (freeCount == 0)
            return;

        bool moved = false;
        while (!moved) {
            const SmallVector change = dampedStep(curvature, gradient, free, freeCount, sumHeld, damping);
            double trial[4] = {inks[0], inks[1], inks[2], inks[3]};
            for (int a = 0; a < freeCount; ++a)
                trial[free[a]] += change(a);
            m_limits.project(trial);
            double trialLab[3];
            const double trialEnergy = energy(trial, target, wantedBlack, trialLab);
            if (trialEnergy < current) {
                double largestMove = 0.0;
                for (int i = 0; i < 4; ++i) {
                    largestMove = std::max(largestMove, std::fabs(trial[i] - inks[i]));
                    inks[i] = trial[i];
                }
                const double gain = current - trialEnergy;
                current = trialEnergy;
                damping = std::max(damping / DAMPING_EASE, LEAST_DAMPING);
                if (largestMove < SMALLEST_STEP || gain < SMALLEST_GAIN)
                    return;
                moved = true;
            } else {
                damping *= DAMPING_RAISE;
                if (damping > MOST_DAMPING)
                    return;
            }
        }
    }
}

InkSolver::Result InkSolver::solve(const double target[3], const std::vector<const double*>& starts) const
{
    const double wantedBlack = m_black.target(target);
    Result best{};
    double bestEnergy = std::numeric_limits<double>::infinity();
    const auto tryFrom = [&](const double start[4]) {
        double inks[4] = {};
        std::copy(start, start + channels(), inks);
        m_limits.project(inks);
        descend(target, wantedBlack, inks);
        double lab[3];
        const double reached = energy(inks, target, wantedBlack, lab);
        const bool first = bestEnergy == std::numeric_limits<double>::infinity();
        if (first || reached < bestEnergy - (starts.empty() ? 0.0 : CONTINUITY_SLACK)) {
            bestEnergy = reached;
            std::copy(inks, inks + 4, best.inks);
            std::copy(lab, lab + 3, best.lab);
        }
    };
    for (const double* start : starts)
        tryFrom(start);
    tryFrom(nearestSample(target).inks);
    best.distance = KxColourMath::deltaE76(best.lab, target);
    return best;
}
