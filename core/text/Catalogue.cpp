#include "text/Catalogue.h"

#include <array>
#include <cstddef>

namespace vantrel::text {

namespace {

constexpr std::size_t kCount = static_cast<std::size_t>(Id::None) + 1;

// Every id has its entry, in the order of the ids, so that a text can be found by its id alone.
constexpr bool inOrder()
{
    for (std::size_t i = 0; i < std::size(kEnglish); ++i)
        if (static_cast<std::size_t>(kEnglish[i].id) != i)
            return false;
    return std::size(kEnglish) == kCount;
}
static_assert(inOrder(), "the English table holds every id once, in the order of the ids");

const std::array<std::string, kCount>& english()
{
    static const std::array<std::string, kCount> table = [] {
        std::array<std::string, kCount> texts;
        for (std::size_t i = 0; i < kCount; ++i)
            texts[i] = kEnglish[i].text;
        return texts;
    }();
    return table;
}

} // namespace

const std::string& get(Id id)
{
    return english()[static_cast<std::size_t>(id)];
}

} // namespace vantrel::text
