#!/usr/bin/env bash
# Runs the XML parser fuzzer: first on small inputs (fast, broad), then on large ones seeded
# with the nesting torture files. Usage: fuzz/run-xml-fuzzer.sh <build-dir> [seconds-per-run]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-fuzz}"
seconds="${2:-120}"
fuzzer="$build/bin/xml_parser_fuzzer"
work="$build/xml-corpus"
mkdir -p "$work" "$build/xml-artifacts"
cp -n fuzz/corpus/xml/* "$work/" 2>/dev/null || true
# Nesting torture seeds: deep, never closed, closed only by the outermost element, end tags that
# match nothing against a deep stack, and two interleaved names.
repeat() { local i; for ((i = 0; i < $2; i++)); do printf '%s' "$1"; done; }
[ -e "$work/nest-deep" ] || { repeat '<a>' 100000; repeat '</a>' 100000; } >"$work/nest-deep"
[ -e "$work/nest-open" ] || repeat '<a>' 200000 >"$work/nest-open"
[ -e "$work/nest-outer" ] || { printf '<r>'; repeat '<a>' 100000; printf '</r>'; } >"$work/nest-outer"
[ -e "$work/nest-lone" ] || { repeat '<a>' 50000; repeat '</z>' 50000; } >"$work/nest-lone"
[ -e "$work/nest-mixed" ] || { repeat '<a><b>' 40000; repeat '</a>' 40000; } >"$work/nest-mixed"
common=(-dict=fuzz/xml.dict -rss_limit_mb=2048 -timeout=30 -report_slow_units=60 -artifact_prefix="$build/xml-artifacts/"
        -print_final_stats=1)
"$fuzzer" "${common[@]}" -max_len=4096 -max_total_time="$seconds" "$work"
"$fuzzer" "${common[@]}" -max_len=1100000 -len_control=0 -max_total_time="$seconds" "$work"
