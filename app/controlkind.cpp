#include "controlkind.h"

#include <iterator>

namespace vornak {

namespace {

// In the order of ControlType: both come from the one list.
constexpr ControlKind kKinds[] = {
#define VORNAK_CONTROL_TYPE(type, ...) ControlKind{.name = #type, __VA_ARGS__},
    VORNAK_CONTROL_TYPES(VORNAK_CONTROL_TYPE)
#undef VORNAK_CONTROL_TYPE
};
static_assert(std::size(kKinds) == kControlTypeCount);

}  // namespace

const ControlKind& kindOf(ControlType type)
{
    return kKinds[static_cast<unsigned>(type)];
}

}  // namespace vornak
