#pragma once

#include "os/FileOps.h"

#include <string_view>
#include <vector>

namespace vantrel::engine {

// Collects small writes into one buffer so that the file sees few, large write calls.
class BufferedWriter
{
public:
    BufferedWriter(os::FileOps& ops, os::FileOps::Handle file, std::size_t bufferSize = 64 * 1024);

    void write(std::string_view data);
    // Hands everything collected to the file (not yet to stable storage).
    void flush();

private:
    os::FileOps& ops_;
    os::FileOps::Handle file_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

} // namespace vantrel::engine
