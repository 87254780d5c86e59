#!/bin/bash
# ./build.sh as a user who is neither root nor has sudo, on a machine that
# lacks packages: it must stop with the one line to run as root, and install
# nothing.
set -u
script=$1
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
for tool in dirname nproc cat; do ln -s "$(command -v $tool)" "$fake/$tool"; done
printf '#!/bin/bash\necho "unknown ok not-installed"\n' >"$fake/dpkg-query"
printf '#!/bin/bash\necho 1000\n' >"$fake/id"
printf '#!/bin/bash\ntouch "%s/apt-get-ran"\n' "$fake" >"$fake/apt-get"
chmod +x "$fake/dpkg-query" "$fake/id" "$fake/apt-get"

out=$(PATH="$fake" /bin/bash "$script" test 2>&1)
rc=$?
fail=0
[ "$rc" -ne 0 ] && [ "$rc" -ne 127 ] || { echo "exit status $rc, expected a failure other than 127"; fail=1; }
line="apt-get update && apt-get install -y --no-install-recommends cmake ninja-build g++ libgtest-dev libbenchmark-dev qt6-base-dev libasound2-dev fonts-dejavu-core"
grep -qF -- "$line" <<<"$out" || { echo "the line to run as root is missing"; fail=1; }
grep -q "command not found" <<<"$out" && { echo "a command was missing"; fail=1; }
[ -e "$fake/apt-get-ran" ] && { echo "apt-get ran"; fail=1; }
[ $fail -eq 0 ] || printf 'output was:\n%s\n' "$out"
exit $fail
