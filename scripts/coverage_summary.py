# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints line and branch coverage per top-level folder from a gcovr JSON report, and
optionally writes the covered functions (file, TAB, function) one a line, sorted."""
import collections
import json
import sys


def main(report_path, functions_path):
    with open(report_path, encoding="utf-8") as f:
        report = json.load(f)
    totals = collections.defaultdict(lambda: [0, 0, 0, 0])  # lines, hit, branches, taken
    covered = set()
    for entry in report["files"]:
        path = entry["file"]
        folder = path.split("/", 1)[0] if "/" in path else "."
        t = totals[folder]
        for line in entry["lines"]:
            if line.get("gcovr/noncode"):
                continue
            t[0] += 1
            t[1] += line["count"] > 0
            for branch in line.get("branches", []):
                t[2] += 1
                t[3] += branch["count"] > 0
        for fn in entry.get("functions", []):
            if fn.get("execution_count", 0) > 0:
                covered.add(f"{path}\t{fn['name']}")

    def pct(part, whole):
        return f"{100.0 * part / whole:6.1f}%" if whole else "     -"

    print(f"{'folder':<12} {'lines':>8} {'line cov':>9} {'branches':>9} {'branch cov':>10}")
    grand = [0, 0, 0, 0]
    for folder in sorted(totals):
        t = totals[folder]
        grand = [a + b for a, b in zip(grand, t)]
        print(f"{folder:<12} {t[0]:>8} {pct(t[1], t[0]):>9} {t[2]:>9} {pct(t[3], t[2]):>10}")
    print(f"{'all':<12} {grand[0]:>8} {pct(grand[1], grand[0]):>9} {grand[2]:>9} "
          f"{pct(grand[3], grand[2]):>10}")
    print(f"covered functions: {len(covered)}")
    if functions_path:
        with open(functions_path, "w", encoding="utf-8") as f:
            f.writelines(line + "\n" for line in sorted(covered))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else "")
