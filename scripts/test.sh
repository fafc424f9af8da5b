#!/usr/bin/env bash
# Builds every target and runs every test: Linux with sanitizers, 32-bit Linux
# under qemu, the fuzzers for a bounded time, Windows x64 under wine64, and the
# Windows x86 build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

passed=0; failed=0
run_suite() {
  local preset=$1 log
  log=$(mktemp)
  if ctest --preset "$preset" 2>&1 | tee "$log"; then :; fi
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1 || true)
  rm -f "$log"
  if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
  local total bad
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*tests passed, ([0-9]+) tests failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad)); failed=$((failed + bad))
}

for preset in host linux32 fuzz win64 win32; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
for preset in host linux32 fuzz win64; do
  echo "== test $preset"
  run_suite "$preset"
done

echo "total: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
