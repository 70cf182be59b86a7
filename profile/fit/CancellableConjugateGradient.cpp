#include "CancellableConjugateGradient.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Iterations between two questions to keepGoing: a few hundredths of a
// second on the finest forward grid.
constexpr Eigen::Index CHECK_INTERVAL = 16;

} // namespace

CancellableConjugateGradient::Outcome CancellableConjugateGradient::solve(const Eigen::SparseMatrix<double>& a,
                                                                          const Eigen::VectorXd& b,
                                                                          Eigen::VectorXd& x, double tolerance,
                                                                          const std::function<bool()>& keepGoing)
{
    const Eigen::Index n = a.cols();
    const double rhsNorm2 = b.squaredNorm();
    if (rhsNorm2 == 0.0) {
        x.setZero();
        return Converged;
    }
    Eigen::VectorXd inverseDiagonal = Eigen::VectorXd::Ones(n);
    for (Eigen::Index j = 0; j < n; ++j) {
        const double diagonal = a.coeff(j, j);
        if (diagonal != 0.0)
            inverseDiagonal[j] = 1.0 / diagonal;
    }
    const double threshold = std::max(tolerance * tolerance * rhsNorm2, std::numeric_limits<double>::min());
    Eigen::VectorXd residual = b - a * x;
    double residualNorm2 = residual.squaredNorm();
    if (residualNorm2 < threshold)
        return Converged;
    Eigen::VectorXd p = inverseDiagonal.cwiseProduct(residual);
    Eigen::VectorXd z(n), ap(n);
    double absNew = residual.dot(p);
    for (Eigen::Index i = 0; i < 2 * n; ++i) {
        if (i % CHECK_INTERVAL == 0 && !keepGoing())
            return Stopped;
        ap.noalias() = a * p;
        const double alpha = absNew / p.dot(ap);
        x += alpha * p;
        residual -= alpha * ap;
        residualNorm2 = residual.squaredNorm();
        if (residualNorm2 < threshold)
            break;
        z = inverseDiagonal.cwiseProduct(residual);
        const double absOld = absNew;
        absNew = residual.dot(z);
        p = z + (absNew / absOld) * p;
    }
    return std::sqrt(residualNorm2 / rhsNorm2) <= tolerance ? Converged : NotConverged;
}
