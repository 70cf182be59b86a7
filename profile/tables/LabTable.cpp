#include "LabTable.h"

#include <KxColourMath.h>

#include <cmath>

namespace {

constexpr double PAPER_LIGHTNESS = 100.0;
// A node within this many of its steps along a and b from paper white is its neighbour.
constexpr double NEIGHBOUR_SLACK = 1.01;

} // namespace

bool LabTable::build(const InkSolver& solver, const Mapping& mapping, KxCmsPrinterProfile::Grid& table,
                     std::vector<double>* distances, const ProfileProgress& progress, double from, double to,
                     std::string& whyNot)
{
    const unsigned n = table.points;
    const std::size_t nodes = std::size_t(n) * n * n;
    const std::size_t channels = std::size_t(solver.channels());
    table.values.assign(nodes * channels, 0.0);
    if (distances)
        distances->assign(nodes, 0.0);
    const std::size_t strides[3] = {std::size_t(n) * n, n, 1};
    std::vector<const double*> starts;
    const double abStep = KxCmsPrinterProfile::labAtNode(n, 1, 1) - KxCmsPrinterProfile::labAtNode(n, 0, 1);
    const InkSolver::Result paper{{0.0, 0.0, 0.0, 0.0}, {PAPER_LIGHTNESS, 0.0, 0.0}, 0.0};
    for (unsigned done = 0; done < n; ++done) {
        const unsigned l = n - 1 - done;
        if (!progress.report("inverting", from + (to - from) * done / n)) {
            whyNot = "cancelled";
            return false;
        }
        for (unsigned a = 0; a < n; ++a)
            for (unsigned b = 0; b < n && !progress.cancelled(); ++b) {
                const unsigned index[3] = {l, a, b};
                const std::size_t node = l * strides[0] + a * strides[1] + b;
                starts.clear();
                if (l + 1 < n)
                    starts.push_back(&table.values[(node + strides[0]) * channels]);
                for (int axis = 1; axis < 3; ++axis)
                    if (index[axis] > 0)
                        starts.push_back(&table.values[(node - strides[axis]) * channels]);
                double lab[3];
                for (int axis = 0; axis < 3; ++axis)
                    lab[axis] = KxCmsPrinterProfile::labAtNode(n, index[axis], axis);
                double target[3] = {lab[0], lab[1], lab[2]};
                if (mapping)
                    mapping(lab, target);
                const bool besidePaper = lab[0] >= PAPER_LIGHTNESS && std::fabs(lab[1]) <= abStep * NEIGHBOUR_SLACK
                                         && std::fabs(lab[2]) <= abStep * NEIGHBOUR_SLACK;
                const InkSolver::Result result = besidePaper ? paper : solver.solve(target, starts);
                std::copy(result.inks, result.inks + channels, &table.values[node * channels]);
                if (distances)
                    (*distances)[node] = KxColourMath::deltaE76(lab, result.lab);
            }
    }
    if (progress.cancelled()) { // during the last slice, left unfinished
        whyNot = "cancelled";
        return false;
    }
    return true;
}
