// The build installed with `cmake --install` into a scratch prefix that is then moved: the
// moved commands answer --help and --version, and find the shipped map and models from
// their own place, not from the source tree.
#include "app/command.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

struct Ran {
    std::string output;
    int status = -1;
};

// A shell command's standard output (standard error too when the command sends it there)
// and exit status.
Ran run(const std::string& command) {
    Ran ran;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return ran;
    }
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        ran.output.append(buffer, n);
    }
    const int status = pclose(pipe);
    ran.status = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return ran;
}

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// A scratch folder, removed with all it holds.
struct Scratch {
    fs::path dir;
    Scratch() {
        std::string name = (fs::temp_directory_path() / "tanglor_install_XXXXXX").string();
        if (mkdtemp(name.data()) != nullptr) {
            dir = name;
        }
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
};

// The prefix given to `cmake --install`, and where it was moved after.
struct Installed {
    fs::path first, moved;
};

// Installs the build into DIR/first and moves that to DIR/moved/prefix; "" when it failed.
std::string installAndMove(const fs::path& dir, Installed* installed) {
    installed->first = dir / "first";
    installed->moved = dir / "moved" / "prefix";
    const Ran install = run(std::string(CMAKE_EXE) + " --install " + quoted(TANGLOR_BUILD_DIR) +
                            " --prefix " + quoted(installed->first) + " 2>&1");
    if (install.status != 0) {
        return "cmake --install failed:\n" + install.output;
    }
    std::error_code error;
    fs::create_directories(installed->moved.parent_path(), error);
    fs::rename(installed->first, installed->moved, error);
    return error ? "the install could not be moved: " + error.message() : "";
}

// The map and every model of the source tree, the menu entry and its icons.
void expectFiles(const Installed& at) {
    const fs::path shipped = at.moved / "share/tanglor";
    EXPECT_TRUE(fs::is_regular_file(shipped / "map.txt"));
    for (const auto& entry : fs::directory_iterator(TANGLOR_ASSETS_DIR)) {
        if (entry.path().extension() == ".obj") {
            EXPECT_TRUE(fs::is_regular_file(shipped / entry.path().filename())) << entry.path();
        }
    }
    for (const char* icon :
         {"48x48/apps/tanglor.png", "256x256/apps/tanglor.png", "scalable/apps/tanglor.svg"}) {
        EXPECT_TRUE(fs::is_regular_file(at.moved / "share/icons/hicolor" / icon)) << icon;
    }
    // The entry was written for the prefix it was installed to.
    std::ifstream entry(at.moved / "share/applications/tanglor.desktop");
    const std::string text(std::istreambuf_iterator<char>(entry), {});
    EXPECT_NE(
        text.find("\nExec=tanglor \"" + (at.first / "share/tanglor/map.txt").string() + "\"\n"),
        std::string::npos)
        << text;
}

// --version and --help on standard output, for each command; no display needed.
void expectAnswers(const fs::path& bin) {
    for (const std::string command : {"tanglor", "trace", "make_map"}) {
        const std::string exe = "env -u DISPLAY " + quoted(bin / command);
        const Ran version = run(exe + " --version 2>&1");
        EXPECT_EQ(version.output, command + " " + tanglorVersion() + "\n");
        EXPECT_EQ(version.status, 0) << command;
        const Ran help = run(exe + " --help 2>/dev/null");
        EXPECT_EQ(help.output.rfind("usage: " + command + " ", 0), 0u) << help.output;
        EXPECT_NE(help.output.find("\n  --help "), std::string::npos) << help.output;
        EXPECT_EQ(help.status, 0) << command;
    }
}

TEST(Install, TheMovedInstallAnswersAndFindsItsOwnMapAndModels) {
    const Scratch scratch;
    ASSERT_FALSE(scratch.dir.empty());
    Installed at;
    const std::string failed = installAndMove(scratch.dir, &at);
    ASSERT_EQ(failed, "");
    expectFiles(at);
    const fs::path bin = at.moved / "bin", shipped = at.moved / "share/tanglor";
    expectAnswers(bin);

    // The installed trace on the installed map walks as the build's does on the source's.
    const std::string tiles = " 7,9 9,1 2>&1";
    const Ran built = run(std::string(TRACE_EXE) + " " + TANGLOR_ASSETS_DIR "/map.txt" + tiles);
    const Ran moved = run(quoted(bin / "trace") + " " + quoted(shipped / "map.txt") + tiles);
    EXPECT_EQ(moved.status, 0);
    EXPECT_NE(moved.output.find("\nwalk: 8 steps, cost 136\n"), std::string::npos) << moved.output;
    EXPECT_EQ(moved.output, built.output);

    // A map with no models beside it: the moved install's window takes the install's own,
    // and names a spoilt one. Trace reads no model: it walks as before.
    const fs::path bare = scratch.dir / "bare.txt";
    fs::copy_file(shipped / "map.txt", bare);
    std::ofstream(shipped / "monkey.obj") << "spoilt\n";
    const std::string spoilt = (shipped / "monkey.obj").string();
    const Ran window =
        run("env -u DISPLAY " + quoted(bin / "tanglor") + " " + quoted(bare) + " 2>&1");
    EXPECT_EQ(window.status, 1);
    EXPECT_EQ(window.output.rfind("tanglor: " + spoilt, 0), 0u) << window.output;
    const Ran traced = run("env -u DISPLAY " + quoted(bin / "trace") + " " + quoted(bare) + tiles);
    EXPECT_EQ(std::tuple(traced.status, traced.output), std::tuple(0, built.output));
}

} // namespace
