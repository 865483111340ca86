#pragma once

#include "os/SysInfoPlatform.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vantrel::test {

// A registry, file system and program starter in memory, recording every call in order.
class FakeSysInfoPlatform : public os::SysInfoPlatform
{
public:
    struct OpenCall
    {
        std::uint32_t root;
        std::string keyPath;
        std::uint32_t access;
    };
    struct QueryCall
    {
        os::RegistryHandle key;
        std::string valueName;
        std::uint32_t offeredSize;
        bool bufferWasZeroed;
    };

    // Creates the key below HKEY_LOCAL_MACHINE (0x80000002) unless another root is given.
    void addKey(const std::string& keyPath, std::uint32_t root = 0x80000002u);
    // Creates the key as needed and stores `bytes` as the value's data, exactly as given.
    void setValue(const std::string& keyPath, const std::string& valueName, std::uint32_t type,
                  const std::string& bytes, std::uint32_t root = 0x80000002u);
    void addFile(const std::string& fullPath);
    void addStartable(const std::string& path);
    // Keys that refuse access with write rights, as HKEY_LOCAL_MACHINE does to a user without administrator rights.
    bool readOnlyRegistry = false;

    std::int32_t openKey(std::uint32_t root, const std::string& keyPath, std::uint32_t access,
                         os::RegistryHandle& key) override;
    std::int32_t queryValue(os::RegistryHandle key, const std::string& valueName, std::uint32_t& type,
                            unsigned char* buffer, std::uint32_t& size) override;
    void closeKey(os::RegistryHandle key) override;
    std::string findFile(const std::string& fullPath) override;
    bool startProgram(const std::string& path) override;

    // Every call in order: "open <path>", "query <name>", "close <handle>", "find <path>", "start <path>".
    std::vector<std::string> calls;
    std::vector<OpenCall> opens;
    std::vector<QueryCall> queries;
    std::vector<os::RegistryHandle> closes;
    std::vector<std::string> searches;
    std::vector<std::string> starts;
    int openHandles() const { return static_cast<int>(m_open.size()); }

private:
    struct Value
    {
        std::uint32_t type;
        std::string bytes;
    };
    using KeyId = std::pair<std::uint32_t, std::string>;

    std::map<KeyId, std::map<std::string, Value>> m_keys;
    std::map<os::RegistryHandle, KeyId> m_open;
    os::RegistryHandle m_nextHandle = 0x100;
    std::set<std::string> m_files;
    std::set<std::string> m_startable;
};

} // namespace vantrel::test
