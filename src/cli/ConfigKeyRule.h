#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace cli {

// What `set` accepts for one configuration key: whole numbers from `low` to `high`, or only the
// listed values when there are some. The store takes any text; these are the values the pages
// and the mouse work with, so a typing error never reaches the mouse.
struct ConfigKeyRule {
    std::string_view key;
    int low;
    int high;
    std::span<const int> only;  // when not empty, the values allowed
    std::string_view meaning;   // for the help text

    // Every key `set` may change, in the store's order ("version" is a data marker, not a
    // setting).
    static std::span<const ConfigKeyRule> All();
    static const ConfigKeyRule* Find(std::string_view key);

    // The value as the store keeps it (plain decimal), or nothing when the text is not one of
    // the allowed values. Colours may also be written as 0x followed by hexadecimal digits.
    std::optional<std::string> Normalise(std::string_view text) const;
    // "a whole number from 1 to 4", "one of 1, 3, 5 ...".
    std::string Allowed() const;
};

}  // namespace cli
