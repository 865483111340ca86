#pragma once

#include "os/FileOps.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel::engine {

// How an aircraft.cfg stores its text. Most are 8-bit (a code page or UTF-8, with or without a UTF-8 mark),
// handled byte by byte; some tools save UTF-16 with a byte-order mark.
enum class Encoding { Bytes, Utf16LE, Utf16BE };

// How many of a file's first bytes the encoding is judged by.
constexpr std::size_t kSniffLength = 4096;

// The encoding of a file that begins with `first` (its first bytes, up to kSniffLength of them are looked at):
// UTF-16 in the byte order of its mark (FF FE or FE FF), otherwise 8-bit. A file that looks like 16- or
// 32-bit text without telling how (zero bytes in at least half of one byte phase, or line ends stored as 16-bit
// units, in either byte order; or a UTF-32 mark) is not guessed at: throws os::AppError "Bad file mode".
Encoding detectEncoding(std::string_view first);

// A UTF-16 file is a mark and whole code units: one of odd length has lost a byte. Throws os::AppError "Bad file
// mode" for it; an 8-bit file of any length passes.
void checkWholeUnits(Encoding encoding, std::uint64_t fileSize);

// Bytes of the mark that precede the text: 2 for UTF-16, 0 for 8-bit files (a UTF-8 mark counts as text).
std::size_t markLength(Encoding encoding);
// The mark itself, as written at the start of a rewritten file.
std::string_view markBytes(Encoding encoding);

// ASCII text in the file's encoding (inserted lines, line ends).
std::string encodeAscii(Encoding encoding, std::string_view ascii);

// Reads up to `units` characters of the file's text from character `offset` on into `text`, one char each:
// 8-bit files as they are (straight from the file, nothing per byte); UTF-16 code units below 128 as that
// character and every other unit as '?', so that the line and header tests see the text with the rules of 8-bit
// files, at the same positions. `raw` (room for 2 * units bytes; unused for 8-bit files) receives the units'
// bytes as stored. Returns how many were read, 0 at the end. A UTF-16 file that ends in half a unit throws
// os::AppError "Bad file mode".
std::size_t readText(os::FileOps& ops, os::FileOps::Handle file, Encoding encoding, std::uint64_t offset, char* text,
                     char* raw, std::size_t units);

} // namespace vantrel::engine
