#include "os/FakeSysInfoPlatform.h"

#include <algorithm>
#include <cstring>

namespace vantrel::test {

namespace {
constexpr std::int32_t kFileNotFound = 2;
constexpr std::int32_t kInvalidHandle = 6;
constexpr std::int32_t kMoreData = 234;
} // namespace

void FakeSysInfoPlatform::addKey(const std::string& keyPath, std::uint32_t root)
{
    m_keys[{root, keyPath}];
}

void FakeSysInfoPlatform::setValue(const std::string& keyPath, const std::string& valueName, std::uint32_t type,
                                   const std::string& bytes, std::uint32_t root)
{
    m_keys[{root, keyPath}][valueName] = Value{type, bytes};
}

void FakeSysInfoPlatform::addFile(const std::string& fullPath)
{
    m_files.insert(fullPath);
}

void FakeSysInfoPlatform::addStartable(const std::string& path)
{
    m_startable.insert(path);
}

std::int32_t FakeSysInfoPlatform::openKey(std::uint32_t root, const std::string& keyPath, std::uint32_t access,
                                          os::RegistryHandle& key)
{
    calls.push_back("open " + keyPath);
    opens.push_back({root, keyPath, access});
    if (m_keys.find({root, keyPath}) == m_keys.end())
        return kFileNotFound;
    if (readOnlyRegistry && (access & 0x6u) != 0) // KEY_SET_VALUE or KEY_CREATE_SUB_KEY
        return 5;                                 // ERROR_ACCESS_DENIED
    key = m_nextHandle++;
    m_open[key] = {root, keyPath};
    return 0;
}

std::int32_t FakeSysInfoPlatform::queryValue(os::RegistryHandle key, const std::string& valueName, std::uint32_t& type,
                                             unsigned char* buffer, std::uint32_t& size)
{
    calls.push_back("query " + valueName);
    const bool zeroed = std::all_of(buffer, buffer + size, [](unsigned char c) { return c == 0; });
    queries.push_back({key, valueName, size, zeroed});
    const auto open = m_open.find(key);
    if (open == m_open.end())
        return kInvalidHandle;
    const auto& values = m_keys[open->second];
    const auto value = values.find(valueName);
    if (value == values.end())
        return kFileNotFound;
    const std::string& bytes = value->second.bytes;
    if (bytes.size() > size) {
        size = static_cast<std::uint32_t>(bytes.size());
        return kMoreData;
    }
    std::memcpy(buffer, bytes.data(), bytes.size());
    size = static_cast<std::uint32_t>(bytes.size());
    type = value->second.type;
    return 0;
}

void FakeSysInfoPlatform::closeKey(os::RegistryHandle key)
{
    calls.push_back("close " + std::to_string(key));
    closes.push_back(key);
    m_open.erase(key);
}

std::string FakeSysInfoPlatform::findFile(const std::string& fullPath)
{
    calls.push_back("find " + fullPath);
    searches.push_back(fullPath);
    if (m_files.count(fullPath) == 0)
        return {};
    const auto separator = fullPath.find_last_of("\\/");
    return separator == std::string::npos ? fullPath : fullPath.substr(separator + 1);
}

bool FakeSysInfoPlatform::startProgram(const std::string& path)
{
    calls.push_back("start " + path);
    starts.push_back(path);
    return !path.empty() && m_startable.count(path) != 0;
}

} // namespace vantrel::test
