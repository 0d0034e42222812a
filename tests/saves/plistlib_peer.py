# Python's plistlib as a second opinion on the saved game DIR/NAME.plist: reads
# it and writes it back as DIR/NAME xml.plist and DIR/NAME bin.plist, its keys
# in reverse order and one key added that Lirvo does not know.
import pathlib, plistlib, sys  # noqa: E401

path = pathlib.Path(sys.argv[1])
record = plistlib.loads(path.read_bytes())
record = dict(reversed(record.items()), Extra={"nested": [1.5, b"\x00\x01", True]})
for name, fmt in (("xml", plistlib.FMT_XML), ("bin", plistlib.FMT_BINARY)):
    path.with_name(f"{path.stem} {name}.plist").write_bytes(plistlib.dumps(record, fmt=fmt, sort_keys=False))
