#pragma once

#include "engine/TextEncoding.h"
#include "os/FileOps.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace vantrel::engine {

// Reads an open file line by line through a fixed buffer, handing out each line in one or more pieces so
// that a line of any length costs no more memory than the buffer. A line ends at a carriage return (a line
// feed right after it is skipped), at a lone line feed, or at the end of the file; the end character is not
// part of the line. An 8-bit file's bytes are handed out as they are; a UTF-16 file's text as readText()
// gives it (one char per code unit, after the mark), and raw() and copyRange() give its bytes as stored.
class LineReader
{
public:
    LineReader(os::FileOps& ops, os::FileOps::Handle file, std::size_t bufferSize = 64 * 1024,
               Encoding encoding = Encoding::Bytes);

    // The next piece of the current line, valid until the next call; `lineEnds` tells whether it is the
    // line's last piece (possibly empty). Returns false when the file holds no further line.
    bool next(std::string_view& piece, bool& lineEnds);

    // The bytes as stored of a piece just handed out by next(): the piece itself for an 8-bit file.
    std::string_view raw(std::string_view piece) const
    {
        if (encoding_ == Encoding::Bytes)
            return piece;
        if (piece.empty())
            return {};
        const std::size_t at = static_cast<std::size_t>(piece.data() - buffer_.data());
        return std::string_view(raw_.data() + 2 * at, 2 * piece.size());
    }

    // Offset (in characters of the text) of the current line's first character, and how many of its
    // characters were handed out so far.
    std::uint64_t lineStart() const { return lineStart_; }
    std::uint64_t lineLength() const { return lineLength_; }

    // Passes the stored bytes of characters [offset, offset + length) of the text to `sink` in pieces: straight
    // from the buffer when they are all still there, otherwise read again from the file.
    void copyRange(std::uint64_t offset, std::uint64_t length, const std::function<void(std::string_view)>& sink);

private:
    void refill();

    os::FileOps& ops_;
    os::FileOps::Handle file_;
    Encoding encoding_;
    std::vector<char> buffer_;
    std::vector<char> raw_; // UTF-16 only: the stored bytes of buffer_'s characters
    std::vector<char> scratch_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::uint64_t bufferOffset_ = 0; // text offset of buffer_[0]
    std::uint64_t nextOffset_ = 0;   // text offset of the next read
    std::uint64_t lineStart_ = 0;
    std::uint64_t lineLength_ = 0;
    bool atEnd_ = false;
    bool skipLineFeed_ = false;
    bool inLine_ = false;
};

} // namespace vantrel::engine
