#include "engine/TextEncoding.h"

#include "os/AppError.h"

#include <cstring>

namespace vantrel::engine {

namespace {

constexpr std::string_view kMarkLE("\xFF\xFE", 2);
constexpr std::string_view kMarkBE("\xFE\xFF", 2);
constexpr std::string_view kMark32LE("\xFF\xFE\0\0", 4);
constexpr std::string_view kMark32BE("\0\0\xFE\xFF", 4);

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// Whether text without a mark is stored in 16-bit (or 32-bit) units, in either byte order. Each byte phase (the
// bytes at even and at odd offsets) is looked at on its own. In UTF-16 one phase holds the high bytes, zero for every
// ASCII character, so that zeros make up most of it even where a title in Cyrillic, Greek or Chinese is not ASCII;
// and a line end is a unit that holds a carriage return or line feed beside a zero. 8-bit text has a zero byte
// rarely if ever: a stray one is far from half of a phase, and a line end followed by a zero byte is not a line end
// unit twice over.
bool looksWide(std::string_view probe)
{
    // Nearly every file has no zero byte at all, which is all there is to look at then.
    const std::size_t units = probe.size() / 2;
    if (units == 0 || std::memchr(probe.data(), 0, probe.size()) == nullptr)
        return false;
    std::size_t zeros[2] = {0, 0};    // zero bytes at even, at odd offsets
    std::size_t lineEnds[2] = {0, 0}; // CR or LF units whose other byte (at an odd, at an even offset) is zero
    for (std::size_t i = 0; i + 1 < probe.size(); i += 2) {
        const char even = probe[i];
        const char odd = probe[i + 1];
        zeros[0] += even == '\0';
        zeros[1] += odd == '\0';
        lineEnds[0] += odd == '\0' && (even == '\r' || even == '\n');
        lineEnds[1] += even == '\0' && (odd == '\r' || odd == '\n');
    }
    return 2 * zeros[0] >= units || 2 * zeros[1] >= units || lineEnds[0] >= 2 || lineEnds[1] >= 2;
}

} // namespace

Encoding detectEncoding(std::string_view first)
{
    if (startsWith(first, kMark32LE) || startsWith(first, kMark32BE))
        throw os::makeError(os::err::BadFileMode);
    if (startsWith(first, kMarkLE))
        return Encoding::Utf16LE;
    if (startsWith(first, kMarkBE))
        return Encoding::Utf16BE;
    if (looksWide(first.substr(0, kSniffLength)))
        throw os::makeError(os::err::BadFileMode);
    return Encoding::Bytes;
}

void checkWholeUnits(Encoding encoding, std::uint64_t fileSize)
{
    if (encoding != Encoding::Bytes && fileSize % 2 != 0)
        throw os::makeError(os::err::BadFileMode);
}

std::size_t markLength(Encoding encoding)
{
    return markBytes(encoding).size();
}

std::string_view markBytes(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf16LE:
        return kMarkLE;
    case Encoding::Utf16BE:
        return kMarkBE;
    case Encoding::Bytes:
        break;
    }
    return {};
}

std::string encodeAscii(Encoding encoding, std::string_view ascii)
{
    if (encoding == Encoding::Bytes)
        return std::string(ascii);
    std::string out;
    out.reserve(2 * ascii.size());
    for (const char c : ascii) {
        if (encoding == Encoding::Utf16LE) {
            out += c;
            out += '\0';
        } else {
            out += '\0';
            out += c;
        }
    }
    return out;
}

std::size_t readText(os::FileOps& ops, os::FileOps::Handle file, Encoding encoding, std::uint64_t offset, char* text,
                     char* raw, std::size_t units)
{
    if (encoding == Encoding::Bytes)
        return ops.readAt(file, offset, text, units);
    const std::uint64_t at = markLength(encoding) + 2 * offset;
    const std::size_t want = 2 * units;
    std::size_t got = 0;
    // A short read may split a unit; its second byte is fetched before the unit is used.
    while (got < want) {
        const std::size_t read = ops.readAt(file, at + got, raw + got, want - got);
        if (read == 0)
            break;
        got += read;
        if (got % 2 == 0)
            break;
    }
    if (got % 2 != 0)
        throw os::makeError(os::err::BadFileMode);
    const std::size_t high = encoding == Encoding::Utf16LE ? 1 : 0;
    for (std::size_t i = 0; i < got / 2; ++i) {
        const unsigned char hi = static_cast<unsigned char>(raw[2 * i + high]);
        const unsigned char lo = static_cast<unsigned char>(raw[2 * i + 1 - high]);
        text[i] = hi == 0 && lo < 0x80 ? static_cast<char>(lo) : '?';
    }
    return got / 2;
}

} // namespace vantrel::engine
