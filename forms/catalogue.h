// The program's eight windows.
#pragma once

#include "app/form.h"

#include <vector>

namespace vornak::forms {

const FormClass& frmMAIN();
const FormClass& frmSETUP();
const FormClass& frmNO();
const FormClass& frmNO1();
const FormClass& frmRUN();
const FormClass& frmHARD();
const FormClass& frmABOUT();
const FormClass& frmFINAL();

// All eight, the start-up window first.
const std::vector<const FormClass*>& catalogue();

}  // namespace vornak::forms
