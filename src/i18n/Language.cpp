#include "i18n/Language.h"

#include <atomic>

namespace i18n {

namespace {
std::atomic<int> g_language{kChinese};
}

int CurrentLanguage() { return g_language.load(std::memory_order_relaxed); }
void SetCurrentLanguage(int id) { g_language.store(id, std::memory_order_relaxed); }

}  // namespace i18n
