#include "exchange/ExchangeText.h"

#include <sys/stat.h>

#include "base/Numbers.h"
#include "base/Utf.h"

namespace exchange {

std::u16string Decimal(int value) {
    return base::AsciiToUtf16(std::to_string(value));
}

int ReadNumber(std::u16string_view text) {
    return base::ParseLeadingDigits(text);
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

}  // namespace exchange
