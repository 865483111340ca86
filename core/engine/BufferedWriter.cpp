#include "engine/BufferedWriter.h"

#include <cstring>

namespace vantrel::engine {

BufferedWriter::BufferedWriter(os::FileOps& ops, os::FileOps::Handle file, std::size_t bufferSize)
    : ops_(ops), file_(file), buffer_(bufferSize > 0 ? bufferSize : 1)
{
}

void BufferedWriter::write(std::string_view data)
{
    if (data.empty())
        return;
    if (data.size() > buffer_.size() - used_) {
        flush();
        if (data.size() >= buffer_.size()) {
            ops_.write(file_, data.data(), data.size());
            return;
        }
    }
    std::memcpy(buffer_.data() + used_, data.data(), data.size());
    used_ += data.size();
}

void BufferedWriter::flush()
{
    if (used_ == 0)
        return;
    // Forget the bytes before the call: after a failure the writer holds nothing that could be written twice.
    const std::size_t pending = used_;
    used_ = 0;
    ops_.write(file_, buffer_.data(), pending);
}

} // namespace vantrel::engine
