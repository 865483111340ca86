#pragma once

#include "os/SimulatorSearchPlatform.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace vantrel::test {

// A machine in memory: folders, files, links, a registry, drives, an environment and a clock that each call moves
// on, recording every call. Paths are written with '/' or '\' as the test likes; parents are made as needed.
class FakeSimulatorSearchPlatform : public os::SimulatorSearchPlatform
{
public:
    void addFolder(const std::string& path);
    void addFile(const std::string& path, const std::string& content = "");
    // `folder` with the simulator's program and an aircraft folder in it.
    void addInstallation(const std::string& folder, const std::string& program = "fs9.exe",
                         const std::string& aircraft = "Aircraft");
    // Everything below `from` is what lies below `to`; nothing when `to` does not exist (a dangling link).
    void addLink(const std::string& from, const std::string& to);
    void setRegistry(const std::string& key, const std::string& value, const std::string& text);
    // Every call on a path below `path` takes `ms` milliseconds (a drive that does not answer).
    void makeSlow(const std::string& path, std::int64_t ms) { slow_[path] = ms; }

    std::vector<std::string> drives;
    std::map<std::string, std::string> environmentValues;
    // "list <folder>", "read <path>", "registry <key>", in order.
    std::vector<std::string> calls;
    bool touched(const std::string& pathStart) const;

    std::string machineRegistryText(const std::string& keyPath, const std::string& valueName) override;
    std::vector<std::string> entries(const std::string& folder, os::EntryKind kind) override;
    std::string readFile(const std::string& path, std::size_t limit) override;
    std::vector<std::string> fixedDrives() override { return drives; }
    std::string environment(const std::string& name) override;
    std::int64_t milliseconds() override { return now_; }

private:
    std::string resolved(const std::string& path) const;
    void spend(const std::string& path);

    std::set<std::string> folders_;
    std::map<std::string, std::string> files_;
    std::map<std::string, std::string> links_;
    std::map<std::string, std::string> registry_;
    std::map<std::string, std::int64_t> slow_;
    std::int64_t now_ = 1000;
};

} // namespace vantrel::test
