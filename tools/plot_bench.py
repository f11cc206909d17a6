#!/usr/bin/python3
"""Draws the benchmark figure from a CSV that bench wrote.

    tools/plot_bench.py CSVFILE PNGFILE [--title TEXT]

Two panels side by side, one line a search: the mean tiles closed per problem, and the mean
time per problem, each against the bucket (the listed length grouped by four), on a log
scale. The CSV has the header problem,bucket,search,listed,length,closed,us; only bucket,
search, closed and us are read. The figure is a 1200 x 500 PNG.

Debian's python3-matplotlib serves Debian's own Python, hence /usr/bin/python3 above.
"""

import argparse
import csv
import math
import os
import sys

NEEDED = ("bucket", "search", "closed", "us")
MARKERS = "osD^v<>ph*"


class Refusal(Exception):
    """A one-line reason the figure cannot be drawn."""


def whole(text, column, where):
    try:
        value = int(text)
    except ValueError:
        value = -1
    if value < 0:
        raise Refusal(f"{where}: {column} {text!r} is not a whole number of 0 or more")
    return value


def real(text, column, where):
    try:
        value = float(text)
    except ValueError:
        value = math.nan
    if not math.isfinite(value) or value < 0:
        raise Refusal(f"{where}: {column} {text!r} is not a number of 0 or more")
    return value


def read_rows(path):
    """The rows of the CSV as (search, bucket, closed, us), in the file's order."""
    if os.path.isdir(path):
        raise Refusal(f"{path}: is a folder, not a CSV file")
    try:
        with open(path, newline="", encoding="utf-8") as file:
            reader = csv.DictReader(file)
            header = reader.fieldnames or []
            if not header:
                raise Refusal(f"{path}: the file is empty")
            missing = [name for name in NEEDED if name not in header]
            if missing:
                raise Refusal(f"{path}:1: the header has no column {' or '.join(missing)} "
                              f"(it needs {', '.join(NEEDED)})")
            rows = []
            for row in reader:
                where = f"{path}:{reader.line_num}"
                # A field too many lands under None, one too few reads as None.
                if None in row or None in row.values():
                    raise Refusal(f"{where}: not the header's {len(header)} fields")
                rows.append((row["search"], whole(row["bucket"], "bucket", where),
                             whole(row["closed"], "closed", where), real(row["us"], "us", where)))
    except FileNotFoundError:
        raise Refusal(f"{path}: not found") from None
    except UnicodeDecodeError:
        raise Refusal(f"{path}: not a text file") from None
    except (OSError, csv.Error) as error:
        raise Refusal(f"{path}: cannot be read: {error}") from None
    if not rows:
        raise Refusal(f"{path}: no rows after the header")
    return rows


def means(rows):
    """For each search, in the order they first appear: its buckets in order, and the mean
    tiles closed and mean microseconds of its problems in each."""
    sums = {}
    for search, bucket, closed, us in rows:
        total = sums.setdefault(search, {}).setdefault(bucket, [0, 0.0, 0])
        total[0] += closed
        total[1] += us
        total[2] += 1
    result = {}
    for search, buckets in sums.items():
        order = sorted(buckets)
        result[search] = (order, [buckets[b][0] / buckets[b][2] for b in order],
                          [buckets[b][1] / buckets[b][2] for b in order])
    return result


def draw(lines, png, title):
    try:
        import matplotlib
    except ImportError:
        raise Refusal("matplotlib is missing: install python3-matplotlib and run this "
                      "with /usr/bin/python3") from None
    matplotlib.use("Agg")  # no display needed, and none is asked for
    from matplotlib.figure import Figure
    from matplotlib.ticker import MaxNLocator

    figure = Figure(figsize=(12, 5), dpi=100)
    closed_panel, time_panel = figure.subplots(1, 2)
    for index, (search, (buckets, closed, us)) in enumerate(lines.items()):
        marker = MARKERS[index % len(MARKERS)]
        # A mean of 0 (every problem's start on its goal) has no place on a log scale.
        closed_panel.plot(buckets, [c if c > 0 else math.nan for c in closed], marker=marker,
                          markersize=4, label=search)
        time_panel.plot(buckets, [t if t > 0 else math.nan for t in us], marker=marker,
                        markersize=4, label=search)
    for panel, label in ((closed_panel, "mean tiles closed"),
                         (time_panel, "mean time per problem (µs)")):
        panel.set_xlabel("bucket (listed length / 4)")
        panel.set_ylabel(label)
        panel.set_yscale("log")
        panel.xaxis.set_major_locator(MaxNLocator(integer=True))
        panel.grid(True, which="major", alpha=0.3)
        panel.legend(fontsize="small")
    figure.suptitle(title)
    figure.tight_layout()
    try:
        figure.savefig(png, format="png")
    except OSError as error:
        raise Refusal(f"{png}: cannot be written: {error.strerror or error}") from None


def main():
    parser = argparse.ArgumentParser(description="Draws the benchmark figure from bench's CSV.")
    parser.add_argument("csv", metavar="CSVFILE")
    parser.add_argument("png", metavar="PNGFILE")
    parser.add_argument("--title", help="the figure's title (default: the CSV's name)")
    args = parser.parse_args()
    try:
        lines = means(read_rows(args.csv))
        draw(lines, args.png, args.title if args.title is not None else
             os.path.basename(args.csv))
    except Refusal as refusal:
        print(f"plot_bench.py: {refusal}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
