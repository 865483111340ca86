#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace vantrel::test {

// Ends the test program with a message when the scope it guards has not finished in time: a step that hangs
// (an open waiting for a pipe's other end, a scan waiting for a result that never comes) fails at once instead of
// running into the test runner's timeout.
class Watchdog
{
public:
    Watchdog(std::chrono::seconds limit, std::string what)
        : Watchdog(limit, std::function<std::string()>([what] { return what; }))
    {
    }
    // `where` is asked, on the watchdog's own thread, for the message when the time is up: it says where the guarded
    // work stuck, from what that work has published (in atomics) as it went.
    Watchdog(std::chrono::seconds limit, std::function<std::string()> where)
        : where_(std::move(where)), thread_([this, limit] {
              std::unique_lock<std::mutex> lock(mutex_);
              if (!done_.wait_for(lock, limit, [this] { return finished_; })) {
                  std::fprintf(stderr, "watchdog: %s (still running after %lld s)\n", where_().c_str(),
                               static_cast<long long>(limit.count()));
                  std::fflush(stderr);
                  std::_Exit(3);
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        thread_.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::function<std::string()> where_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

} // namespace vantrel::test
