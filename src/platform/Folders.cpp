#include "platform/Folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string_view>

namespace platform {

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string HomeFolder() {
    std::string home = Env("HOME");
    if (home.empty()) {
        home = "/tmp";
    }
    while (home.size() > 1 && home.back() == '/') {
        home.pop_back();
    }
    return home;
}

std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '/') {
        path.push_back('/');
    }
    return path;
}

// Reads XDG_DOCUMENTS_DIR="..." from user-dirs.dirs, expanding a leading $HOME. Empty when
// the file or the line is missing or malformed.
std::string DocumentsFromUserDirs() {
    std::ifstream in(ConfigHome() + "/user-dirs.dirs");
    std::string line;
    constexpr std::string_view key = "XDG_DOCUMENTS_DIR=";
    while (std::getline(in, line)) {
        if (line.compare(0, key.size(), key) != 0) {
            continue;
        }
        std::string value = line.substr(key.size());
        if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
            return {};
        }
        value = value.substr(1, value.size() - 2);
        if (value.compare(0, 5, "$HOME") == 0) {
            value = HomeFolder() + value.substr(5);
        }
        if (value.empty() || value.front() != '/') {
            return {};
        }
        return value;
    }
    return {};
}

}  // namespace

std::string ExeFolder() {
    std::string path(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (n <= 0) {
        return "./";
    }
    path.resize(static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string ConfigHome() {
    std::string config = Env("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/') {
        config = HomeFolder() + "/.config";
    }
    while (config.size() > 1 && config.back() == '/') {
        config.pop_back();
    }
    return config;
}

std::string DataFolder() {
    std::string documents = Env("XDG_DOCUMENTS_DIR");
    if (documents.empty() || documents.front() != '/') {
        documents = DocumentsFromUserDirs();
    }
    if (documents.empty()) {
        documents = HomeFolder() + "/Documents";
    }
    return WithSlash(documents) + kProductName + " MouseDbFiles/";
}

std::string SettingsFolder() { return ConfigHome() + "/" + kProductName + "/"; }

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool EnsureFolder(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    if (IsDirectory(path)) {
        return true;
    }
    // The text before the first separator (the root) is never created.
    for (size_t slash = path.find('/', path.find('/') + 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        if (slash > 0) {
            mkdir(path.substr(0, slash).c_str(), 0755);
        }
    }
    if (mkdir(path.c_str(), 0755) == 0) {
        return true;
    }
    return errno == EEXIST && IsDirectory(path);
}

}  // namespace platform
