#ifndef CANCELLABLECONJUGATEGRADIENT_H
#define CANCELLABLECONJUGATEGRADIENT_H

#include <Eigen/Sparse>

#include <functional>

// Solves A x = b for a symmetric positive definite sparse A by the
// conjugate gradient method (Hestenes and Stiefel, 1952) with a diagonal
// (Jacobi) preconditioner, step for step as Eigen's ConjugateGradient does
// for the whole matrix, from the guess in x. Unlike Eigen's, it asks
// keepGoing every few iterations, so that a solve of thousands of
// iterations can be given up within a fraction of a second.
//
// Converged: |b - A x| <= tolerance |b|, within 2n iterations (Eigen's
// limit). Otherwise NotConverged, or Stopped when keepGoing said no; x then
// holds the last iterate.
class CancellableConjugateGradient
{
public:
    enum Outcome { Converged, NotConverged, Stopped };

    static Outcome solve(const Eigen::SparseMatrix<double>& a, const Eigen::VectorXd& b, Eigen::VectorXd& x,
                         double tolerance, const std::function<bool()>& keepGoing);
};

#endif
