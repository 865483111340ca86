#include "EngineTestSupport.h"

#include <algorithm>

#include <atomic>
#include <fstream>
#include <random>
#include <stdexcept>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace vantrel::test {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    static std::atomic<unsigned> counter{0};
    std::random_device random;
#ifdef _WIN32
    const unsigned pid = 0;
#else
    const unsigned pid = static_cast<unsigned>(::getpid());
#endif
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            fs::temp_directory_path() / ("vantrel-engine-" + std::to_string(pid) + "-" + std::to_string(counter++) +
                                         "-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

bool fileExists(const fs::path& path)
{
    std::error_code ec;
    return fs::exists(path, ec);
}

std::vector<std::string> listFolder(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return {names.begin(), names.end()};
}

FaultyFileOps::FaultyFileOps(int failAt, std::error_code error, bool failFromThen)
    : real_(os::FileOps::real()), failAt_(failAt), error_(error), failFromThen_(failFromThen)
{
}

namespace {
std::string baseName(const std::string& path)
{
    return fs::path(path).filename().string();
}
} // namespace

void FaultyFileOps::step(const char* what, const std::string& about)
{
    ++calls_;
    log_.emplace_back(what);
    trace_.push_back(about.empty() ? std::string(what) : what + (" " + about));
    if (failAt_ > 0 && (calls_ == failAt_ || (failFromThen_ && calls_ > failAt_))) {
        injected_ = true;
        throw std::system_error(error_, what);
    }
}

FaultyFileOps::Handle FaultyFileOps::openRead(const std::string& path)
{
    step("open", baseName(path));
    const Handle h = real_.openRead(path);
    open_.insert(h);
    names_[h] = baseName(path);
    return h;
}

FaultyFileOps::Handle FaultyFileOps::createWrite(const std::string& path)
{
    step("create", baseName(path));
    const Handle h = real_.createWrite(path);
    open_.insert(h);
    names_[h] = baseName(path);
    return h;
}

std::size_t FaultyFileOps::readAt(Handle file, std::uint64_t offset, char* buffer, std::size_t size)
{
    step("read", nameOf(file));
    return real_.readAt(file, offset, buffer, size);
}

void FaultyFileOps::write(Handle file, const char* data, std::size_t size)
{
    step("write", nameOf(file));
    real_.write(file, data, size);
}

void FaultyFileOps::flush(Handle file)
{
    step("flush", nameOf(file));
    real_.flush(file);
}

void FaultyFileOps::close(Handle file)
{
    if (open_.erase(file) == 0) {
        misused_ = true;
        return;
    }
    real_.close(file);
    step("close", nameOf(file));
}

FaultyFileOps::Status FaultyFileOps::status(const std::string& path)
{
    step("status", baseName(path));
    return real_.status(path);
}

void FaultyFileOps::rename(const std::string& from, const std::string& to)
{
    step("rename", baseName(from) + " " + baseName(to));
    real_.rename(from, to);
}

void FaultyFileOps::remove(const std::string& path)
{
    step("remove", baseName(path));
    real_.remove(path);
}

void FaultyFileOps::setAttributes(const std::string& path, std::uint32_t attributes)
{
    step("setAttributes", baseName(path));
    real_.setAttributes(path, attributes);
}

bool FaultyFileOps::link(const std::string& existing, const std::string& newName)
{
    step("link", baseName(existing) + " " + baseName(newName));
    return linksAllowed_ && real_.link(existing, newName);
}

void FaultyFileOps::syncFolder(const std::string& folder)
{
    step("syncFolder", baseName(folder));
    real_.syncFolder(folder);
}

std::string toUtf16(const std::string& bytes, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : bytes) {
        const bool ascii = static_cast<unsigned char>(c) < 0x80;
        const char high = ascii ? '\0' : '\x0A';
        out += bigEndian ? high : c;
        out += bigEndian ? c : high;
    }
    return out;
}

std::vector<std::string> splitLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            open = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            line.push_back(c);
            open = true;
        }
    }
    if (open)
        lines.push_back(line);
    return lines;
}

std::string joinCrLf(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

namespace {
std::string lower(std::string s)
{
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    }
    return s;
}
} // namespace

bool mentionsWingLeveler(const std::string& line)
{
    const std::string low = lower(line);
    return low.find("default_pitch") != std::string::npos || low.find("default_bank") != std::string::npos;
}

std::string modelRemove(const std::string& bytes, bool bank, bool pitch, bool fs9)
{
    const std::vector<std::string> lines = splitLines(bytes);
    if (std::any_of(lines.begin(), lines.end(), mentionsWingLeveler))
        return bytes; // the wing leveler is off already: the file stays as it is
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        out.push_back(line);
        if (lower(line.substr(0, 11)) == "[autopilot]") {
            if (bank)
                out.push_back(fs9 ? "default_bank_mode=0" : "use_no_default_bank=1");
            if (pitch)
                out.push_back(fs9 ? "default_pitch_mode=0" : "use_no_default_pitch=1");
        }
    }
    return joinCrLf(out);
}

std::string modelRestore(const std::string& bytes)
{
    std::vector<std::string> out;
    for (const std::string& line : splitLines(bytes)) {
        if (!mentionsWingLeveler(line))
            out.push_back(line);
    }
    return joinCrLf(out);
}

} // namespace vantrel::test
