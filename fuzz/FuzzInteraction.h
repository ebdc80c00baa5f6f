#pragma once

#include "toolkit/NullInteraction.h"

#include <exception>

namespace hibimo::fuzz {

// Thrown where the program would end, so that a run goes on with the next input.
struct ProgramEnded : std::exception {};

// Answers nothing and shows nothing: the readers' messages are part of normal behaviour.
class QuietInteraction : public NullInteraction {
  public:
    [[noreturn]] void endProgram() override { throw ProgramEnded(); }
};

} // namespace hibimo::fuzz
