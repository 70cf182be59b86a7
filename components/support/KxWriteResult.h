#ifndef KXWRITERESULT_H
#define KXWRITERESULT_H

#include <string>
#include <string_view>

// How writing one file ended: written whole, or failed at a step with the
// errno that stopped it, so that the failure can say why.
class KxWriteResult
{
public:
    enum Step { Written, Opening, Writing };

    KxWriteResult() = default; // written whole
    // A failure at step; an error of 0 (a failure no system call gave)
    // counts as an input/output error.
    static KxWriteResult failed(Step step, int error);
    // A failure at step, for the error that errno holds now.
    static KxWriteResult failedWithErrno(Step step);

    explicit operator bool() const { return m_step == Written; }
    Step step() const { return m_step; }
    int error() const { return m_error; }

    // The system's words for the error, such as "No space left on device".
    std::string reason() const;
    // One line without a line end: "<what> could not be written to
    // '<path>': <reason>", the path escaped as Kx_quotedFileName does.
    std::string message(std::string_view what, std::string_view path) const;

private:
    KxWriteResult(Step step, int error) : m_step(step), m_error(error) {}

    Step m_step = Written;
    int m_error = 0;
};

#endif
