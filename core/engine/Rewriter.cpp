#include "engine/Rewriter.h"

#include "os/Ascii.h"

#include "engine/BufferedWriter.h"
#include "engine/FileError.h"
#include "engine/LineReader.h"
#include "engine/LineTest.h"
#include "engine/TextEncoding.h"
#include "engine/WordScanner.h"
#include "os/AppError.h"
#include "os/FileSearch.h"
#include "os/OpenFile.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <vector>

namespace vantrel::engine {

namespace {

constexpr std::uint64_t kBackupRefreshLimit = 100; // a backup this small is taken to be a failed one
constexpr int kMaxLeftovers = 10000;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kBufferSize = 64 * 1024;

// The aircraft's configuration file keeps the name it has: a file system that tells letter case apart
// may hold it as Aircraft.CFG, and the rewrite must replace that file, not write a second one beside it. Where
// several names differ in letter case only, the one the scan read (findOrdinaryFile picks as the scan does).
std::string configurationPath(const std::string& folder)
{
    const std::string usual = joinPath(folder, "aircraft.cfg");
    const std::string stored = os::findOrdinaryFile(usual);
    return stored.empty() ? usual : joinPath(folder, stored);
}

// The aircraft's files. An aircraft.cfg that is a symbolic link (one configuration shared by several aircraft)
// stays one: the file it points to is rewritten, beside itself, and the aircraft's backup is a copy of its content.
struct AircraftFiles
{
    AircraftFiles(const std::string& folder, os::FileOps& ops)
        : folder(folder), bak(joinPath(folder, "aircraftcfg.bak")), bakTmp(joinPath(folder, "aircraftcfg.bak.tmp"))
    {
        const std::string named = configurationPath(folder);
        cfg = ops.resolveLink(named);
        cfgFolder = cfg != named ? parentFolder(cfg) : folder;
        tmp = joinPath(cfgFolder, "aircraftcfg.tmp");
    }

    std::string folder;
    std::string bak;
    std::string bakTmp;
    std::string cfg;       // the file that holds the configuration (the target where aircraft.cfg is a symbolic link)
    std::string cfgFolder; // cfg's folder, where its new content is written
    std::string tmp;
};

bool isSeparator(char c)
{
    return c == os::nativeSeparator() || c == '/';
}

bool isFs9(const std::string& simulator)
{
    return os::lowerAscii(simulator) == "fs9.exe";
}

// A temporary file that this rewrite created and has not yet renamed into place; removed on failure.
class OwnedTemporary
{
public:
    OwnedTemporary(os::FileOps& ops, std::string path) : ops_(ops), path_(std::move(path)) {}
    ~OwnedTemporary()
    {
        if (!owned_)
            return;
        try {
            ops_.remove(path_);
        } catch (...) {
            // Left behind it does no harm: it is neither the configuration nor the backup, nor a second name of
            // either, and the next rewrite sets aside a file of that name before using it.
        }
    }
    void own() { owned_ = true; }
    void release() { owned_ = false; }

private:
    os::FileOps& ops_;
    std::string path_;
    bool owned_ = false;
};

// A file under one of the rewrite's temporary names now was left by a rewrite that stopped half-way. It may hold
// the aircraft's only complete configuration (an older program moved aircraft.cfg there before writing anew, or a
// backup began there as a second name of an aircraft.cfg that has been replaced since), so it is never deleted
// unread: a leftover aircraftcfg.tmp becomes the configuration again when that is missing (`restoreAs`), and any
// other leftover is kept under a numbered name. Only a second name (hard link) of a file that has another name
// goes, as its content stays under that one: a name kept would share its file with aircraft.cfg.
void setAside(os::FileOps& ops, const std::string& leftover, const std::string& folder, const std::string* restoreAs)
{
    const os::FileOps::Status found = ops.status(leftover);
    if (!found.exists)
        return;
    if (!found.regular)
        throw os::makeError(os::err::PathFileAccess);
    if (restoreAs != nullptr && !ops.status(*restoreAs).exists) {
        ops.rename(leftover, *restoreAs);
        ops.syncFolder(folder);
        return;
    }
    if (found.links > 1) {
        ops.remove(leftover);
        return;
    }
    for (int n = 1; n <= kMaxLeftovers; ++n) {
        const std::string keep = leftover + "." + std::to_string(n);
        if (ops.status(keep).exists)
            continue;
        ops.rename(leftover, keep);
        ops.syncFolder(folder);
        return;
    }
    throw os::makeError(os::err::PathFileAccess);
}

void setAsideLeftovers(os::FileOps& ops, const AircraftFiles& files)
{
    setAside(ops, files.tmp, files.cfgFolder, &files.cfg);
    setAside(ops, files.bakTmp, files.folder, nullptr);
}

// Copies the whole of `from` to the end of the open file `to`.
void copyInto(os::FileOps& ops, const std::string& from, os::FileOps::Handle to)
{
    os::OpenFile in(ops, ops.openRead(from));
    std::uint64_t offset = 0;
    std::vector<char> buffer(kBufferSize);
    for (;;) {
        const std::size_t got = ops.readAt(in.handle(), offset, buffer.data(), buffer.size());
        if (got == 0)
            break;
        ops.write(to, buffer.data(), got);
        offset += got;
    }
    in.close();
}

// Whether a backup is made before this rewrite: when none is there, or one so small that it stands for a failed
// one. It is made afresh from aircraft.cfg as it is now: a copy, forced to disk, that takes a name of its own first
// and is renamed into place, so that aircraftcfg.bak is never partial. It is always a file of its own, never a
// second name (hard link) of aircraft.cfg: the two would share one file from the moment the backup is made until
// aircraft.cfg is replaced, and a failure or a kill in between would leave an edit of aircraft.cfg changing its
// backup too.
bool backupDue(os::FileOps& ops, const AircraftFiles& files)
{
    const os::FileOps::Status backup = ops.status(files.bak);
    if (backup.exists && !backup.regular)
        throw os::makeError(os::err::PathFileAccess);
    return !backup.exists || backup.size <= kBackupRefreshLimit;
}

// What the rewrite writes of its own (the mark, line ends, inserted lines), in the file's encoding.
class OwnText
{
public:
    explicit OwnText(Encoding encoding) : encoding_(encoding), lineEnd_(encodeAscii(encoding, kLineEnd))
    {
        for (std::size_t i = 0; i < kInserted.size(); ++i)
            inserted_[i] = encodeAscii(encoding, kInserted[i]) + lineEnd_;
    }

    std::string_view lineEnd() const { return lineEnd_; }
    std::string_view mark() const { return markBytes(encoding_); }
    // An inserted line with its line end, encoded once: a file may have a header every few lines.
    std::string_view line(std::string_view ascii) const
    {
        for (std::size_t i = 0; i < kInserted.size(); ++i) {
            if (kInserted[i] == ascii)
                return inserted_[i];
        }
        throw std::logic_error("not a line the rewrite inserts");
    }

    static constexpr std::array<std::string_view, 4> kInserted{"default_bank_mode=0", "default_pitch_mode=0",
                                                               "use_no_default_bank=1", "use_no_default_pitch=1"};

private:
    Encoding encoding_;
    std::string lineEnd_;
    std::array<std::string, 4> inserted_;
};

// Below a header: the chosen lines. Returns whether there were any; with a null `writer` it only finds that out.
bool insertLines(BufferedWriter* writer, const InsertChoice& choice, const OwnText& own)
{
    if (writer == nullptr)
        return (choice.bank && choice.bank()) || (choice.pitch && choice.pitch());
    bool any = false;
    if (choice.bank && choice.bank()) {
        const bool fs9 = choice.simulator && isFs9(choice.simulator());
        writer->write(own.line(fs9 ? "default_bank_mode=0" : "use_no_default_bank=1"));
        any = true;
    }
    if (choice.pitch && choice.pitch()) {
        const bool fs9 = choice.simulator && isFs9(choice.simulator());
        writer->write(own.line(fs9 ? "default_pitch_mode=0" : "use_no_default_pitch=1"));
        any = true;
    }
    return any;
}

// Every line goes through; below each [autopilot] header the chosen lines follow. A UTF-8 byte-order mark
// (written by some editors) is no part of the first line's text: a header right behind it is still a header.
// It is copied like every other byte. A UTF-16 file's lines are tested on its text and copied as stored.
// Returns whether the file changes: false, having stopped, at a wing-leveler line (the file's wing leveler is off
// already), and false at the end when no line was inserted (no header, or no line chosen): the new file would
// hold the same lines. With a null `writer` the copy only finds that out, asking for the choice until a header
// gets a line.
bool copyWithInsertions(LineReader& reader, BufferedWriter* writer, const InsertChoice& choice, const OwnText& own)
{
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    constexpr std::size_t headerLength = 11;
    bool firstLine = true;
    bool inserted = false;
    std::string head;
    WordScanner scanner;
    std::string_view piece;
    bool lineEnds = false;
    while (reader.next(piece, lineEnds)) {
        const std::size_t wanted = headerLength + (firstLine ? byteOrderMark.size() : 0);
        if (head.size() < wanted)
            head.append(piece.substr(0, wanted - head.size()));
        scanner.feed(piece);
        if (scanner.found())
            return false;
        if (writer != nullptr)
            writer->write(reader.raw(piece));
        if (!lineEnds)
            continue;
        scanner.reset();
        if (writer != nullptr)
            writer->write(own.lineEnd());
        if (firstLine && head.compare(0, byteOrderMark.size(), byteOrderMark) == 0)
            head.erase(0, byteOrderMark.size());
        if (isAutopilotHeader(head) && (writer != nullptr || !inserted))
            inserted = insertLines(writer, choice, own) || inserted;
        head.clear();
        firstLine = false;
    }
    return inserted;
}

// Every line but the wing-leveler lines goes through. A line is tested to its end before any of it is
// written; a line longer than the buffer is read a second time to copy it. Returns whether any line was left out:
// a file without one has its wing leveler on already. With a null `writer` the copy only finds that out, and stops
// at the first wing-leveler word.
bool copyWithoutWingLeveler(LineReader& reader, BufferedWriter* writer, const OwnText& own)
{
    bool leftOut = false;
    WordScanner scanner;
    std::string_view piece;
    bool lineEnds = false;
    const auto sink = [writer](std::string_view bytes) { writer->write(bytes); };
    while (reader.next(piece, lineEnds)) {
        scanner.feed(piece);
        if (writer == nullptr && scanner.found())
            return true;
        if (!lineEnds)
            continue;
        if (scanner.found()) {
            leftOut = true;
        } else if (writer != nullptr) {
            reader.copyRange(reader.lineStart(), reader.lineLength(), sink);
            writer->write(own.lineEnd());
        }
        scanner.reset();
    }
    return leftOut;
}

// The encoding of the open file, judged by its first bytes. A file that is not text this program can read
// throws before anything is written.
Encoding encodingOf(os::FileOps& ops, os::FileOps::Handle file, std::uint64_t size)
{
    char first[kSniffLength];
    std::size_t got = 0;
    while (got < sizeof first) {
        const std::size_t read = ops.readAt(file, got, first + got, sizeof first - got);
        if (read == 0)
            break;
        got += read;
    }
    const Encoding encoding = detectEncoding(std::string_view(first, got));
    checkWholeUnits(encoding, size);
    return encoding;
}

// Whether the rewrite of the open file changes its lines; with a `writer`, writes the new content on the way.
bool copyChanging(LineReader& reader, BufferedWriter* writer, Mode mode, const InsertChoice& choice, const OwnText& own)
{
    return mode == Mode::Remove ? copyWithInsertions(reader, writer, choice, own)
                                : copyWithoutWingLeveler(reader, writer, own);
}

// Writes the new content beside aircraft.cfg (and the backup beside the backup), forces it to disk and only then
// puts it in place with one rename, so that aircraft.cfg is never partial, whatever fails or wherever the machine
// stops. The new file is stored like the old one (8-bit, or UTF-16 with the same mark) and gets its permissions.
void replaceContent(os::FileOps& ops, const AircraftFiles& files, Mode mode, const InsertChoice& choice)
{
    const os::FileOps::Status old = ops.status(files.cfg);
    OwnedTemporary backup(ops, files.bakTmp);
    OwnedTemporary replacement(ops, files.tmp);
    bool backedUp = false;
    {
        os::OpenFile in(ops, ops.openRead(files.cfg));
        const Encoding encoding = encodingOf(ops, in.handle(), old.size);
        const OwnText own(encoding);
        // The file is classified afresh before anything is written: since the scan it may have been rewritten (by a
        // Modify that stopped at a later aircraft, or by another program), and a file that the rewrite would give
        // the same lines (one already in the state this mode makes; in Remove one without a header or an empty one)
        // is left exactly as it is: nothing written, renamed or backed up.
        bool changes = false;
        {
            LineReader probe(ops, in.handle(), kBufferSize, encoding);
            changes = copyChanging(probe, nullptr, mode, choice, own);
        }
        if (!changes) {
            in.close();
            return;
        }
        // The backup and the new content are both written before either is forced to disk: the second flush
        // right after the first costs little.
        std::optional<os::OpenFile> backupOut;
        if (backupDue(ops, files)) {
            backupOut.emplace(ops, ops.createWrite(files.bakTmp));
            backup.own();
            copyInto(ops, files.cfg, backupOut->handle());
        }
        os::OpenFile out(ops, ops.createWrite(files.tmp));
        replacement.own();
        LineReader reader(ops, in.handle(), kBufferSize, encoding);
        BufferedWriter writer(ops, out.handle(), kBufferSize);
        writer.write(own.mark());
        if (!copyChanging(reader, &writer, mode, choice, own)) {
            // Another program changed the file between the two readings: it is left as it is now, and the
            // temporary files go with their owners.
            out.close();
            if (backupOut)
                backupOut->close();
            in.close();
            return;
        }
        writer.flush();
        if (backupOut) {
            ops.flush(backupOut->handle());
            backupOut->close();
            backedUp = true;
        }
        ops.flush(out.handle());
        out.close();
        in.close();
    }
    ops.setAttributes(files.tmp, old.attributes);
    // The backup takes its name right before aircraft.cfg changes. No folder sync between the two: journalled file
    // systems keep the order of renames, so the backup's name is lasting before aircraft.cfg's new content is.
    if (backedUp) {
        ops.rename(files.bakTmp, files.bak);
        backup.release();
    }
    ops.rename(files.tmp, files.cfg);
    replacement.release();
    // The rename is atomic, so after a crash aircraft.cfg holds the complete old or new content either way; a
    // folder sync would only make the change lasting a few seconds sooner, at the price of a disk flush per
    // aircraft.
}

} // namespace

std::string joinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty() || isSeparator(folder.back()))
        return folder + name;
    return folder + os::nativeSeparator() + name;
}

void rewriteAircraft(const std::string& folder, Mode mode, const InsertChoice& choice, os::FileOps& ops)
{
    // Without a mode there is nothing the rewrite could mean to change.
    if (mode == Mode::None)
        return;
    const AircraftFiles files(folder, ops);
    try {
        // A read-only aircraft.cfg is its owner's protection: refused before any file is touched.
        if (ops.status(files.cfg).readOnly)
            throw os::makeError(os::err::PermissionDenied);
        setAsideLeftovers(ops, files);
        replaceContent(ops, files, mode, choice);
    } catch (const std::system_error& e) {
        throw fileError(e.code(), folder, ops);
    }
}

} // namespace vantrel::engine
