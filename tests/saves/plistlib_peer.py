"""A second opinion on saved games from Python's plistlib, which Lirvo does not share code with.

    plistlib_peer.py dump FILE           prints the file's root as JSON, keys sorted
    plistlib_peer.py write FILE xml|bin  writes a saved game as Python would, keys in another
                                         order than Lirvo's and with keys Lirvo does not know
"""
import json
import plistlib
import sys


def dump(path):
    with open(path, "rb") as f:
        print(json.dumps(plistlib.load(f), sort_keys=True))


def write(path, encoding):
    record = {
        "Comment": "written by plistlib",
        "Seconds": 37,
        "Minutes": -5,
        "IsGameEnded": False,
        "Links": [[1, 2], [], [0]],
        "yNodes": [45, 300, 120],
        "xNodes": [60, 123, 250],
        "NumberOfNodes": 3,
        "Extra": {"nested": [1.5, b"\x00\x01", True]},
        "TimeTrial": False,
        "Score": 5,
        "Level": 12,
        "Difficulty": "Hard",
        "ScoreInc": 25,
    }
    fmt = plistlib.FMT_XML if encoding == "xml" else plistlib.FMT_BINARY
    with open(path, "wb") as f:
        plistlib.dump(record, f, fmt=fmt, sort_keys=False)


if __name__ == "__main__":
    if sys.argv[1] == "dump":
        dump(sys.argv[2])
    else:
        write(sys.argv[2], sys.argv[3])
