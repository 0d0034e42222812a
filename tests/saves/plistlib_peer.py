# Python's plistlib, which shares no code with Lirvo, as a second opinion on a
# saved game DIR/NAME.plist: prints its root as JSON, keys sorted, then writes it
# back as DIR/NAME xml.plist and DIR/NAME bin.plist, keys reversed, one key added.
import json
import plistlib
import sys

path = sys.argv[1]
with open(path, "rb") as f:
    record = plistlib.load(f)
print(json.dumps(record, sort_keys=True))
record = dict(reversed(record.items()), Extra={"nested": [1.5, b"\x00\x01", True]})
for name, fmt in (("xml", plistlib.FMT_XML), ("bin", plistlib.FMT_BINARY)):
    with open(path.removesuffix(".plist") + " " + name + ".plist", "wb") as f:
        plistlib.dump(record, f, fmt=fmt, sort_keys=False)
