# Shared by scripts/run, scripts/test and scripts/fuzz: install what is missing, then build.

# Debian packages the project needs to build, run and test.
# libgl1-mesa-dri is the software OpenGL driver the window tests draw with.
PACKAGES=(cmake g++ make libglfw3-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libgtest-dev
          libbenchmark-dev libx11-dev libxtst-dev zlib1g-dev xvfb xauth)

ensure_packages() {
    local missing=()
    for package in "${PACKAGES[@]}" "$@"; do
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
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}

XVFB_SCREEN="-screen 0 1600x1000x24"
