#!/usr/bin/env python3
"""The ranking-page pipeline in Python, timed on a page file.

Does what the program does with one page body: UTF-8 to GBK, the keyword
links found with a lazy, case-insensitive pattern in which '.' matches line
breaks, prefix and suffix removed ignoring case, the five-text filter, and
the pager markers counted. Prints one line per figure:
    python_pipeline_MBps <MB/s>
    python_regex_MBps <MB/s>
    python_keywords <count>
MB/s is megabytes (10^6 bytes) of the UTF-8 body per second, the median of
ROUNDS timed rounds (the second argument, 5 when omitted) of at least half a
second of processor time each; processor time, as the C++ figures use, so
that time the machine gives to others counts for neither.
"""
import re
import statistics
import sys
import time

KEYWORD_HOST = b"keyword.example.com"
LINK = re.compile(b"http://" + KEYWORD_HOST + b'/(.*?)/">', re.IGNORECASE | re.DOTALL)
PREFIX = re.compile(re.escape(b"http://" + KEYWORD_HOST + b"/"), re.IGNORECASE)
MARKER = re.compile(b'/position/">', re.IGNORECASE)
FILTER_TEXTS = (b"com", b".cn", b".net", b"www.", b"http")


def parse(text):
    keywords = []
    for match in LINK.finditer(text):
        candidate = PREFIX.sub(b"", match.group(0)).replace(b'/">', b"")
        folded = candidate.lower()
        if not any(folded in f for f in FILTER_TEXTS):
            keywords.append(candidate)
    return keywords, len(MARKER.findall(text)) - 1


def pipeline(body):
    return parse(body.decode("utf-8").encode("gbk"))


def median_rate(step, argument, size, rounds_wanted):
    rates = []
    for _ in range(rounds_wanted):
        rounds, start = 0, time.process_time()
        while True:
            step(argument)
            rounds += 1
            elapsed = time.process_time() - start
            if elapsed >= 0.5:
                break
        rates.append(size * rounds / elapsed / 1e6)
    return statistics.median(rates)


def main():
    body = open(sys.argv[1], "rb").read()
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    text = body.decode("utf-8").encode("gbk")
    keywords, _ = pipeline(body)
    print(f"python_pipeline_MBps {median_rate(pipeline, body, len(body), rounds):.1f}")
    print(f"python_regex_MBps {median_rate(parse, text, len(body), rounds):.1f}")
    print(f"python_keywords {len(keywords)}")


if __name__ == "__main__":
    main()
