#include "LabTable.h"

#include "ColourMath.h"

namespace {

// Nothing prints lighter than the paper: a node this light takes no ink.
constexpr double PAPER_LIGHTNESS = 100.0;

} // namespace

bool LabTable::build(const InkSolver& solver, const Mapping& mapping, KxCmsPrinterProfile::Grid& table,
                     std::vector<double>* distances, const ProfileProgress& progress, double from, double to,
                     std::string& whyNot)
{
    const unsigned n = table.points;
    const std::size_t nodes = std::size_t(n) * n * n;
    table.values.assign(nodes * 4, 0.0);
    if (distances)
        distances->assign(nodes, 0.0);
    const std::size_t strides[3] = {std::size_t(n) * n, n, 1};
    std::vector<const double*> starts;
    const InkSolver::Result paper{{0.0, 0.0, 0.0, 0.0}, {PAPER_LIGHTNESS, 0.0, 0.0}, 0.0};
    for (unsigned done = 0; done < n; ++done) {
        const unsigned l = n - 1 - done;
        if (!progress.report("inverting", from + (to - from) * done / n)) {
            whyNot = "cancelled";
            return false;
        }
        for (unsigned a = 0; a < n; ++a)
            for (unsigned b = 0; b < n; ++b) {
                const unsigned index[3] = {l, a, b};
                const std::size_t node = l * strides[0] + a * strides[1] + b;
                starts.clear();
                if (l + 1 < n)
                    starts.push_back(&table.values[(node + strides[0]) * 4]);
                for (int axis = 1; axis < 3; ++axis)
                    if (index[axis] > 0)
                        starts.push_back(&table.values[(node - strides[axis]) * 4]);
                double lab[3];
                for (int axis = 0; axis < 3; ++axis)
                    lab[axis] = KxCmsPrinterProfile::labAtNode(n, index[axis], axis);
                double target[3] = {lab[0], lab[1], lab[2]};
                if (mapping)
                    mapping(lab, target);
                const InkSolver::Result result = lab[0] >= PAPER_LIGHTNESS ? paper : solver.solve(target, starts);
                std::copy(result.inks, result.inks + 4, &table.values[node * 4]);
                if (distances)
                    (*distances)[node] = ColourMath::deltaE76(lab, result.lab);
            }
    }
    return true;
}
