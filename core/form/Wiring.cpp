#include "form/Wiring.h"

#include "form/frmVantrel.h"
#include "layout/Layout.h"

namespace vantrel::form {

void Handler::operator()(frmVantrel& form, const EventInput& input) const
{
    if (plain_ != nullptr)
        (form.*plain_)();
    else if (indexed_ != nullptr)
        (form.*indexed_)(input.index);
    else if (move_ != nullptr)
        (form.*move_)(input.move, input.pageRows);
    else if (letter_ != nullptr)
        (form.*letter_)(input.letter);
    else if (own_ != nullptr)
        own_(form);
}

const Wire* findWire(const char* window, const char* control, Event event)
{
    for (const Wire& wire : frmVantrel::wiring())
        if (wire.event == event && layout::sameName(wire.window, window) && layout::sameName(wire.control, control))
            return &wire;
    return nullptr;
}

} // namespace vantrel::form
