#include "os/Paths.h"

#include <algorithm>
#include <utility>

namespace vantrel::os {

void sortIgnoringCase(std::vector<std::string>& names)
{
    // Folded once per name, so that sorting thousands of folders does not fold at every comparison.
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(names.size());
    for (std::string& name : names) {
        std::string key = foldCase(name);
        keyed.emplace_back(std::move(key), std::move(name));
    }
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[i].second);
}

} // namespace vantrel::os
