// The Modify floor: for every aircraft folder that holds an aircraft.cfg, only the file work that any safe rewrite
// must do (back the file up, read it, write the temporary file, flush it to disk, rename it over the original),
// with no parsing and no other logic. The real Modify is measured against this, so it must stay this plain.
// POSIX only; the benchmarks run on Linux.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

[[noreturn]] void fail(const std::string& what, const std::string& path)
{
    std::fprintf(stderr, "vantrel_modify_floor: cannot %s %s: %s\n", what.c_str(), path.c_str(), std::strerror(errno));
    std::exit(1);
}

void writeAll(int fd, const char* data, std::size_t size, const std::string& path)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail("write", path);
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

// Streams the open file `in` from its start into a new file `to`; flushes it to disk when asked.
void copyTo(int in, const std::string& from, const std::string& to, bool flush, char* buffer)
{
    if (::lseek(in, 0, SEEK_SET) != 0)
        fail("rewind", from);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0)
        fail("create", to);
    for (;;) {
        const ssize_t n = ::read(in, buffer, kBufferSize);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail("read", from);
        }
        if (n == 0)
            break;
        writeAll(out, buffer, static_cast<std::size_t>(n), to);
    }
    if (flush && ::fsync(out) != 0)
        fail("flush", to);
    if (::close(out) != 0)
        fail("close", to);
}

double now()
{
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: vantrel_modify_floor AIRCRAFT_FOLDER\n"
                             "Rewrites every AIRCRAFT_FOLDER/*/aircraft.cfg unchanged through a backup and a "
                             "flushed temporary file; prints the wall time in seconds.\n");
        return 2;
    }
    const std::string root = argv[1];
    const double start = now();

    DIR* dir = ::opendir(root.c_str());
    if (!dir)
        fail("open folder", root);
    std::vector<std::string> folders;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            folders.push_back(root + "/" + name);
    }
    ::closedir(dir);

    std::vector<char> buffer(kBufferSize);
    long rewritten = 0;
    for (const std::string& folder : folders) {
        const std::string cfg = folder + "/aircraft.cfg";
        const int in = ::open(cfg.c_str(), O_RDONLY | O_CLOEXEC);
        if (in < 0) {
            if (errno == ENOENT || errno == ENOTDIR)
                continue; // not an aircraft folder, or an aircraft without a configuration file
            fail("open", cfg);
        }
        copyTo(in, cfg, folder + "/aircraftcfg.bak", false, buffer.data());
        const std::string tmp = folder + "/aircraftcfg.tmp";
        copyTo(in, cfg, tmp, true, buffer.data());
        ::close(in);
        if (::rename(tmp.c_str(), cfg.c_str()) != 0)
            fail("rename over", cfg);
        ++rewritten;
    }

    std::printf("%.6f s wall, %ld aircraft rewritten\n", now() - start, rewritten);
    return 0;
}
