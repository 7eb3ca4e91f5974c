#include "store/ConfigDefaults.h"

namespace store {

std::string DpiValueKey(int stage) {
    return "dpi_group" + std::to_string(stage) + "_value";
}

std::string DpiColourKey(int stage) {
    return "dpi_group" + std::to_string(stage) + "_rgb";
}

}  // namespace store
