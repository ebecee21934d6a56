#!/usr/bin/env python3
"""Compares the program's holidays of 1955-2050 with Debian's python3-holidays, an independent list.

The two must agree on every date and name except where the other list is known to lag the law; those
differences are listed with their reason, and any other fails the test. Our names must never copy the
other list's older ones (体育の日 after 2019).

Usage: holidays_oracle.py path/to/print_holidays
"""
import subprocess
import sys

try:
    import holidays
except ImportError:
    print("python3-holidays is not installed: skipped")
    sys.exit(0)

FIRST, LAST = 1955, 2050
ours = {}
for line in subprocess.run([sys.argv[1], str(FIRST), str(LAST)], check=True, capture_output=True,
                           text=True).stdout.splitlines():
    day, name = line.split(" ", 1)
    ours[day] = name
theirs = {d.isoformat(): n for y in range(FIRST, LAST + 1) for d, n in holidays.JP(years=[y]).items()}


def reason(day, mine, other):
    """Why the two lists may differ on a day, or None."""
    year = int(day[:4])
    if other == "建国記念の日" and mine is None and year < 1967:
        return "the other list keeps 建国記念の日 before its first year, 1967"
    if other is None and mine in ("皇太子明仁親王の結婚の儀", "昭和天皇の大喪の礼", "即位礼正殿の儀",
                                  "皇太子徳仁親王の結婚の儀"):
        return "a one-off day set by its own law, which the other list lacks"
    if mine == "即位礼正殿の儀" and other == "即位礼正殿の儀が行われる日":
        return "the same day under a longer name"
    if mine == "スポーツの日" and other == "体育の日" and year >= 2020:
        return "体育の日 is スポーツの日 since 2020; the other list keeps the old name"
    if year == 2021 and day[5:] in ("07-19", "07-22", "07-23", "08-08", "08-09", "08-11", "10-11"):
        return "the days moved for the 2021 games, which the other list lacks"
    if mine == "振替休日" and other is None and (day[5:] == "02-24" or day == "1974-05-06"):
        return "a substitute holiday after a holiday on a Sunday, which the other list misses"
    return None


explained, unexplained = {}, []
for day in sorted(set(ours) | set(theirs)):
    mine, other = ours.get(day), theirs.get(day)
    if mine == other:
        continue
    why = reason(day, mine, other)
    if why:
        explained.setdefault(why, []).append(f"{day} {mine or '-'} / {other or '-'}")
    else:
        unexplained.append(f"{day}: ours {mine or '-'}, the other list {other or '-'}")

copied = [f"{d} {n}" for d, n in ours.items() if n == "体育の日" and int(d[:4]) >= 2020]
for why, days in explained.items():
    print(f"{why}: {len(days)} day(s), e.g. {days[0]}")
if unexplained or copied:
    print("Unexplained differences:", *unexplained, *copied, sep="\n  ", file=sys.stderr)
    sys.exit(1)
print(f"{len(ours)} holidays of {FIRST}-{LAST} agree with the other list but for the differences above")
