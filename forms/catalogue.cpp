#include "catalogue.h"

namespace vornak::forms {

const std::vector<const FormClass*>& catalogue()
{
    static const std::vector<const FormClass*> all{
        &frmMAIN(), &frmSETUP(), &frmNO(), &frmNO1(), &frmRUN(), &frmHARD(), &frmABOUT(), &frmFINAL(),
    };
    return all;
}

}  // namespace vornak::forms
