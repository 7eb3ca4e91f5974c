#include "cli/Confirmation.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <iostream>
#include <string>

namespace cli {

Confirmation::Answer Confirmation::Ask(bool yes, std::string_view question) {
    if (yes) {
        return Answer::Yes;
    }
    if (!::isatty(STDIN_FILENO)) {
        return Answer::Unanswerable;
    }
    std::cerr << question << " [y/N] " << std::flush;
    std::string line;
    if (!std::getline(std::cin, line)) {
        return Answer::No;
    }
    std::transform(line.begin(), line.end(), line.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return line == "y" || line == "yes" ? Answer::Yes : Answer::No;
}

}  // namespace cli
