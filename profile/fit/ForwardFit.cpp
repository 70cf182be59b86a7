#include "ForwardFit.h"

#include "CancellableConjugateGradient.h"

#include <Eigen/Sparse>
#include <KxColourMath.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

using SparseMatrix = Eigen::SparseMatrix<double>;
using Triplets = std::vector<Eigen::Triplet<double>>;

// Relative to the right-hand side; far below what 16-bit tables keep.
constexpr double SOLVE_TOLERANCE = 1e-9;
constexpr Eigen::Index PAPER_NODE = 0; // no ink at all
// L* = 116 t^(1/3) - 16 above this relative luminance, a straight line below.
constexpr double LAB_CURVE_FROM = 216.0 / 24389.0;
constexpr double L_SLOPE = 116.0 / 3.0; // dL*/d(t^(1/3))

// A colour as the fit sees it (see the contract), with the weight of each
// channel's residual.
void toFitSpace(const double lab[3], double value[3], double weight[3])
{
    double xyz[3];
    KxColourMath::labToXyz(lab, xyz);
    for (int c = 0; c < 3; ++c) {
        const double t = std::max(xyz[c] / KxColourMath::D50[c], 0.0);
        value[c] = 2.0 * (1.0 - std::sqrt(t));
        weight[c] = L_SLOPE * L_SLOPE / std::cbrt(std::max(t, LAB_CURVE_FROM));
    }
}

void fromFitSpace(const double value[3], double lab[3])
{
    double xyz[3];
    for (int c = 0; c < 3; ++c) {
        const double root = std::max(1.0 - 0.5 * value[c], 0.0);
        xyz[c] = root * root * KxColourMath::D50[c];
    }
    KxColourMath::xyzToLab(xyz, lab);
}

void indexOf(std::size_t node, unsigned points, unsigned index[4])
{
    for (int i = 3; i >= 0; --i, node /= points)
        index[i] = unsigned(node % points);
}

// The roughness penalty's matrix: the squares of the second differences
// along each ink and, weighted by TWIST_SHARE, of the mixed differences
// across each pair of inks.
SparseMatrix roughness(const CmykGrid& grid)
{
    const unsigned n = grid.points();
    const double twist = std::sqrt(ForwardFit::TWIST_SHARE);
    Triplets entries;
    Eigen::Index row = 0;
    const auto add = [&](const unsigned index[4], int axis, int offset, double weight) {
        unsigned moved[4] = {index[0], index[1], index[2], index[3]};
        moved[axis] += offset;
        entries.emplace_back(row, Eigen::Index(grid.nodeIndex(moved)), weight);
    };
    for (std::size_t node = 0; node < grid.nodes(); ++node) {
        unsigned index[4];
        indexOf(node, n, index);
        for (int axis = 0; axis < 4; ++axis) {
            if (index[axis] == 0 || index[axis] + 1 == n)
                continue;
            add(index, axis, -1, 1.0);
            add(index, axis, 0, -2.0);
            add(index, axis, 1, 1.0);
            ++row;
        }
        for (int a = 0; a < 4; ++a)
            for (int b = a + 1; b < 4; ++b) {
                if (index[a] + 1 == n || index[b] + 1 == n)
                    continue;
                unsigned across[4] = {index[0], index[1], index[2], index[3]};
                ++across[b];
                add(index, a, 0, twist);
                add(index, a, 1, -twist);
                add(across, a, 0, -twist);
                add(across, a, 1, twist);
                ++row;
            }
    }
    SparseMatrix differences(row, Eigen::Index(grid.nodes()));
    differences.setFromTriplets(entries.begin(), entries.end());
    return differences.transpose() * differences;
}

// Makes the paper node a known value: its column moves to the right-hand
// side and its row says node = paper.
void pinPaper(SparseMatrix& normal, Eigen::VectorXd& right, double paper)
{
    for (SparseMatrix::InnerIterator entry(normal, PAPER_NODE); entry; ++entry)
        right(entry.row()) -= entry.value() * paper;
    normal.prune(
        [](Eigen::Index row, Eigen::Index column, double) { return row != PAPER_NODE && column != PAPER_NODE; });
    normal.coeffRef(PAPER_NODE, PAPER_NODE) = 1.0;
    right(PAPER_NODE) = paper;
}

// Fits model's nodes (in the fit space) to the samples; asks `proceed`
// before each channel's solve, with the share of the solves done, and
// progress within each solve whether the work is to stop.
bool fitModel(const std::vector<PrinterSample>& samples, CmykGrid& model, const ProfileProgress& progress,
              const std::function<bool(double)>& proceed, std::string& whyNot)
{
    const Eigen::Index nodes = Eigen::Index(model.nodes());
    const Eigen::Index rows = Eigen::Index(samples.size());
    Triplets entries;
    entries.reserve(samples.size() * 16);
    Eigen::MatrixXd values(rows, 3), weights(rows, 3);
    for (Eigen::Index s = 0; s < rows; ++s) {
        const PrinterSample& sample = samples[std::size_t(s)];
        const CmykGrid::Cell cell = model.cellOf(sample.inks);
        for (int corner = 0; corner < 16; ++corner)
            entries.emplace_back(s, Eigen::Index(cell.nodes[corner]), cell.weights[corner]);
        double value[3], weight[3];
        toFitSpace(sample.lab, value, weight);
        values.row(s) << value[0], value[1], value[2];
        weights.row(s) << weight[0], weight[1], weight[2];
    }
    SparseMatrix readings(rows, nodes);
    readings.setFromTriplets(entries.begin(), entries.end());
    const SparseMatrix smoothing = (ForwardFit::SMOOTHING_PER_READING * double(rows)) * roughness(model);

    std::vector<double>& modelValues = model.values();
    for (int c = 0; c < 3; ++c) {
        if (!proceed(c / 3.0)) {
            whyNot = "cancelled";
            return false;
        }
        SparseMatrix normal = SparseMatrix(readings.transpose() * weights.col(c).asDiagonal() * readings) + smoothing;
        Eigen::VectorXd right = readings.transpose() * weights.col(c).cwiseProduct(values.col(c));
        pinPaper(normal, right, 0.0);
        Eigen::VectorXd solution = Eigen::VectorXd::Zero(nodes);
        const auto solved = CancellableConjugateGradient::solve(normal, right, solution, SOLVE_TOLERANCE,
                                                                [&progress] { return !progress.cancelled(); });
        if (solved == CancellableConjugateGradient::Stopped) {
            whyNot = "cancelled";
            return false;
        }
        if (solved != CancellableConjugateGradient::Converged || !solution.allFinite()) {
            whyNot = "the fit to the readings does not converge";
            return false;
        }
        for (Eigen::Index node = 0; node < nodes; ++node)
            modelValues[std::size_t(node) * 3 + c] = solution(node);
    }
    return true;
}

void labOf(const CmykGrid& model, const double inks[4], double lab[3])
{
    double value[3];
    model.evaluate(inks, value);
    fromFitSpace(value, lab);
}

} // namespace

bool ForwardFit::fit(const std::vector<PrinterSample>& samples, CmykGrid& grid, const ProfileProgress& progress,
                     double from, double to, std::string& whyNot)
{
    // Every model size (no finer than the grid) fitted FOLDS times, each
    // time without one fold, then the chosen one on all readings.
    std::vector<unsigned> sizes;
    for (unsigned points : MODEL_POINTS)
        if (points <= grid.points())
            sizes.push_back(points);
    if (sizes.empty())
        sizes.push_back(grid.points());
    const double fits = double(sizes.size() > 1 ? sizes.size() * FOLDS + 1 : 1);
    double done = 0.0;
    const auto proceed = [&](double share) {
        return progress.report("fitting", from + (to - from) * (done + share) / fits);
    };

    unsigned chosen = sizes.front();
    double least = 0.0;
    for (std::size_t size = 0; size < sizes.size() && sizes.size() > 1; ++size) {
        double misfit = 0.0;
        for (unsigned fold = 0; fold < FOLDS; ++fold, done += 1.0) {
            std::vector<PrinterSample> training, unseen;
            for (std::size_t s = 0; s < samples.size(); ++s)
                (s % FOLDS == fold ? unseen : training).push_back(samples[s]);
            CmykGrid model(sizes[size]);
            if (!fitModel(training, model, progress, proceed, whyNot))
                return false;
            for (const PrinterSample& sample : unseen) {
                double lab[3];
                labOf(model, sample.inks, lab);
                misfit += KxColourMath::deltaE76(lab, sample.lab);
            }
        }
        if (size == 0 || misfit < least) {
            least = misfit;
            chosen = sizes[size];
        }
    }
    CmykGrid model(chosen);
    if (!fitModel(samples, model, progress, proceed, whyNot))
        return false;

    const unsigned n = grid.points();
    for (std::size_t node = 0; node < grid.nodes(); ++node) {
        unsigned index[4];
        indexOf(node, n, index);
        const double inks[4] = {index[0] / double(n - 1), index[1] / double(n - 1), index[2] / double(n - 1),
                                index[3] / double(n - 1)};
        labOf(model, inks, &grid.values()[node * 3]);
    }
    return true;
}
