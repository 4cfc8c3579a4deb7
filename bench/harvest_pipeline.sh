#!/usr/bin/env bash
# The ranking-page pipeline in C++ and in Python on the same page bytes, in
# one run: harvest_bench writes its realistic page to a temporary file, then
# both time that file. Prints MB/s of each and the ratio C++ / Python.
# Usage: bench/harvest_pipeline.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR}
here=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/harvest_bench" --write_page="$work/page.html"
"$build/bench/harvest_bench" --page_file="$work/page.html" \
  --benchmark_filter='BM_PagePipeline$|BM_ParseOnly|BM_FindScan' \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=json >"$work/cpp.json"
python3 "$here/page_pipeline.py" "$work/page.html" >"$work/python.txt"

python3 - "$work/cpp.json" "$work/python.txt" "$(stat -c %s "$work/page.html")" <<'PY'
import json, sys
cpp = {b["run_name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
       if b.get("aggregate_name") == "median"}
py = dict(line.split() for line in open(sys.argv[2]))
size = int(sys.argv[3])
def rate(name):
    return cpp[name]["bytes_per_second"] / 1e6
pipeline, parse, scan = rate("BM_PagePipeline"), rate("BM_ParseOnly"), rate("BM_FindScan")
py_pipeline, py_regex = float(py["python_pipeline_MBps"]), float(py["python_regex_MBps"])
print(f"page: {size} bytes of UTF-8, {int(cpp['BM_PagePipeline']['keywords'])} keywords "
      f"(Python: {py['python_keywords']})")
print(f"{'':28}{'MB/s':>10}")
print(f"{'pipeline, C++':28}{pipeline:10.1f}")
print(f"{'pipeline, Python':28}{py_pipeline:10.1f}")
print(f"{'regex step, C++':28}{parse:10.1f}")
print(f"{'regex step, Python':28}{py_regex:10.1f}")
print(f"{'find() scan, C++':28}{scan:10.1f}")
print(f"pipeline C++ / Python: {pipeline / py_pipeline:.1f}x (goal: at least 4x)")
PY
