#include "layout/Order.h"

#include <algorithm>

namespace vantrel::layout {

std::vector<const Control*> stackingTopFirst(const Window& window)
{
    std::vector<const Control*> rows;
    for (const Control& row : window)
        if (isCreated(row))
            rows.push_back(&row);
    // Later rows lie over earlier ones of their layer.
    std::reverse(rows.begin(), rows.end());
    std::stable_sort(rows.begin(), rows.end(), [](const Control* a, const Control* b) { return a->layer > b->layer; });
    return rows;
}

std::vector<const Control*> tabOrder(const Window& window)
{
    std::vector<const Control*> rows;
    for (const Control& row : window)
        if (row.tab > 0)
            rows.push_back(&row);
    std::stable_sort(rows.begin(), rows.end(), [](const Control* a, const Control* b) { return a->tab < b->tab; });
    return rows;
}

std::vector<const Control*> optionButtons(const Window& window)
{
    std::vector<const Control*> rows;
    for (const Control& row : window)
        if (row.kind == Kind::OptionButton)
            rows.push_back(&row);
    return rows;
}

} // namespace vantrel::layout
