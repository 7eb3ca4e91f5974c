#pragma once

#include <string_view>

namespace cli {

// The confirmation the window asks for before a reset. On the command line --yes gives it; an
// interactive terminal is asked; anything else cannot answer, so the command is refused.
class Confirmation {
  public:
    enum class Answer { Yes, No, Unanswerable };

    // Asks `question` (on standard error, so standard output stays clean) unless `yes` was
    // given. Only "y" or "yes" (any case) confirms.
    static Answer Ask(bool yes, std::string_view question);
};

}  // namespace cli
