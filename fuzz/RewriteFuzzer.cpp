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
// that is the original file, no temporary file left, and every file closed. Any difference aborts.
#include "MemoryFileOps.h"

#include "engine/AppError.h"
#include "engine/Classifier.h"
#include "engine/LineReader.h"
#include "engine/LineTest.h"
#include "engine/Rewriter.h"
#include "engine/WordScanner.h"
#include "os/OpenFile.h"

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

std::string joinLines(const std::vector<std::string>& lines, bool dropWingLeveler)
{
    std::string out;
    for (const std::string& line : lines) {
        if (dropWingLeveler && modelWingLeveler(line))
            continue;
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string modelRemove(const std::vector<std::string>& lines, bool bank, bool pitch, bool fs9)
{
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        out += line;
        out += "\r\n";
        // A UTF-8 byte-order mark before the first line is no part of its text.
        const bool marked = i == 0 && line.compare(0, 3, "\xEF\xBB\xBF") == 0;
        if (!modelHeader(marked ? std::string_view(line).substr(3) : std::string_view(line)))
            continue;
        if (bank)
            out += fs9 ? "default_bank_mode=0\r\n" : "use_no_default_bank=1\r\n";
        if (pitch)
            out += fs9 ? "default_pitch_mode=0\r\n" : "use_no_default_pitch=1\r\n";
    }
    return out;
}

// The line reader with a small buffer hands out the model's lines, tells where each starts, and copies each
// back from the file (the path a long line takes in Restore).
void checkLineReader(MemoryFileOps& ops, const std::string& path, std::size_t bufferSize)
{
    std::vector<std::uint64_t> starts;
    const std::vector<std::string> lines = modelLines(ops.files[path], &starts);
    vantrel::os::OpenFile file(ops, ops.openRead(path));
    engine::LineReader reader(ops, file.handle(), bufferSize);
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
        check(copied == line, "line reader: copied range differs from the line");
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

    const std::vector<std::string> lines = modelLines(original);
    checkLineReader(ops, cfg, bufferSize);
    for (const std::string& line : lines)
        checkWordScanner(line, pieceSize);
    checkClassification(ops, cfg, lines, "classification of the original");

    engine::InsertChoice choice;
    choice.bank = [bank] { return bank; };
    choice.pitch = [pitch] { return pitch; };
    choice.simulator = [fs9] { return std::string(fs9 ? "FS9.exe" : "fs2000.exe"); };

    engine::rewriteAircraft(folder, engine::Mode::Remove, choice, ops);
    const std::string removed = ops.files[cfg];
    check(removed == modelRemove(lines, bank, pitch, fs9), "Remove: bytes differ from the model");
    check(ops.files[bak] == original, "Remove: the backup is not the original file");
    checkFolder(ops, folder, "Remove: a file besides aircraft.cfg and its backup");
    checkClassification(ops, cfg, modelLines(removed), "classification after Remove");

    engine::rewriteAircraft(folder, engine::Mode::Restore, choice, ops);
    const std::string restored = ops.files[cfg];
    check(restored == joinLines(lines, true), "Restore: not the original's lines without the wing-leveler lines");
    bool anyWingLeveler = false;
    for (const std::string& line : lines)
        anyWingLeveler = anyWingLeveler || modelWingLeveler(line);
    if (!anyWingLeveler)
        check(restored == joinLines(lines, false), "Restore after Remove: the original lines are not back");
    check(ops.files[bak] == (original.size() > 100 ? original : removed), "Restore: backup rule");
    checkFolder(ops, folder, "Restore: a file besides aircraft.cfg and its backup");

    engine::rewriteAircraft(folder, engine::Mode::None, choice, ops);
    check(ops.files[cfg] == restored, "no mode: the file changed");
    return 0;
}
