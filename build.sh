#!/usr/bin/env bash
# Installs what is missing, builds Velmora, then runs it (run) or its tests (test).
set -euo pipefail
cd "$(dirname "$0")"
what=${1:-run}

pkgs="cmake ninja-build g++ libgtest-dev libbenchmark-dev qt6-base-dev libasound2-dev fonts-dejavu-core fonts-liberation2 qt6-translations-l10n"
missing=""
for p in $pkgs; do
  [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || missing="$missing $p"
done
if [ -n "$missing" ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "Missing packages:$missing" >&2
      echo "Installing them needs root. Run this as root, then run $0 again:" >&2
      echo "  apt-get update && apt-get install -y --no-install-recommends$missing" >&2
      exit 1
    fi
    sudo=sudo
  fi
  # env, not a plain assignment: sudo would drop it from the environment.
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
fi

jobs=$(nproc 2>/dev/null || echo 2)

# Optimised, without debug information: the quickest build that runs as users run it.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" >/dev/null

case "$what" in
  run)
    # The program and its start folder only: no tests, no benchmarks.
    cmake --build build -j "$jobs" --target velmora
    cd build/start
    exec ../velmora
    ;;
  test)
    cmake --build build -j "$jobs"
    QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"

    # The same tests built with address and undefined-behaviour checks, each
    # test program run whole, in two shuffled orders: state left behind by one
    # test, or a window outliving its frame, shows up here.
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON >/dev/null
    cmake --build build-asan -j "$jobs"
    export QT_QPA_PLATFORM=offscreen
    export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:strict_init_order=1:detect_stack_use_after_return=1
    export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
    status=0
    for t in build-asan/tests/*/*_tests; do
      for seed in 1 2; do
        echo "== $t, shuffled (seed $seed)"
        if ! "$t" --gtest_shuffle --gtest_random_seed="$seed" --gtest_brief=1; then
          echo "FAILED: $t --gtest_shuffle --gtest_random_seed=$seed" >&2
          status=1
        fi
      done
    done
    exit $status
    ;;
  *)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac
