#include "KxWriteResult.h"

#include "KxFileNameText.h"

#include <cerrno>
#include <cstring>

KxWriteResult KxWriteResult::failed(Step step, int error)
{
    return KxWriteResult(step == Written ? Writing : step, error ? error : EIO);
}

KxWriteResult KxWriteResult::failedWithErrno(Step step)
{
    return failed(step, errno);
}

std::string KxWriteResult::reason() const
{
    return std::strerror(m_error);
}

std::string KxWriteResult::message(std::string_view what, std::string_view path) const
{
    return std::string(what) + " could not be written to " + Kx_quotedFileName(path) + ": " + reason();
}
