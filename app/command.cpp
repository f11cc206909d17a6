// The build hands this file alone its version and folders (CMakeLists.txt), so that a new
// version rebuilds only this.
#include "app/command.h"

#include "world/map_file.h"

#include <filesystem>
#include <iostream>
#include <string_view>

const char* tanglorVersion() {
    return TANGLOR_VERSION;
}

std::optional<int> answerHelpOrVersion(int argc, char** argv, const char* name,
                                       const std::string& help) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word != "--help" && word != "--version") {
            continue;
        }
        if (word == "--help") {
            std::cout << help << "  --help           print this help and exit\n"
                      << "  --version        print the name and version and exit\n";
        } else {
            std::cout << name << ' ' << TANGLOR_VERSION << '\n';
        }
        // A full disk or a closed pipe must not pass for an answer.
        if (!std::cout.flush()) {
            std::cerr << name << ": cannot write to standard output\n";
            return 1;
        }
        return 0;
    }
    return std::nullopt;
}

std::string shippedAssetsFolder() {
    // The kernel's link names the program itself, wherever it was started from and through
    // whatever link on the PATH.
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path installed =
            (self.parent_path() / TANGLOR_INSTALLED_ASSETS).lexically_normal();
        // The map reader's own test of "all eight models are there".
        if (modelFolderFor((installed / "map.txt").string(), "missing").empty()) {
            return installed.string();
        }
    }
    return TANGLOR_SOURCE_ASSETS;
}
