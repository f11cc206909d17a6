# Shared by scripts/run, scripts/test and scripts/fuzz: install what is missing, then build.

# Debian packages the program and its demo need to build and run. libgl1-mesa-dri is the
# software OpenGL driver that draws on the virtual display; the demo drives the program
# through X (libxtst) and saves PNG files (libpng). The panel is drawn with Dear ImGui
# (libimgui-dev, found through pkg-config). Search traces are read with yaml-cpp and
# nlohmann's JSON.
RUN_PACKAGES=(cmake g++ make pkg-config libglfw3-dev libgl-dev libglu1-mesa-dev
              libgl1-mesa-dri libimgui-dev libx11-dev libxtst-dev libpng-dev xvfb xauth
              libyaml-cpp-dev nlohmann-json3-dev)
# What the tests and benchmarks add.
TEST_PACKAGES=(libgtest-dev libbenchmark-dev python3-matplotlib python3-yaml)

# ensure_packages PACKAGE...: installs those of them that are missing.
ensure_packages() {
    local missing=()
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
}

# build DIR [cmake options...]: configure and build everything into DIR.
build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=OFF \
        -DTANGLOR_TESTS=ON "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}

# build_program DIR: configure without the tests and build only the program and the demo,
# as a first look wants them: quickly. Each library's files are compiled a batch at a time
# (a unity build: the standard headers are read once a batch, not once a file), optimized
# as the tests' build is, without its debugging information.
build_program() {
    cmake -S . -B "$1" -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
        -DCMAKE_UNITY_BUILD=ON -DTANGLOR_TESTS=OFF >/dev/null
    cmake --build "$1" -j "$(nproc)" --target tanglor demo
}

# -noreset: Xvfb would otherwise reset when its last client leaves and refuse the next
# test's connection while it does.
XVFB_SCREEN="-screen 0 1600x1000x24 -noreset"
