#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh) and installs it with apt, or
# removes it again; as root, or as a user with sudo.
#   scripts/install.sh             build and install
#   scripts/install.sh --remove    remove
set -euo pipefail
cd "$(dirname "$0")/.."
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
lock=(-o DPkg::Lock::Timeout=600)
case "${1:-}" in
  "")
    scripts/package.sh
    "${sudo[@]}" apt-get "${lock[@]}" install -y ./build/package/nosignal_*.deb ;;
  --remove) "${sudo[@]}" apt-get "${lock[@]}" remove -y nosignal ;;
  *) echo "usage: $0 [--remove]" >&2; exit 2 ;;
esac
