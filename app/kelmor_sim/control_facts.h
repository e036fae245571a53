// What an expectation reads of one of the program's controls: visibility, enabled state, text,
// value and check state, each as far as the kind of control has it.
#pragma once

#include "app/kelmor_sim/expectations.h"

namespace runtime {
class Control;
class Form;
}

namespace kelmor_sim {

ControlFacts control_facts_of(const runtime::Control& control, const runtime::Form& form);

}
