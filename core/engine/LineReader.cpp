#include "engine/LineReader.h"

#include "os/AppError.h"

#include <algorithm>

namespace vantrel::engine {

LineReader::LineReader(os::FileOps& ops, os::FileOps::Handle file, std::size_t bufferSize, Encoding encoding)
    : ops_(ops), file_(file), encoding_(encoding), buffer_(bufferSize > 0 ? bufferSize : 1)
{
    if (encoding_ != Encoding::Bytes)
        raw_.resize(2 * buffer_.size());
}

void LineReader::refill()
{
    bufferOffset_ = nextOffset_;
    pos_ = 0;
    end_ = readText(ops_, file_, encoding_, nextOffset_, buffer_.data(), raw_.data(), buffer_.size());
    nextOffset_ += end_;
    if (end_ == 0)
        atEnd_ = true;
}

bool LineReader::next(std::string_view& piece, bool& lineEnds)
{
    for (;;) {
        if (pos_ == end_) {
            if (atEnd_) {
                if (!inLine_)
                    return false;
                // The end of the file ends the last line.
                inLine_ = false;
                piece = std::string_view();
                lineEnds = true;
                return true;
            }
            refill();
            continue;
        }
        if (skipLineFeed_) {
            skipLineFeed_ = false;
            if (buffer_[pos_] == '\n') {
                ++pos_;
                continue;
            }
        }
        if (!inLine_) {
            inLine_ = true;
            lineStart_ = bufferOffset_ + pos_;
            lineLength_ = 0;
        }
        const char* begin = buffer_.data() + pos_;
        const char* stop = buffer_.data() + end_;
        const char* found = std::find_if(begin, stop, [](char c) { return c == '\r' || c == '\n'; });
        const std::size_t length = static_cast<std::size_t>(found - begin);
        piece = std::string_view(begin, length);
        lineLength_ += length;
        if (found == stop) {
            pos_ = end_;
            lineEnds = false;
            return true;
        }
        skipLineFeed_ = *found == '\r';
        pos_ += length + 1;
        inLine_ = false;
        lineEnds = true;
        return true;
    }
}

void LineReader::copyRange(std::uint64_t offset, std::uint64_t length,
                           const std::function<void(std::string_view)>& sink)
{
    if (length == 0)
        return;
    if (offset >= bufferOffset_ && offset + length <= bufferOffset_ + end_) {
        const std::string_view text(buffer_.data() + (offset - bufferOffset_), static_cast<std::size_t>(length));
        sink(raw(text));
        return;
    }
    // In stored bytes from here on: 8-bit characters are bytes, UTF-16 ones two bytes behind the mark.
    const std::uint64_t width = encoding_ == Encoding::Bytes ? 1 : 2;
    offset = markLength(encoding_) + width * offset;
    length *= width;
    if (scratch_.empty())
        scratch_.resize(width * buffer_.size());
    while (length > 0) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(length, scratch_.size()));
        const std::size_t got = ops_.readAt(file_, offset, scratch_.data(), want);
        if (got == 0)
            throw os::makeError(os::err::InputPastEnd); // the file shrank under us
        sink(std::string_view(scratch_.data(), got));
        offset += got;
        length -= got;
    }
}

} // namespace vantrel::engine
