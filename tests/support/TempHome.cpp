#include "support/TempHome.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

namespace {
std::string g_home;
int g_counter = 0;
}  // namespace

const std::string& TestHome() { return g_home; }

void InstallTestHome() {
    std::string pattern = (std::filesystem::temp_directory_path() / "varneth-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot create a temporary home");
    }
    g_home = pattern;
    const std::string runtime = g_home + "/run";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    setenv("HOME", g_home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (g_home + "/.config").c_str(), 1);
    setenv("XDG_DATA_HOME", (g_home + "/.local/share").c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", (g_home + "/Documents").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    unsetenv("VARNETH_TRACE");
}

void RemoveTestHome() {
    if (!g_home.empty()) {
        RemoveTree(g_home);
    }
}

std::string MakeTempFolder(const std::string& stem) {
    const std::string path = g_home + "/" + stem + "-" + std::to_string(++g_counter);
    std::filesystem::create_directories(path);
    return path;
}

void RemoveTree(const std::string& path) {
    std::error_code error;
    // Make read-only folders left by a test removable again.
    for (auto it = std::filesystem::recursive_directory_iterator(
             path, std::filesystem::directory_options::skip_permission_denied, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    }
    std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path, error);
}

bool WriteFile(const std::string& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
    return static_cast<bool>(out);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

}  // namespace testing_support
