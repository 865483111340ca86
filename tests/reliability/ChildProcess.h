#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace vantrel::test {

// A child process whose standard output is read line by line through a pipe (POSIX only).
class ChildProcess
{
public:
    // Starts `argv[0]` with `argv`. With `prefix` (for example setpriv and its options), runs prefix + argv.
    explicit ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& prefix = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line of its output without the line end; false at the end of output or when `timeout` passes.
    bool readLine(std::string& line, std::chrono::milliseconds timeout);
    // Reads every remaining line until the output ends.
    std::vector<std::string> readAll(std::chrono::milliseconds timeout);
    void kill(int signal);
    // Waits for the end; returns the raw wait status.
    int wait();

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string pending_;
    bool waited_ = false;
    int status_ = 0;
};

} // namespace vantrel::test
