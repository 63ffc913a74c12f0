# Sourced by run.sh and test.sh: installs the Debian packages the build needs
# when any is missing. Needs root (or sudo) only when something is missing.
RAVELIN_PACKAGES=(cmake make g++ libgtest-dev libbenchmark-dev qt6-base-dev qt6-svg-dev libx11-dev fonts-dejavu-core
                  poppler-utils stockfish
                  xvfb openbox xdotool imagemagick
                  dpkg-dev desktop-file-utils appstream man-db
                  clang libclang-rt-14-dev)

ensure_packages() {
  local missing=()
  local package
  for package in "${RAVELIN_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
}
