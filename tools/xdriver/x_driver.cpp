// The program and its window: starting the program and ending it, the scratch folder it
// may run in, the connection to X, finding the program's window and reading its title.
#include "tools/xdriver/x_driver.h"

#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

bool waitUntil(const std::function<bool()>& done, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (; !done(); pause(0.01)) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
    }
    return true;
}

void pause(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

RunningProgram::RunningProgram(const std::string& exe, const std::string& folder, bool display,
                               const std::vector<std::string>& args)
    : errors(std::tmpfile(), [](FILE* file) {
          if (file != nullptr) {
              std::fclose(file);
          }
      }) {
    if (errors == nullptr) {
        return; // nowhere to keep what it says: not started
    }
    // Made before the fork: the child only calls what is safe between fork and exec.
    const std::string failed = "cannot start " + exe + " in " + folder + "\n";
    std::vector<char*> argv{const_cast<char*>(exe.c_str())};
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    pid = fork();
    if (pid == 0) {
        dup2(fileno(errors.get()), 2);
        if (!display) {
            unsetenv("DISPLAY");
        }
        if (chdir(folder.c_str()) == 0) {
            execv(exe.c_str(), argv.data());
        }
        (void)!write(2, failed.data(), failed.size());
        _exit(127);
    }
}

bool RunningProgram::ended() {
    int code = 0;
    if (pid > 0 && waitpid(pid, &code, WNOHANG) != 0) {
        status = WIFEXITED(code) ? WEXITSTATUS(code) : -1;
        pid = -1;
    }
    return pid <= 0;
}

int RunningProgram::exitStatus(double seconds) {
    if (!waitUntil([&] { return ended(); }, seconds)) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
    return status;
}

std::string RunningProgram::errorText() const {
    if (errors == nullptr) {
        return "no file for its standard error, so it was not started\n";
    }
    std::string text(4096, '\0');
    std::rewind(errors.get());
    text.resize(std::fread(text.data(), 1, text.size(), errors.get()));
    return text;
}

static bool writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream file(path);
    file << text;
    file.close();
    return !file.fail();
}

SceneFolder::SceneFolder(const std::string& map) {
    std::string name = (std::filesystem::temp_directory_path() / "tanglor_e2e_XXXXXX").string();
    if (mkdtemp(name.data()) == nullptr) {
        return;
    }
    dir = name;
    made = writeFile(dir / "map.txt", map);
    const std::string faces = "#\ns\nf 1 4 3\nf 1 3 2\n";
    for (const char* tile :
         {"ground3.obj", "tree.obj", "tree2.obj", "tree3.obj", "ground_stones.obj", "water.obj"}) {
        made &= writeFile(dir / tile, "#\n#\n#\nv -4 0 -4\nv 4 0 -4\nv 4 0 4\nv -4 0 4\n" + faces);
    }
    // The monkey and the banana smaller, and above the tiles in that order.
    made &= writeFile(dir / "monkey.obj",
                      "#\n#\n#\nv -2 0.5 -2\nv 2 0.5 -2\nv 2 0.5 2\nv -2 0.5 2\n" + faces);
    made &= writeFile(dir / "banan.obj",
                      "#\n#\n#\nv -1.5 0.6 -1.5\nv 1.5 0.6 -1.5\nv 1.5 0.6 1.5\nv -1.5 0.6 1.5\n" +
                          faces);
}

XDriver::XDriver() {
    // The server resets when its last client leaves, and turns new ones away meanwhile.
    waitUntil([&] { return (display = XOpenDisplay(nullptr)) != nullptr; }, 10.0);
    // A window that goes away while it is being looked at is no reason to end the test.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
}

XDriver::~XDriver() {
    if (display != nullptr) {
        XCloseDisplay(display);
    }
}

// A property of `window` as bytes (32-bit items come as longs); empty when it is not there.
static std::string property(XDriver& x, XWindow window, const char* name) {
    if (x.display == nullptr) {
        return "";
    }
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, rest = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(x.display, window, XInternAtom(x.display, name, False), 0, 1024, False,
                       AnyPropertyType, &type, &format, &count, &rest, &data);
    std::string value(reinterpret_cast<char*>(data),
                      data ? count * (format == 32 ? sizeof(long) : 1) : 0);
    XFree(data);
    return value;
}

XWindow findWindow(XDriver& x, pid_t pid, double seconds) {
    const long wanted = pid;
    const std::string pidBytes(reinterpret_cast<const char*>(&wanted), sizeof wanted);
    if (x.display == nullptr) {
        return 0;
    }
    waitUntil(
        [&] {
            Window root = 0, parent = 0, *children = nullptr;
            unsigned int count = 0;
            XQueryTree(x.display, DefaultRootWindow(x.display), &root, &parent, &children, &count);
            for (unsigned int i = 0; i < count; ++i) {
                XWindowAttributes seen{};
                if (XGetWindowAttributes(x.display, children[i], &seen) &&
                    seen.map_state == IsViewable &&
                    property(x, children[i], "_NET_WM_PID") == pidBytes) {
                    x.window = children[i];
                }
            }
            XFree(children);
            return x.window != 0;
        },
        seconds);
    return x.window;
}

std::string windowTitle(XDriver& x) {
    return property(x, x.window, "_NET_WM_NAME");
}

bool settle(XDriver& x) {
    if (x.display == nullptr) {
        return false;
    }
    std::string title = windowTitle(x), first = title;
    return waitUntil([&] { return (title = windowTitle(x)) != first; }, 30.0) &&
           waitUntil([&] { return windowTitle(x) != title; }, 30.0);
}
