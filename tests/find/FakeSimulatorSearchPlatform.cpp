#include "FakeSimulatorSearchPlatform.h"

namespace vantrel::test {

namespace {

std::size_t lastSeparator(const std::string& path)
{
    return path.find_last_of("/\\");
}

bool below(const std::string& path, const std::string& start)
{
    return path.compare(0, start.size(), start) == 0 &&
           (path.size() == start.size() || path[start.size()] == '/' || path[start.size()] == '\\');
}

} // namespace

void FakeSimulatorSearchPlatform::addFolder(const std::string& path)
{
    for (std::string at = path; !at.empty() && folders_.insert(at).second;) {
        const std::size_t cut = lastSeparator(at);
        at = cut == std::string::npos ? std::string() : at.substr(0, cut);
    }
}

void FakeSimulatorSearchPlatform::addFile(const std::string& path, const std::string& content)
{
    files_[path] = content;
    addFolder(path.substr(0, lastSeparator(path)));
}

void FakeSimulatorSearchPlatform::addInstallation(const std::string& folder, const std::string& program,
                                                  const std::string& aircraft)
{
    const char separator = folder.find('\\') != std::string::npos ? '\\' : '/';
    addFile(folder + separator + program);
    addFolder(folder + separator + aircraft + separator + "Trainer");
}

void FakeSimulatorSearchPlatform::addLink(const std::string& from, const std::string& to)
{
    links_[from] = to;
    addFolder(from.substr(0, lastSeparator(from)));
}

void FakeSimulatorSearchPlatform::setRegistry(const std::string& key, const std::string& value, const std::string& text)
{
    registry_[key + "|" + value] = text;
}

bool FakeSimulatorSearchPlatform::touched(const std::string& pathStart) const
{
    for (const std::string& call : calls)
        if (call.find(' ' + pathStart) != std::string::npos)
            return true;
    return false;
}

std::string FakeSimulatorSearchPlatform::resolved(const std::string& path) const
{
    std::string at = path;
    for (int hops = 0; hops < 8; ++hops) {
        bool moved = false;
        for (const auto& [from, to] : links_)
            if (below(at, from)) {
                at = to + at.substr(from.size());
                moved = true;
            }
        if (!moved)
            break;
    }
    return at;
}

void FakeSimulatorSearchPlatform::spend(const std::string& path)
{
    std::int64_t ms = 1;
    for (const auto& [start, cost] : slow_)
        if (below(path, start))
            ms = cost;
    now_ += ms;
}

std::string FakeSimulatorSearchPlatform::machineRegistryText(const std::string& keyPath, const std::string& valueName)
{
    calls.push_back("registry " + keyPath);
    ++now_;
    const auto found = registry_.find(keyPath + "|" + valueName);
    return found == registry_.end() ? std::string() : found->second;
}

std::vector<std::string> FakeSimulatorSearchPlatform::entries(const std::string& folder, os::EntryKind kind)
{
    calls.push_back("list " + folder);
    spend(folder);
    const std::string real = resolved(folder);
    std::vector<std::string> names;
    if (folders_.count(real) == 0)
        return names;
    const auto add = [&](const std::string& path) {
        const std::size_t cut = lastSeparator(path);
        if (cut != std::string::npos && path.substr(0, cut) == real)
            names.push_back(path.substr(cut + 1));
    };
    if (kind == os::EntryKind::Folders)
        for (const std::string& path : folders_)
            add(path);
    else
        for (const auto& [path, content] : files_)
            add(path);
    return names;
}

std::string FakeSimulatorSearchPlatform::readFile(const std::string& path, std::size_t limit)
{
    calls.push_back("read " + path);
    spend(path);
    const auto found = files_.find(resolved(path));
    return found == files_.end() || found->second.size() > limit ? std::string() : found->second;
}

std::string FakeSimulatorSearchPlatform::environment(const std::string& name)
{
    const auto found = environmentValues.find(name);
    return found == environmentValues.end() ? std::string() : found->second;
}

} // namespace vantrel::test
