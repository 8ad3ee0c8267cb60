#!/usr/bin/env bash
# Installs the Debian packages the build needs; apt-get update only when one is missing.
# poppler-utils gives the tests pdftotext, to read printed reports back;
# shared-mime-info and xdg-utils let them check the installation file type;
# fonts-urw-base35 and fonts-noto-mono give the fonts of most print set-ups and
# desktops: "Courier New" resolves to URW's or Noto's monospaced face, which
# fontconfig does not always mark fixed pitch, so the report tests meet the
# listing's measured choice of face as operators' machines do.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libx11-dev libsqlite3-dev
          libgtest-dev libgmock-dev libbenchmark-dev sqlite3 poppler-utils shared-mime-info xdg-utils
          fonts-urw-base35 fonts-noto-mono)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
