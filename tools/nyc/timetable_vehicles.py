#!/usr/bin/env python3
"""Counts the vehicles on the road in the real timetable at one moment: the
trips that run on DATE and have left their first stop but not yet reached their
last one at TIME, plus the trips of the day before that are still out (service
times past 24:00:00). It reads the GTFS CSV folders that json_to_gtfs.py writes,
independently of zintu-gtfs, to check the generated network against.

usage: timetable_vehicles.py DATE TIME FEED_DIR [FEED_DIR...]
  DATE as YYYY-MM-DD, TIME as HH:MM:SS
"""
import csv
import datetime
import sys

WEEKDAYS = ("monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday")


def seconds(text):
    h, m, s = text.strip().split(":")
    return int(h) * 3600 + int(m) * 60 + int(s)


def rows(path):
    try:
        with open(path, newline="", encoding="utf-8-sig") as f:
            yield from csv.DictReader(f)
    except FileNotFoundError:
        return


def active_services(feed, day):
    stamp = day.strftime("%Y%m%d")
    active = set()
    for r in rows(f"{feed}/calendar.txt"):
        if r["start_date"] <= stamp <= r["end_date"] and r[WEEKDAYS[day.weekday()]] == "1":
            active.add(r["service_id"])
    for r in rows(f"{feed}/calendar_dates.txt"):
        if r["date"] == stamp:
            (active.add if r["exception_type"] == "1" else active.discard)(r["service_id"])
    return active


def main(argv):
    if len(argv) < 4:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    day = datetime.date.fromisoformat(argv[1])
    moment = seconds(argv[2])
    counts = {"today": 0, "yesterday": 0}
    for feed in argv[3:]:
        services = {"today": active_services(feed, day),
                    "yesterday": active_services(feed, day - datetime.timedelta(days=1))}
        trip_service = {r["trip_id"]: r["service_id"] for r in rows(f"{feed}/trips.txt")}
        span = {}
        for r in rows(f"{feed}/stop_times.txt"):
            times = [seconds(t) for t in (r["arrival_time"], r["departure_time"]) if t.strip()]
            first, last = span.get(r["trip_id"], (None, None))
            span[r["trip_id"]] = (min(times + ([first] if first is not None else [])),
                                  max(times + ([last] if last is not None else [])))
        for trip, (first, last) in span.items():
            service = trip_service[trip]
            if service in services["today"] and first <= moment <= last:
                counts["today"] += 1
            if service in services["yesterday"] and first <= moment + 86400 <= last:
                counts["yesterday"] += 1
    total = counts["today"] + counts["yesterday"]
    print(f"{total} vehicles on the road ({counts['today']} of {day}, "
          f"{counts['yesterday']} still out from the day before)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
