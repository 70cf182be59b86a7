#include "ForwardFit.h"

#include "CancellableConjugateGradient.h"

#include <Eigen/Sparse>

namespace {

using SparseMatrix = Eigen::SparseMatrix<double>;
using Triplets = std::vector<Eigen::Triplet<double>>;

// Relative to the right-hand side; far below what 16-bit tables keep.
constexpr double SOLVE_TOLERANCE = 1e-9;
constexpr double PAPER_LAB[3] = {100.0, 0.0, 0.0};
constexpr Eigen::Index PAPER_NODE = 0; // no ink at all

// Second differences of the nodes along each ink: a row for every node
// with a neighbour on both sides along that ink.
SparseMatrix secondDifferences(const CmykGrid& grid)
{
    const unsigned n = grid.points();
    Triplets entries;
    Eigen::Index row = 0;
    unsigned index[4];
    for (index[0] = 0; index[0] < n; ++index[0])
        for (index[1] = 0; index[1] < n; ++index[1])
            for (index[2] = 0; index[2] < n; ++index[2])
                for (index[3] = 0; index[3] < n; ++index[3])
                    for (int axis = 0; axis < 4; ++axis) {
                        if (index[axis] == 0 || index[axis] + 1 == n)
                            continue;
                        unsigned before[4] = {index[0], index[1], index[2], index[3]};
                        unsigned after[4] = {index[0], index[1], index[2], index[3]};
                        --before[axis];
                        ++after[axis];
                        entries.emplace_back(row, Eigen::Index(grid.nodeIndex(before)), 1.0);
                        entries.emplace_back(row, Eigen::Index(grid.nodeIndex(index)), -2.0);
                        entries.emplace_back(row, Eigen::Index(grid.nodeIndex(after)), 1.0);
                        ++row;
                    }
    SparseMatrix differences(row, Eigen::Index(grid.nodes()));
    differences.setFromTriplets(entries.begin(), entries.end());
    return differences;
}

// Makes the paper node a known value: its column moves to the right-hand
// side and its row says node = paper.
void pinPaper(SparseMatrix& normal, Eigen::MatrixXd& right)
{
    for (SparseMatrix::InnerIterator entry(normal, PAPER_NODE); entry; ++entry)
        for (int c = 0; c < 3; ++c)
            right(entry.row(), c) -= entry.value() * PAPER_LAB[c];
    normal.prune(
        [](Eigen::Index row, Eigen::Index column, double) { return row != PAPER_NODE && column != PAPER_NODE; });
    normal.coeffRef(PAPER_NODE, PAPER_NODE) = 1.0;
    for (int c = 0; c < 3; ++c)
        right(PAPER_NODE, c) = PAPER_LAB[c];
}

} // namespace

bool ForwardFit::fit(const std::vector<PrinterSample>& samples, CmykGrid& grid, const ProfileProgress& progress,
                     double from, double to, std::string& whyNot)
{
    const Eigen::Index nodes = Eigen::Index(grid.nodes());
    const Eigen::Index rows = Eigen::Index(samples.size());
    Triplets entries;
    entries.reserve(samples.size() * 16);
    Eigen::MatrixXd labs(rows, 3);
    for (Eigen::Index s = 0; s < rows; ++s) {
        const PrinterSample& sample = samples[std::size_t(s)];
        const CmykGrid::Cell cell = grid.cellOf(sample.inks);
        for (int corner = 0; corner < 16; ++corner)
            entries.emplace_back(s, Eigen::Index(cell.nodes[corner]), cell.weights[corner]);
        labs.row(s) << sample.lab[0], sample.lab[1], sample.lab[2];
    }
    SparseMatrix readings(rows, nodes);
    readings.setFromTriplets(entries.begin(), entries.end());
    const SparseMatrix differences = secondDifferences(grid);
    SparseMatrix normal = SparseMatrix(readings.transpose() * readings)
        + (SMOOTHING_PER_READING * double(rows)) * SparseMatrix(differences.transpose() * differences);
    Eigen::MatrixXd right = readings.transpose() * labs;
    pinPaper(normal, right);

    Eigen::MatrixXd solution(nodes, 3);
    for (int c = 0; c < 3; ++c) {
        Eigen::VectorXd channel = Eigen::VectorXd::Zero(nodes);
        const auto solved = !progress.report("fitting", from + (to - from) * c / 3.0)
            ? CancellableConjugateGradient::Stopped
            : CancellableConjugateGradient::solve(normal, right.col(c), channel, SOLVE_TOLERANCE,
                                                  [&progress] { return !progress.cancelled(); });
        if (solved == CancellableConjugateGradient::Stopped) {
            whyNot = "cancelled";
            return false;
        }
        solution.col(c) = channel;
        if (solved != CancellableConjugateGradient::Converged || !channel.allFinite()) {
            whyNot = "the fit to the readings does not converge";
            return false;
        }
    }
    std::vector<double>& values = grid.values();
    for (Eigen::Index node = 0; node < nodes; ++node)
        for (int c = 0; c < 3; ++c)
            values[std::size_t(node) * 3 + c] = solution(node, c);
    return true;
}
