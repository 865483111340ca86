#include "engine/FileError.h"

#include "os/FileSearch.h"

namespace vantrel::engine {

os::AppError fileError(const std::error_code& ec, const std::string& folder, os::FileOps& ops)
{
    os::AppError error = os::errorFromSystem(ec);
    if (error.number() != os::err::FileNotFound || folder.empty())
        return error;
    try {
        if (!ops.status(folder).exists)
            return os::makeError(os::err::PathNotFound);
    } catch (...) {
        // The first failure is the one to report.
    }
    return error;
}

std::string parentFolder(const std::string& path)
{
    std::size_t cut = path.size();
    while (cut > 0 && path[cut - 1] != os::nativeSeparator() && path[cut - 1] != '/')
        --cut;
    if (cut <= 1)
        return path.substr(0, cut);
    return path.substr(0, cut - 1);
}

} // namespace vantrel::engine
