// libFuzzer target over the line reader, the wing-leveler line test, the classification and the Remove/Restore
// rewrite of one aircraft, all on an in-memory file system.
//
// Input: one byte of choices, then the bytes of aircraft.cfg.
//   bit 0: tick "Remove Default Bank"    bit 1: tick "Remove Default Pitch"    bit 2: the simulator is FS2004
//   bits 3-5: buffer size of the extra line-reader pass (1, 2, 3, 5, 13, 64, 4096, 65536 bytes)
//   bits 6-7: piece size of the extra word-scanner pass (1, 7, 12, the whole line)
//
// Each input is checked against the tests' model of the rewrite (tests/support/RewriteModel.h): every line read
// as the model splits it, the positions of both words, the verdict of the classification, the exact bytes of
// Remove and of Restore of that result, the original lines back after Remove and Restore of a file without
// wing-leveler lines, a backup that is the original file wherever the file changed, no temporary file left, and
// every file closed. A file that the program refuses ("Bad file mode": 16- or 32-bit text without a mark saying
// how, UTF-16 of odd length) is left as it is, without a backup. Any difference aborts.
#include "MemoryFileOps.h"
#include "support/RewriteModel.h"

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
using vantrel::test::mentionsWingLeveler;
using vantrel::test::StoredText;
using vantrel::test::wordPosition;
namespace engine = vantrel::engine;

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
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
    check(scanner.findPitch() == wordPosition(line, "default_pitch"), "word scanner: pitch position");
    check(scanner.findBank() == wordPosition(line, "default_bank"), "word scanner: bank position");
    const engine::LinePositions whole = engine::testLine(line);
    check(whole.findPitch == scanner.findPitch() && whole.findBank == scanner.findBank(), "line test");
    check(whole.isWingLeveler() == mentionsWingLeveler(line), "line test: verdict");
    check(engine::isAutopilotHeader(line) == vantrel::test::isAutopilotHeader(line), "header test");
}

void checkClassification(MemoryFileOps& ops, const std::string& path, const std::vector<std::string>& lines,
                         const char* when)
{
    engine::Classification result;
    engine::classifyFile(path, result, ops);
    std::size_t firstHit = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (mentionsWingLeveler(lines[i])) {
            firstHit = i;
            break;
        }
    }
    check(result.empty == lines.empty(), when);
    check(result.found == (firstHit < lines.size()), when);
    if (!lines.empty()) {
        const std::string& last = lines[firstHit < lines.size() ? firstHit : lines.size() - 1];
        check(result.lastLine == last.substr(0, engine::Classification::kLastLineLimit), when);
        check(result.findPitch == wordPosition(last, "default_pitch"), when);
        check(result.findBank == wordPosition(last, "default_bank"), when);
    }
}

// The call refuses the file with "Bad file mode", with every file closed.
template <typename Call> void checkRefused(MemoryFileOps& ops, const std::string& path, Call call)
{
    bool refused = false;
    try {
        call();
    } catch (const vantrel::os::AppError& e) {
        refused = e.number() == vantrel::os::err::BadFileMode;
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

    const StoredText t = vantrel::test::readStored(original);
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
    check(removed == vantrel::test::modelRemove(original, bank, pitch, fs9), "Remove: bytes differ from the model");
    check(removed == original ? ops.files.count(bak) == 0 : ops.files[bak] == original,
          "Remove: the backup is not the original file");
    checkFolder(ops, folder, "Remove: a file besides aircraft.cfg and its backup");
    const StoredText afterRemove = vantrel::test::readStored(removed);
    if (afterRemove.refused) {
        // Stray zero bytes that did not look like 16-bit text beside the old line ends may look so beside CR LF:
        // the program then refuses the file it wrote, and leaves it as it is.
        checkRefused(ops, cfg, [&] { engine::rewriteAircraft(folder, engine::Mode::Restore, choice, ops); });
        check(ops.files[cfg] == removed, "refused after Remove: the file was changed");
        return 0;
    }
    check(afterRemove.width == t.width, "Remove: the result is stored differently");
    checkClassification(ops, cfg, afterRemove.lines, "classification after Remove");

    const bool hadBackup = ops.files.count(bak) != 0;
    const std::string backupBefore = hadBackup ? ops.files[bak] : std::string();
    engine::rewriteAircraft(folder, engine::Mode::Restore, choice, ops);
    const std::string restored = ops.files[cfg];
    check(restored == vantrel::test::modelRestore(removed), "Restore: bytes differ from the model");
    if (removed != original) {
        // Remove inserted lines (the original has no wing-leveler line): Restore gives back every original line
        // as stored, each ended by CR LF.
        std::string back = t.mark;
        for (const std::string& line : t.stored)
            back += line + t.encode("\r\n");
        check(restored == back, "Restore after Remove: the original lines are not back");
    }
    // A backup of 100 bytes or fewer is taken afresh before every rewrite; a larger one is kept.
    const std::string backupAfter = ops.files.count(bak) != 0 ? ops.files[bak] : std::string();
    if (restored == removed)
        check(backupAfter == backupBefore, "Restore: the backup changed although the file did not");
    else
        check(backupAfter == (hadBackup && backupBefore.size() > 100 ? backupBefore : removed), "Restore: backup rule");
    checkFolder(ops, folder, "Restore: a file besides aircraft.cfg and its backup");

    engine::rewriteAircraft(folder, engine::Mode::None, choice, ops);
    check(ops.files[cfg] == restored, "no mode: the file changed");
    return 0;
}
