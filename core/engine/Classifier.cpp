#include "engine/Classifier.h"

#include "engine/FileError.h"
#include "engine/TextEncoding.h"
#include "os/AppError.h"
#include "os/Ascii.h"
#include "os/FileSearch.h"
#include "os/OpenFile.h"
#include "os/OpenFolder.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace vantrel::engine {

namespace {

constexpr std::size_t kBlock = 64 * 1024;
constexpr std::size_t kCarry = 12; // the longer word less one: enough for a word cut by a block end
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

void appendCapped(std::string& to, const char* data, std::size_t size)
{
    if (to.size() < Classification::kLastLineLimit)
        to.append(data, std::min(size, Classification::kLastLineLimit - to.size()));
}

int clampPosition(std::uint64_t position)
{
    return position > static_cast<std::uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(position);
}

// The first "default_pitch" and "default_bank" (ASCII letters in any case) lying wholly in text[0, size), as
// offsets, kNone when absent. Almost every line of a configuration file is neither, so the search jumps from
// underscore to underscore instead of testing every line.
void findWords(const char* text, std::size_t size, std::size_t& pitch, std::size_t& bank)
{
    pitch = bank = kNone;
    std::size_t from = 7; // "default" comes before the underscore
    while (from < size && (pitch == kNone || bank == kNone)) {
        const void* hit = std::memchr(text + from, '_', size - from);
        if (hit == nullptr)
            break;
        const std::size_t underscore = static_cast<std::size_t>(static_cast<const char*>(hit) - text);
        from = underscore + 1;
        const std::size_t start = underscore - 7;
        if (!os::startsWithAsciiNoCase(text + start, "default"))
            continue;
        if (bank == kNone && underscore + 5 <= size && os::startsWithAsciiNoCase(text + underscore + 1, "bank"))
            bank = start;
        else if (pitch == kNone && underscore + 6 <= size && os::startsWithAsciiNoCase(text + underscore + 1, "pitch"))
            pitch = start;
    }
}

// Where the lines stand at a block boundary. Lines end at a carriage return (a line feed right after it is
// skipped), at a lone line feed, or at the end of the file.
struct LineState
{
    std::string head;          // first bytes (up to the kept limit) of the line in progress
    bool inLine = false;       // some of the line in progress has been read
    std::uint64_t start = 0;   // file offset of the line in progress
    bool skipLineFeed = false; // the last byte read was a carriage return
};

// Follows the lines through region[0, size), which starts at file offset `offset`: the last line completed in it
// becomes out.lastLine, the line still open at its end becomes the line in progress.
void followLines(const char* region, std::size_t size, std::uint64_t offset, LineState& state, Classification& out)
{
    if (size == 0)
        return;
    std::size_t begin = 0;
    if (state.skipLineFeed) {
        state.skipLineFeed = false;
        if (region[0] == '\n')
            begin = 1;
    }
    std::size_t k = size;
    while (k > begin && !isLineEnd(region[k - 1]))
        --k;
    if (k == begin) {
        // No line ends here: all of it continues the line in progress.
        if (size > begin) {
            if (!state.inLine) {
                state.inLine = true;
                state.start = offset + begin;
            }
            appendCapped(state.head, region + begin, size - begin);
        }
        return;
    }
    std::size_t end = k - 1;
    if (region[end] == '\n' && end > begin && region[end - 1] == '\r')
        --end; // the carriage return ended the line; its line feed belongs to no line
    std::size_t lineBegin = end;
    while (lineBegin > begin && !isLineEnd(region[lineBegin - 1]))
        --lineBegin;
    std::string line;
    if (lineBegin == begin && state.inLine)
        line.swap(state.head);
    appendCapped(line, region + lineBegin, end - lineBegin);
    out.lastLine.swap(line);
    out.anyLineRead = true;

    std::size_t next = end + 1;
    if (region[end] == '\r') {
        if (next < size && region[next] == '\n')
            ++next;
        else if (next == size)
            state.skipLineFeed = true;
    }
    state.head.clear();
    state.inLine = next < size;
    if (state.inLine) {
        state.start = offset + next;
        appendCapped(state.head, region + next, size - next);
    }
}

// The first wing-leveler line, once its start is known: where it starts, what of it has been kept, the first
// position of each word in it (file offsets), and whether its end has been read.
struct Match
{
    bool active = false;
    std::uint64_t start = 0;
    std::string head;
    std::uint64_t pitch = UINT64_MAX;
    std::uint64_t bank = UINT64_MAX;
};

// Classifies the file at `path` that open() opens (a handle of `ops`). With shortReadEnds, a read that returns
// less than it asked for is taken as the end of the file, which saves the read that would return nothing: so
// it is for an ordinary file opened straight from the system, not for whatever a FileOps may stand in for.
template <typename Open>
void classify(const std::string& path, Classification& out, os::FileOps& ops, Open open, bool shortReadEnds)
{
    out.empty = false;
    out.found = false;
    out.anyLineRead = false;
    out.opened = false;
    out.findPitch = 0;
    out.findBank = 0;
    try {
        os::OpenFile file(ops, open());
        out.opened = true;
        // Each block is read behind the last kCarry bytes of the one before, so that a word cut by the block
        // boundary is found whole.
        // Not cleared: only the bytes read into it are ever looked at (a cleared block per file cost more than
        // reading most of the small files of a scan).
        const std::unique_ptr<char[]> buffer(new char[kCarry + kBlock]);
        char* const blockStart = buffer.get() + kCarry;
        std::size_t carried = 0;
        std::uint64_t offset = 0; // file offset of the block
        LineState lines;
        Match match;
        bool anyByte = false;
        // The first block tells how the text is stored; an 8-bit file goes on from that block as it is. A UTF-16
        // file is read again as characters (offsets below count characters, not bytes).
        std::size_t got = ops.readAt(file.handle(), 0, blockStart, kBlock);
        const Encoding encoding = detectEncoding(std::string_view(blockStart, got));
        std::vector<char> raw;
        bool haveBlock = encoding == Encoding::Bytes;
        if (!haveBlock) {
            checkWholeUnits(encoding, ops.status(path).size);
            raw.resize(2 * kBlock);
        }
        bool ended = false; // the last read met the end of the file
        for (;;) {
            if (!haveBlock)
                got = ended ? 0 : readText(ops, file.handle(), encoding, offset, blockStart, raw.data(), kBlock);
            haveBlock = false;
            if (got == 0)
                break;
            ended = shortReadEnds && encoding == Encoding::Bytes && got < kBlock;
            anyByte = true;
            const char* window = blockStart - carried;
            const std::uint64_t windowOffset = offset - carried;
            std::size_t pitch = kNone;
            std::size_t bank = kNone;
            findWords(window, carried + got, pitch, bank);

            std::size_t lineFrom = 0; // where, in the block, the first wing-leveler line's bytes begin
            if (!match.active) {
                if (pitch == kNone && bank == kNone) {
                    followLines(blockStart, got, offset, lines, out);
                    const std::size_t keep = std::min(kCarry, carried + got);
                    std::memmove(buffer.get() + kCarry - keep, blockStart + got - keep, keep);
                    carried = keep;
                    offset += got;
                    continue;
                }
                const std::uint64_t first = windowOffset + std::min(pitch, bank);
                match.active = true;
                if (first < offset) {
                    // The word began in the block before: the line in progress is the one.
                    match.start = lines.start;
                    match.head = lines.head;
                } else {
                    std::size_t at = static_cast<std::size_t>(first - offset);
                    while (at > 0 && !isLineEnd(blockStart[at - 1]))
                        --at;
                    if (at == 0 && lines.inLine) {
                        match.start = lines.start;
                        match.head = lines.head;
                    } else {
                        // The lines before it in this block are complete: the last of them is the last line read.
                        followLines(blockStart, at, offset, lines, out);
                        match.start = offset + at;
                        lineFrom = at;
                    }
                }
            }
            if (pitch != kNone)
                match.pitch = std::min<std::uint64_t>(match.pitch, windowOffset + pitch);
            if (bank != kNone)
                match.bank = std::min<std::uint64_t>(match.bank, windowOffset + bank);

            // The line runs to its first line end; both words count only inside it.
            const char* lineEnd = std::find_if(blockStart + lineFrom, blockStart + got, isLineEnd);
            appendCapped(match.head, blockStart + lineFrom,
                         static_cast<std::size_t>(lineEnd - (blockStart + lineFrom)));
            if (lineEnd != blockStart + got) {
                const std::uint64_t endOffset = offset + static_cast<std::uint64_t>(lineEnd - blockStart);
                if (match.pitch >= endOffset)
                    match.pitch = UINT64_MAX;
                if (match.bank >= endOffset)
                    match.bank = UINT64_MAX;
                break;
            }
            const std::size_t keep = std::min(kCarry, carried + got);
            std::memmove(buffer.get() + kCarry - keep, blockStart + got - keep, keep);
            carried = keep;
            offset += got;
        }
        if (match.active) {
            out.lastLine.swap(match.head);
            out.anyLineRead = true;
            out.found = true;
            out.findPitch = match.pitch == UINT64_MAX ? 0 : clampPosition(match.pitch - match.start + 1);
            out.findBank = match.bank == UINT64_MAX ? 0 : clampPosition(match.bank - match.start + 1);
        } else if (lines.inLine) {
            // The end of the file ends the last line.
            out.lastLine.swap(lines.head);
            out.anyLineRead = true;
        }
        out.empty = !anyByte;
        file.close();
    } catch (const std::system_error& e) {
        throw fileError(e.code(), parentFolder(path), ops);
    }
}

} // namespace

void classifyFile(const std::string& path, Classification& out, os::FileOps& ops)
{
    classify(
        path, out, ops, [&] { return ops.openRead(path); }, false);
}

void classifyFileIn(const os::OpenFolder& folder, const std::string& name, const std::string& path, Classification& out)
{
#ifdef _WIN32
    const bool shortReadEnds = false;
#else
    const bool shortReadEnds = true;
#endif
    classify(
        path, out, os::FileOps::real(), [&] { return folder.openRead(name, path); }, shortReadEnds);
}

std::string findSimulator(const std::string& simulatorFolder)
{
    std::string found = os::lowerAscii(os::findOrdinaryFile(simulatorFolder + "fs9.exe"));
    if (found != "fs9.exe")
        found = os::lowerAscii(os::findOrdinaryFile(simulatorFolder + "fs2000.exe"));
    return found;
}

bool endsInAircraft(const std::string& path)
{
    return path.size() >= kAircraftFolder.size() &&
           os::lowerAscii(path.substr(path.size() - kAircraftFolder.size())) == kAircraftFolder;
}

std::string simulatorBeside(const std::string& aircraftFolder)
{
    if (aircraftFolder.size() < kAircraftFolder.size())
        return std::string();
    return findSimulator(aircraftFolder.substr(0, aircraftFolder.size() - kAircraftFolder.size()));
}

} // namespace vantrel::engine
