#!/usr/bin/env bash
# Installs what is missing, builds Velmora, then runs it (run) or its tests (test).
set -euo pipefail
cd "$(dirname "$0")"
what=${1:-run}

pkgs="cmake ninja-build g++ libgtest-dev libbenchmark-dev qt6-base-dev libasound2-dev fonts-dejavu-core"
missing=""
for p in $pkgs; do
  [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || missing="$missing $p"
done
if [ -n "$missing" ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  # env, not a plain assignment: sudo would drop it from the environment.
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build

case "$what" in
  run)
    cd build/start
    exec ../velmora
    ;;
  test)
    QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j 2
    ;;
  *)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac
