#include "EngineTestSupport.h"

#include <algorithm>

#include <atomic>
#include <fstream>
#include <random>
#include <stdexcept>

#ifdef _WIN32
#include "os/WideText.h"
#include "os/Windows.h"
#else
#include <sys/wait.h>
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

unsigned linkCount(const fs::path& path)
{
#ifdef _WIN32
    HANDLE h = CreateFileW(path.wstring().c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open " + path.string() + " to count its names");
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL known = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    if (!known)
        throw std::runtime_error("cannot count the names of " + path.string());
    return info.nNumberOfLinks;
#else
    return static_cast<unsigned>(fs::hard_link_count(path));
#endif
}

#ifdef _WIN32

namespace {
// The holder's path as Windows sees it (under Wine the build folder's Linux path lies on drive Z:).
std::wstring holderProgram()
{
    std::string path = VANTREL_FILE_HOLDER;
    if (!path.empty() && path.front() == '/')
        path = "Z:" + path;
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return os::toWide(path);
}
} // namespace

FileHolder::FileHolder()
{
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE childIn = nullptr, childOut = nullptr, toChild = nullptr, fromChild = nullptr;
    if (!CreatePipe(&childIn, &toChild, &inherited, 0) || !CreatePipe(&fromChild, &childOut, &inherited, 0))
        throw std::runtime_error("no pipe for the file holder");
    SetHandleInformation(toChild, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(fromChild, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childIn;
    startup.hStdOutput = childOut;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + holderProgram() + L"\"";
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(childIn);
    CloseHandle(childOut);
    if (!started)
        throw std::runtime_error("the file holder did not start, error " + std::to_string(GetLastError()));
    CloseHandle(process.hThread);
    process_ = reinterpret_cast<std::intptr_t>(process.hProcess);
    toChild_ = reinterpret_cast<std::intptr_t>(toChild);
    fromChild_ = reinterpret_cast<std::intptr_t>(fromChild);
}

FileHolder::~FileHolder()
{
    CloseHandle(reinterpret_cast<HANDLE>(toChild_));
    const HANDLE process = reinterpret_cast<HANDLE>(process_);
    if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process, 1);
    CloseHandle(process);
    CloseHandle(reinterpret_cast<HANDLE>(fromChild_));
}

std::string FileHolder::ask(const std::string& command)
{
    const std::string line = command + "\n";
    DWORD done = 0;
    if (!WriteFile(reinterpret_cast<HANDLE>(toChild_), line.data(), static_cast<DWORD>(line.size()), &done, nullptr))
        throw std::runtime_error("the file holder does not listen");
    std::string answer;
    char c = 0;
    while (ReadFile(reinterpret_cast<HANDLE>(fromChild_), &c, 1, &done, nullptr) && done == 1 && c != '\n')
        answer += c;
    if (!answer.empty() && answer.back() == '\r')
        answer.pop_back();
    return answer;
}

#else

FileHolder::FileHolder()
{
    int in[2], out[2];
    if (::pipe(in) != 0 || ::pipe(out) != 0)
        throw std::runtime_error("no pipe for the file holder");
    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("the file holder did not start");
    if (pid == 0) {
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        for (const int fd : {in[0], in[1], out[0], out[1]})
            ::close(fd);
        ::execl(VANTREL_FILE_HOLDER, VANTREL_FILE_HOLDER, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    process_ = pid;
    toChild_ = in[1];
    fromChild_ = out[0];
}

FileHolder::~FileHolder()
{
    ::close(static_cast<int>(toChild_));
    int status = 0;
    ::waitpid(static_cast<pid_t>(process_), &status, 0);
    ::close(static_cast<int>(fromChild_));
}

std::string FileHolder::ask(const std::string& command)
{
    const std::string line = command + "\n";
    if (::write(static_cast<int>(toChild_), line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        throw std::runtime_error("the file holder does not listen");
    std::string answer;
    char c = 0;
    while (::read(static_cast<int>(fromChild_), &c, 1) == 1 && c != '\n')
        answer += c;
    return answer;
}

#endif

void FileHolder::hold(const fs::path& path)
{
    const std::string answer = ask("hold " + path.string());
    if (answer != "held")
        throw std::runtime_error("the file holder could not open " + path.string() + ": " + answer);
}

void FileHolder::release()
{
    if (ask("release") != "released")
        throw std::runtime_error("the file holder did not release its file");
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

} // namespace vantrel::test
