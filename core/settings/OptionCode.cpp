#include "settings/OptionCode.h"

namespace vantrel {

std::string encodeOptionCode(int bank, int pitch)
{
    if (pitch == 1 && bank == 1)
        return "3";
    if (pitch == 0 && bank == 1)
        return "2";
    if (pitch == 1 && bank == 0)
        return "1";
    return {};
}

bool decodeOptionCode(long long code, int& bank, int& pitch)
{
    switch (code) {
    case 3:
        bank = 1;
        pitch = 1;
        return true;
    case 2:
        bank = 1;
        pitch = 0;
        return true;
    case 1:
        bank = 0;
        pitch = 1;
        return true;
    default:
        return false;
    }
}

} // namespace vantrel
