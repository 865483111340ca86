#include "ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace vantrel::test {

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& prefix)
{
    std::vector<std::string> all = prefix;
    all.insert(all.end(), argv.begin(), argv.end());
    std::vector<char*> args;
    for (std::string& arg : all)
        args.push_back(arg.data());
    args.push_back(nullptr);

    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        execv(args[0], args.data());
        _exit(127);
    }
    close(fds[1]);
    out_ = fds[0];
}

ChildProcess::~ChildProcess()
{
    if (!waited_) {
        ::kill(pid_, SIGKILL);
        wait();
    }
    if (out_ >= 0)
        close(out_);
}

bool ChildProcess::readLine(std::string& line, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const std::size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || out_ < 0)
            return false;
        pollfd p{out_, POLLIN, 0};
        const int ready = poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        char buffer[4096];
        const ssize_t got = read(out_, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            close(out_);
            out_ = -1;
            if (!pending_.empty()) {
                line.swap(pending_);
                pending_.clear();
                return true;
            }
            return false;
        }
        pending_.append(buffer, static_cast<std::size_t>(got));
    }
}

std::vector<std::string> ChildProcess::readAll(std::chrono::milliseconds timeout)
{
    std::vector<std::string> lines;
    std::string line;
    while (readLine(line, timeout))
        lines.push_back(line);
    return lines;
}

void ChildProcess::kill(int signal)
{
    ::kill(pid_, signal);
}

int ChildProcess::wait()
{
    if (waited_)
        return status_;
    while (waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
    }
    waited_ = true;
    return status_;
}

} // namespace vantrel::test
