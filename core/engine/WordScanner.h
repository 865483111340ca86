#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel::engine {

// Looks for "default_pitch" and "default_bank" in one line fed in pieces of any size, ignoring the case of
// ASCII letters only. Memory stays bounded however long the line: only the last twelve bytes of one piece
// are carried into the next, enough for a word that straddles the cut.
class WordScanner
{
public:
    WordScanner();

    // Starts a new line.
    void reset();
    // Feeds the next bytes of the current line.
    void feed(std::string_view piece);

    // 1-based positions of the first occurrence in the line so far, 0 when absent. A position beyond the
    // range of int (a line over 2 GiB) is reported as the largest int, which still reads as "present".
    int findPitch() const;
    int findBank() const;
    bool found() const { return pitch_ != 0 || bank_ != 0; }

private:
    void scan(std::string_view chunk);

    static constexpr std::size_t kCarry = 12; // length of the longer word less one
    std::string window_;
    std::string carry_;
    std::uint64_t consumed_ = 0;
    std::uint64_t pitch_ = 0;
    std::uint64_t bank_ = 0;
};

} // namespace vantrel::engine
