#pragma once

#include "os/FileOps.h"
#include "support/RewriteModel.h"

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <system_error>
#include <vector>

namespace vantrel::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as the engine takes it: a native 8-bit path without a trailing separator.
    std::string str() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::string& bytes);
bool fileExists(const std::filesystem::path& path);
// Names of the entries of a folder, sorted.
std::vector<std::string> listFolder(const std::filesystem::path& folder);
// How many names (hard links) the file has, as the operating system counts them (also on Windows, where the C
// library's stat always says 1).
unsigned linkCount(const std::filesystem::path& path);

// Another program that holds files open (tests/engine/FileHolder.cpp), as a simulator or an editor may while
// Vantrel runs: on Windows it shares the file for reading only, so that Windows refuses to rename, replace or
// delete it meanwhile; elsewhere an open file is no obstacle.
class FileHolder
{
public:
    FileHolder();  // starts the program
    ~FileHolder(); // ends it, which closes whatever it holds
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;

    // Returns once the program holds `path` open.
    void hold(const std::filesystem::path& path);
    // Returns once it has closed the file again.
    void release();

private:
    std::string ask(const std::string& command);

    std::intptr_t process_ = -1;
    std::intptr_t toChild_ = -1;
    std::intptr_t fromChild_ = -1;
};

// The file system, except that chosen calls fail. Call k (1-based, counting every call) fails with `error`;
// with `failFromThen` set, every later call fails too, which is what a crash or a pulled plug looks like to
// the files. A failing close still releases the handle, as close does on Linux.
class FaultyFileOps : public os::FileOps
{
public:
    explicit FaultyFileOps(int failAt = 0, std::error_code error = {}, bool failFromThen = false);

    Handle openRead(const std::string& path) override;
    Handle createWrite(const std::string& path) override;
    std::size_t readAt(Handle file, std::uint64_t offset, char* buffer, std::size_t size) override;
    void write(Handle file, const char* data, std::size_t size) override;
    void flush(Handle file) override;
    void close(Handle file) override;
    Status status(const std::string& path) override;
    void rename(const std::string& from, const std::string& to) override;
    void remove(const std::string& path) override;
    void setAttributes(const std::string& path, std::uint32_t attributes) override;
    std::string resolveLink(const std::string& path) override { return real_.resolveLink(path); }
    void syncFolder(const std::string& folder) override;

    int calls() const { return calls_; }
    bool injected() const { return injected_; }
    const std::set<Handle>& openHandles() const { return open_; }
    // A close of a handle that was not open (a double close) was seen.
    bool misused() const { return misused_; }
    // The kinds of call made, in order ("open", "create", "read", ...).
    const std::vector<std::string>& log() const { return log_; }
    // The same calls with the names of the files they concern, handles resolved to the name they were opened
    // by: "create aircraftcfg.tmp", "flush aircraftcfg.tmp", "rename aircraftcfg.tmp aircraft.cfg".
    const std::vector<std::string>& trace() const { return trace_; }

private:
    void step(const char* what, const std::string& about = {});
    const std::string& nameOf(Handle file) const { return names_.at(file); }

    os::FileOps& real_;
    int failAt_;
    std::error_code error_;
    bool failFromThen_;
    int calls_ = 0;
    bool injected_ = false;
    std::set<Handle> open_;
    std::vector<std::string> log_;
    std::vector<std::string> trace_;
    std::map<Handle, std::string> names_;
    bool misused_ = false;
};

// The same text as UTF-16 with its byte-order mark: each byte becomes one code unit, ASCII as itself and every
// other byte b as U+0A00 + b, whose stored bytes hold a line feed (0x0A) that a byte-wise reader would take for
// a line end.
std::string toUtf16(const std::string& bytes, bool bigEndian);

} // namespace vantrel::test
