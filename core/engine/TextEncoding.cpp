#include "engine/TextEncoding.h"

#include "os/AppError.h"

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

} // namespace

Encoding detectEncoding(std::string_view first)
{
    if (startsWith(first, kMark32LE) || startsWith(first, kMark32BE))
        throw makeError(err::BadFileMode);
    if (startsWith(first, kMarkLE))
        return Encoding::Utf16LE;
    if (startsWith(first, kMarkBE))
        return Encoding::Utf16BE;
    // UTF-16 (or UTF-32) text without a mark has a zero byte in every other position wherever it holds ASCII.
    // 8-bit text rarely has even one, so this gives up after the first two bytes for nearly every file.
    const std::size_t size = first.size() < kSniffLength ? first.size() : kSniffLength;
    if (size < 2)
        return Encoding::Bytes;
    bool evenZero = true;
    bool oddZero = true;
    for (std::size_t i = 0; i < size && (evenZero || oddZero); ++i) {
        if (first[i] != '\0')
            (i % 2 == 0 ? evenZero : oddZero) = false;
    }
    if (evenZero || oddZero)
        throw makeError(err::BadFileMode);
    return Encoding::Bytes;
}

void checkWholeUnits(Encoding encoding, std::uint64_t fileSize)
{
    if (encoding != Encoding::Bytes && fileSize % 2 != 0)
        throw makeError(err::BadFileMode);
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
        throw makeError(err::BadFileMode);
    const std::size_t high = encoding == Encoding::Utf16LE ? 1 : 0;
    for (std::size_t i = 0; i < got / 2; ++i) {
        const unsigned char hi = static_cast<unsigned char>(raw[2 * i + high]);
        const unsigned char lo = static_cast<unsigned char>(raw[2 * i + 1 - high]);
        text[i] = hi == 0 && lo < 0x80 ? static_cast<char>(lo) : '?';
    }
    return got / 2;
}

} // namespace vantrel::engine
