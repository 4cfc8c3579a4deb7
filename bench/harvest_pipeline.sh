#!/usr/bin/env bash
# The ranking-page pipeline in C++ and in Python on the same page bytes, in
# one run: harvest_bench writes its realistic page to a temporary file, then
# both time that file, taking turns five times so that a slow spell of a
# shared machine hits both alike. Prints the median MB/s of each and the
# ratio C++ / Python.
# Usage: bench/harvest_pipeline.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR}
here=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Both languages allocate a few 300 KB buffers a page. With glibc's default,
# moving thresholds such a buffer may be mapped and unmapped, or the heap
# trimmed, on every page, costing both sides page faults by the thousand
# depending on what the set-up happened to free. Fixed thresholds keep every
# buffer on the heap for both.
export MALLOC_MMAP_THRESHOLD_=67108864 MALLOC_TRIM_THRESHOLD_=134217728

"$build/bench/harvest_bench" --write_page="$work/page.html"
for turn in 1 2 3 4 5; do
  "$build/bench/harvest_bench" --page_file="$work/page.html" \
    --benchmark_filter='BM_PagePipeline$|BM_ParseOnly|BM_FindScan' \
    --benchmark_format=json >"$work/cpp$turn.json"
  python3 "$here/page_pipeline.py" "$work/page.html" 1 >"$work/python$turn.txt"
done

python3 - "$work" "$(stat -c %s "$work/page.html")" <<'PY'
import glob, json, statistics, sys
work, size = sys.argv[1], int(sys.argv[2])
cpp, py = {}, {}
for path in glob.glob(f"{work}/cpp*.json"):
    for b in json.load(open(path))["benchmarks"]:
        cpp.setdefault(b["name"], []).append(b)
for path in glob.glob(f"{work}/python*.txt"):
    for name, value in (line.split() for line in open(path)):
        py.setdefault(name, []).append(float(value))
def rate(name):
    return statistics.median(b["bytes_per_second"] for b in cpp[name]) / 1e6
pipeline, parse, scan = rate("BM_PagePipeline"), rate("BM_ParseOnly"), rate("BM_FindScan")
py_pipeline = statistics.median(py["python_pipeline_MBps"])
py_regex = statistics.median(py["python_regex_MBps"])
print(f"page: {size} bytes of UTF-8, {int(cpp['BM_PagePipeline'][0]['keywords'])} keywords "
      f"(Python: {int(py['python_keywords'][0])})")
print(f"{'':28}{'MB/s':>10}")
print(f"{'pipeline, C++':28}{pipeline:10.1f}")
print(f"{'pipeline, Python':28}{py_pipeline:10.1f}")
print(f"{'regex step, C++':28}{parse:10.1f}")
print(f"{'regex step, Python':28}{py_regex:10.1f}")
print(f"{'find() scan, C++':28}{scan:10.1f}")
print(f"pipeline C++ / Python: {pipeline / py_pipeline:.1f}x (goal: at least 4x)")
PY
