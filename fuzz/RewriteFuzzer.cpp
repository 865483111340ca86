// libFuzzer target over the line reader, the wing-leveler line test, the classification and the Remove/Restore
// rewrite of one aircraft, all on an in-memory file system.
//
// Input: one byte of choices, then the bytes of aircraft.cfg.
//   bit 0: tick "Remove Default Bank"    bit 1: tick "Remove Default Pitch"    bit 2: the simulator is FS2004
//   bits 3-5: buffer size of the extra line-reader pass (1, 2, 3, 5, 13, 64, 4096, 65536 bytes)
//   bits 6-7: piece size of the extra word-scanner pass (1, 7, 12, the whole line)
//
// Each input is checked against a plain model written here: every line read as the model splits it, the
// positions of both words, the verdict of the classification, the exact bytes of Remove, Restore of that result
// giving back every line that is not a wing-leveler line (all of them, for a file without such lines), a backup
// that is the original file, no temporary file left, and every file closed. A UTF-16 file with its mark is the
// same check on its text (ASCII code units as themselves, others as '?'), its lines copied as stored and the
// rest written in its byte order; a file that looks like 16- or 32-bit text without saying how, or UTF-16 of odd
// length, is refused with "Bad file mode" and left as it is, without a backup. Any difference aborts.
#include "MemoryFileOps.h"

#include "engine/Classifier.h"
#include "engine/LineReader.h"
#include "engine/LineTest.h"
#include "engine/Rewriter.h"
#include "engine/WordScanner.h"
#include "os/AppError.h"
#include "os/OpenFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using vantrel::fuzz::MemoryFileOps;
namespace engine = vantrel::engine;

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// Lines as the program must see them: ended by CR, CR LF, a lone LF, or the end of the file. `starts` receives
// the offset of each line's first byte (of its end byte, for an empty line).
std::vector<std::string> modelLines(std::string_view bytes, std::vector<std::uint64_t>* starts = nullptr)
{
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (!open && starts)
            starts->push_back(i);
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            open = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            continue;
        }
        line.push_back(c);
        open = true;
    }
    if (open)
        lines.push_back(line);
    return lines;
}

std::string lowerAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

int modelPosition(std::string_view line, std::string_view word)
{
    const std::size_t at = lowerAscii(line).find(word);
    return at == std::string::npos ? 0 : static_cast<int>(at + 1);
}

bool modelWingLeveler(std::string_view line)
{
    return modelPosition(line, "default_pitch") > 0 || modelPosition(line, "default_bank") > 0;
}

bool modelHeader(std::string_view line)
{
    return line.size() >= 11 && lowerAscii(line.substr(0, 11)) == "[autopilot]";
}

// How the model reads a file: its text (one char per character), its lines, and each line's bytes as stored.
struct StoredText
{
    bool refused = false;
    int width = 1;          // bytes per character
    bool bigEndian = false; // UTF-16 byte order
    std::string mark;       // bytes before the text
    std::string text;       // 8-bit: the bytes; UTF-16: ASCII units as themselves, others '?'
    std::vector<std::string> lines;
    std::vector<std::string> stored; // each line's bytes as stored
    std::vector<std::uint64_t> starts;

    // ASCII in the file's encoding.
    std::string encode(std::string_view ascii) const
    {
        if (width == 1)
            return std::string(ascii);
        std::string out;
        for (const char c : ascii) {
            out += bigEndian ? '\0' : c;
            out += bigEndian ? c : '\0';
        }
        return out;
    }
};

StoredText modelText(const std::string& bytes)
{
    StoredText t;
    const auto starts = [&bytes](std::string_view prefix) { return bytes.compare(0, prefix.size(), prefix) == 0; };
    if (starts(std::string_view("\xFF\xFE\0\0", 4)) || starts(std::string_view("\0\0\xFE\xFF", 4))) {
        t.refused = true;
        return t;
    }
    if (starts("\xFF\xFE") || starts("\xFE\xFF")) {
        t.width = 2;
        t.bigEndian = bytes[0] == '\xFE';
        t.mark = bytes.substr(0, 2);
        if (bytes.size() % 2 != 0) {
            t.refused = true;
            return t;
        }
        for (std::size_t i = 2; i < bytes.size(); i += 2) {
            const unsigned char first = static_cast<unsigned char>(bytes[i]);
            const unsigned char second = static_cast<unsigned char>(bytes[i + 1]);
            const unsigned unit = t.bigEndian ? (first << 8 | second) : (second << 8 | first);
            t.text += unit < 0x80 ? static_cast<char>(unit) : '?';
        }
    } else {
        const std::size_t sniffed = std::min<std::size_t>(bytes.size(), 512);
        bool evenZero = true;
        bool oddZero = true;
        for (std::size_t i = 0; i < sniffed; ++i) {
            if (bytes[i] != '\0')
                (i % 2 == 0 ? evenZero : oddZero) = false;
        }
        if (sniffed >= 2 && (evenZero || oddZero)) {
            t.refused = true;
            return t;
        }
        t.text = bytes;
    }
    t.lines = modelLines(t.text, &t.starts);
    for (std::size_t i = 0; i < t.lines.size(); ++i)
        t.stored.push_back(bytes.substr(t.mark.size() + t.width * t.starts[i], t.width * t.lines[i].size()));
    return t;
}

std::string joinLines(const StoredText& t, bool dropWingLeveler)
{
    std::string out = t.mark;
    for (std::size_t i = 0; i < t.lines.size(); ++i) {
        if (dropWingLeveler && modelWingLeveler(t.lines[i]))
            continue;
        out += t.stored[i];
        out += t.encode("\r\n");
    }
    return out;
}

std::string modelRemove(const StoredText& t, bool bank, bool pitch, bool fs9)
{
    std::string out = t.mark;
    for (std::size_t i = 0; i < t.lines.size(); ++i) {
        const std::string& line = t.lines[i];
        out += t.stored[i];
        out += t.encode("\r\n");
        // A UTF-8 byte-order mark before the first line is no part of its text.
        const bool marked = i == 0 && line.compare(0, 3, "\xEF\xBB\xBF") == 0;
        if (!modelHeader(marked ? std::string_view(line).substr(3) : std::string_view(line)))
            continue;
        if (bank)
            out += t.encode(fs9 ? "default_bank_mode=0\r\n" : "use_no_default_bank=1\r\n");
        if (pitch)
            out += t.encode(fs9 ? "default_pitch_mode=0\r\n" : "use_no_default_pitch=1\r\n");
    }
    return out;
}

// The line reader with a small buffer hands out the model's lines, tells where each starts, and copies each
// back from the file (the path a long line takes in Restore).
void checkLineReader(MemoryFileOps& ops, const std::string& path, std::size_t bufferSize, const StoredText& t)
{
    const std::vector<std::string>& lines = t.lines;
    const std::vector<std::uint64_t>& starts = t.starts;
    const engine::Encoding encoding =
        t.width == 1 ? engine::Encoding::Bytes : (t.bigEndian ? engine::Encoding::Utf16BE : engine::Encoding::Utf16LE);
    vantrel::os::OpenFile file(ops, ops.openRead(path));
    engine::LineReader reader(ops, file.handle(), bufferSize, encoding);
    std::size_t index = 0;
    std::string line;
    std::string_view piece;
    bool lineEnds = false;
    while (reader.next(piece, lineEnds)) {
        line.append(piece);
        if (!lineEnds)
            continue;
        check(index < lines.size(), "line reader: more lines than the model");
        check(line == lines[index], "line reader: line differs from the model");
        check(reader.lineLength() == line.size(), "line reader: line length");
        check(reader.lineStart() == starts[index], "line reader: line start");
        std::string copied;
        reader.copyRange(reader.lineStart(), reader.lineLength(), [&copied](std::string_view b) { copied.append(b); });
        check(copied == t.stored[index], "line reader: copied range differs from the line as stored");
        line.clear();
        ++index;
    }
    check(index == lines.size(), "line reader: fewer lines than the model");
    check(!reader.next(piece, lineEnds), "line reader: a line after the end");
    file.close();
}

void checkWordScanner(const std::string& line, std::size_t pieceSize)
{
    engine::WordScanner scanner;
    if (pieceSize == 0) {
        scanner.feed(line);
    } else {
        for (std::size_t at = 0; at < line.size(); at += pieceSize)
            scanner.feed(std::string_view(line).substr(at, pieceSize));
    }
    check(scanner.findPitch() == modelPosition(line, "default_pitch"), "word scanner: pitch position");
    check(scanner.findBank() == modelPosition(line, "default_bank"), "word scanner: bank position");
    const engine::LinePositions whole = engine::testLine(line);
    check(whole.findPitch == scanner.findPitch() && whole.findBank == scanner.findBank(), "line test");
    check(whole.isWingLeveler() == modelWingLeveler(line), "line test: verdict");
    check(engine::isAutopilotHeader(line) == modelHeader(line), "header test");
}

void checkClassification(MemoryFileOps& ops, const std::string& path, const std::vector<std::string>& lines,
                         const char* when)
{
    engine::Classification result;
    engine::classifyFile(path, result, ops);
    std::size_t firstHit = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (modelWingLeveler(lines[i])) {
            firstHit = i;
            break;
        }
    }
    check(result.empty == lines.empty(), when);
    check(result.found == (firstHit < lines.size()), when);
    if (!lines.empty()) {
        const std::string& last = lines[firstHit < lines.size() ? firstHit : lines.size() - 1];
        check(result.lastLine == last.substr(0, engine::Classification::kLastLineLimit), when);
        check(result.findPitch == modelPosition(last, "default_pitch"), when);
        check(result.findBank == modelPosition(last, "default_bank"), when);
    }
}

// The call refuses the file with "Bad file mode", with every file closed.
template <typename Call> void checkRefused(MemoryFileOps& ops, const std::string& path, Call call)
{
    bool refused = false;
    try {
        call();
    } catch (const vantrel::AppError& e) {
        refused = e.number() == vantrel::err::BadFileMode;
    }
    check(refused, "refused: not reported as Bad file mode");
    check(ops.openCount() == 0, "refused: a file was left open");
    check(ops.files.count(path) == 1, "refused: the file is gone");
}

void checkFolder(MemoryFileOps& ops, const std::string& folder, const char* when)
{
    check(ops.openCount() == 0, "a file was left open");
    for (const auto& entry : ops.files) {
        const std::string name = entry.first.substr(folder.size() + 1);
        check(name == "aircraft.cfg" || name == "aircraftcfg.bak", when);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t choices = data[0];
    const bool bank = (choices & 1) != 0;
    const bool pitch = (choices & 2) != 0;
    const bool fs9 = (choices & 4) != 0;
    static const std::size_t bufferSizes[] = {1, 2, 3, 5, 13, 64, 4096, 65536};
    static const std::size_t pieceSizes[] = {1, 7, 12, 0};
    const std::size_t bufferSize = bufferSizes[(choices >> 3) & 7];
    const std::size_t pieceSize = pieceSizes[(choices >> 6) & 3];
    const std::string original(reinterpret_cast<const char*>(data) + 1, size - 1);

    const std::string folder = "/fuzz/Aircraft/Plane";
    const std::string cfg = folder + "/aircraft.cfg";
    const std::string bak = folder + "/aircraftcfg.bak";
    MemoryFileOps ops;
    ops.files[cfg] = original;

    engine::InsertChoice choice;
    choice.bank = [bank] { return bank; };
    choice.pitch = [pitch] { return pitch; };
    choice.simulator = [fs9] { return std::string(fs9 ? "FS9.exe" : "fs2000.exe"); };

    const StoredText t = modelText(original);
    if (t.refused) {
        checkRefused(ops, cfg, [&] {
            engine::Classification result;
            engine::classifyFile(cfg, result, ops);
        });
        for (const engine::Mode mode : {engine::Mode::Remove, engine::Mode::Restore})
            checkRefused(ops, cfg, [&] { engine::rewriteAircraft(folder, mode, choice, ops); });
        check(ops.files.size() == 1 && ops.files[cfg] == original, "refused: the file was changed or backed up");
        return 0;
    }

    const std::vector<std::string>& lines = t.lines;
    checkLineReader(ops, cfg, bufferSize, t);
    for (const std::string& line : lines)
        checkWordScanner(line, pieceSize);
    checkClassification(ops, cfg, lines, "classification of the original");

    engine::rewriteAircraft(folder, engine::Mode::Remove, choice, ops);
    const std::string removed = ops.files[cfg];
    check(removed == modelRemove(t, bank, pitch, fs9), "Remove: bytes differ from the model");
    check(ops.files[bak] == original, "Remove: the backup is not the original file");
    checkFolder(ops, folder, "Remove: a file besides aircraft.cfg and its backup");
    const StoredText afterRemove = modelText(removed);
    check(!afterRemove.refused && afterRemove.width == t.width, "Remove: the result is stored differently");
    checkClassification(ops, cfg, afterRemove.lines, "classification after Remove");

    engine::rewriteAircraft(folder, engine::Mode::Restore, choice, ops);
    const std::string restored = ops.files[cfg];
    check(restored == joinLines(t, true), "Restore: not the original's lines without the wing-leveler lines");
    bool anyWingLeveler = false;
    for (const std::string& line : lines)
        anyWingLeveler = anyWingLeveler || modelWingLeveler(line);
    if (!anyWingLeveler)
        check(restored == joinLines(t, false), "Restore after Remove: the original lines are not back");
    check(ops.files[bak] == (original.size() > 100 ? original : removed), "Restore: backup rule");
    checkFolder(ops, folder, "Restore: a file besides aircraft.cfg and its backup");

    engine::rewriteAircraft(folder, engine::Mode::None, choice, ops);
    check(ops.files[cfg] == restored, "no mode: the file changed");
    return 0;
}
