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

// The roughness penalty's matrix: the squares of the second differences
// along each channel and, weighted by TWIST_SHARE, of the mixed differences
// across each pair of channels.
SparseMatrix roughness(const DeviceGrid& grid)
{
    const unsigned n = grid.points();
    const int channels = grid.channels();
    const double twist = std::sqrt(ForwardFit::TWIST_SHARE);
    Triplets entries;
    Eigen::Index row = 0;
    const auto add = [&](const unsigned index[4], int axis, int offset, double weight) {
        unsigned moved[DeviceGrid::MOST_CHANNELS] = {index[0], index[1], index[2], index[3]};
        moved[axis] += offset;
        entries.emplace_back(row, Eigen::Index(grid.nodeIndex(moved)), weight);
    };
    for (std::size_t node = 0; node < grid.nodes(); ++node) {
        unsigned index[DeviceGrid::MOST_CHANNELS] = {};
        grid.indexOf(node, index);
        for (int axis = 0; axis < channels; ++axis) {
            if (index[axis] == 0 || index[axis] + 1 == n)
                continue;
            add(index, axis, -1, 1.0);
            add(index, axis, 0, -2.0);
            add(index, axis, 1, 1.0);
            ++row;
        }
        for (int a = 0; a < channels; ++a)
            for (int b = a + 1; b < channels; ++b) {
                if (index[a] + 1 == n || index[b] + 1 == n)
                    continue;
                unsigned across[DeviceGrid::MOST_CHANNELS] = {index[0], index[1], index[2], index[3]};
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

// Fits model's nodes (in the fit space) to the samples with the smoothing
// weight per reading; asks `proceed`
// before each channel's solve, with the share of the solves done, and
// progress within each solve whether the work is to stop.
bool fitModel(const std::vector<PrinterSample>& samples, double smoothingPerReading, DeviceGrid& model,
              const ProfileProgress& progress, const std::function<bool(double)>& proceed, std::string& whyNot)
{
    const Eigen::Index nodes = Eigen::Index(model.nodes());
    const Eigen::Index rows = Eigen::Index(samples.size());
    Triplets entries;
    entries.reserve(samples.size() * std::size_t(model.corners()));
    Eigen::MatrixXd values(rows, 3), weights(rows, 3);
    for (Eigen::Index s = 0; s < rows; ++s) {
        const PrinterSample& sample = samples[std::size_t(s)];
        const DeviceGrid::Cell cell = model.cellOf(sample.inks);
        for (int corner = 0; corner < model.corners(); ++corner)
            entries.emplace_back(s, Eigen::Index(cell.nodes[corner]), cell.weights[corner]);
        double value[3], weight[3];
        toFitSpace(sample.lab, value, weight);
        values.row(s) << value[0], value[1], value[2];
        weights.row(s) << weight[0], weight[1], weight[2];
    }
    SparseMatrix readings(rows, nodes);
    readings.setFromTriplets(entries.begin(), entries.end());
    const SparseMatrix smoothing = (smoothingPerReading * double(rows)) * roughness(model);

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

void labOf(const DeviceGrid& model, const double inks[4], double lab[3])
{
    double value[3];
    model.evaluate(inks, value);
    fromFitSpace(value, lab);
}

} // namespace

bool ForwardFit::fit(const std::vector<PrinterSample>& samples, DeviceGrid& grid, const ProfileProgress& progress,
                     double from, double to, std::string& whyNot)
{
    // Every model (no finer than the grid) fitted FOLDS times, each time
    // without one fold, then the chosen one on all readings.
    const std::vector<Model> offered = grid.channels() == 3 ? std::vector<Model>(std::begin(RGB_MODELS), std::end(RGB_MODELS))
                                           : std::vector<Model>(std::begin(CMYK_MODELS), std::end(CMYK_MODELS));
    std::vector<Model> models;
    for (const Model& model : offered)
        if (model.points <= grid.points())
            models.push_back(model);
    if (models.empty())
        models.push_back({grid.points(), offered.front().smoothingPerReading});
    const double fits = double(models.size() > 1 ? models.size() * FOLDS + 1 : 1);
    double done = 0.0;
    const auto proceed = [&](double share) {
        return progress.report("fitting", from + (to - from) * (done + share) / fits);
    };

    Model chosen = models.front();
    double least = 0.0;
    for (std::size_t tried = 0; tried < models.size() && models.size() > 1; ++tried) {
        double misfit = 0.0;
        for (unsigned fold = 0; fold < FOLDS; ++fold, done += 1.0) {
            std::vector<PrinterSample> training, unseen;
            for (std::size_t s = 0; s < samples.size(); ++s)
                (s % FOLDS == fold ? unseen : training).push_back(samples[s]);
            DeviceGrid model(models[tried].points, grid.channels());
            if (!fitModel(training, models[tried].smoothingPerReading, model, progress, proceed, whyNot))
                return false;
            for (const PrinterSample& sample : unseen) {
                double lab[3];
                labOf(model, sample.inks, lab);
                misfit += KxColourMath::deltaE76(lab, sample.lab);
            }
        }
        if (tried == 0 || misfit < least) {
            least = misfit;
            chosen = models[tried];
        }
    }
    DeviceGrid model(chosen.points, grid.channels());
    if (!fitModel(samples, chosen.smoothingPerReading, model, progress, proceed, whyNot))
        return false;

    const unsigned n = grid.points();
    for (std::size_t node = 0; node < grid.nodes(); ++node) {
        unsigned index[DeviceGrid::MOST_CHANNELS] = {};
        grid.indexOf(node, index);
        double inks[DeviceGrid::MOST_CHANNELS] = {};
        for (int i = 0; i < grid.channels(); ++i)
            inks[i] = index[i] / double(n - 1);
        labOf(model, inks, &grid.values()[node * 3]);
    }
    return true;
}
