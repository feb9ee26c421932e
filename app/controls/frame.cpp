#include "frame.h"

namespace vornak {

VORNAK_MAKES(Frame)

}  // namespace vornak
