# Sourced by the other scripts: installs the Debian packages the project needs, when missing.
# Needs root (or sudo) only when something is missing.

IMDB_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-webengine-dev
    libqt6sql6-sqlite libgumbo-dev libgl-dev zlib1g-dev
    fonts-dejavu-core openssl ca-certificates git
)

ensure_packages() {
    local wanted=("${IMDB_PACKAGES[@]}" "$@") missing=()
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}" >&2
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq >&2 || true
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

# configure_and_build DIR [CMAKE ARGS...]: quiet unless something fails.
configure_and_build() {
    local dir=$1
    shift
    mkdir -p "$dir"
    echo "Building in $dir ..." >&2
    if ! { cmake -S "$IMDB_ROOT" -B "$dir" -G Ninja "$@" &&
        cmake --build "$dir" --parallel "$(nproc)"; } >"$dir/build.log" 2>&1; then
        tail -n 60 "$dir/build.log" >&2
        echo "The build failed; the whole log is $dir/build.log" >&2
        return 1
    fi
}
