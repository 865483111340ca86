#pragma once

#include "os/AppError.h"
#include "os/FileOps.h"

#include <string>
#include <system_error>

namespace vantrel::engine {

// The table error for a failed file operation in `folder`: a missing file is "File not found" (53) while the
// folder exists and "Path not found" (76) when the folder itself is gone.
os::AppError fileError(const std::error_code& ec, const std::string& folder, os::FileOps& ops);

// The folder part of a path, without its trailing separator ("" for a bare name).
std::string parentFolder(const std::string& path);

} // namespace vantrel::engine
