#!/usr/bin/python3
# The translations keep up with the code: lupdate, run on the sources into a
# copy of each .ts file, finds exactly the messages the file holds (context,
# source, comments, and whether it is translated; never where it stands),
# and every one of them is translated.
#   translations.py LUPDATE SOURCE_LIST TS...
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def messages(path):
    out = set()
    for context in ET.parse(path).getroot().iter("context"):
        for m in context.iter("message"):
            out.add((context.findtext("name"), m.findtext("source"), m.findtext("comment") or "",
                     m.findtext("extracomment") or "", m.find("translation").get("type", "done")))
    return out


lupdate, sources, *files = sys.argv[1:]
failed = False
for path in files:
    with tempfile.TemporaryDirectory() as tmp:
        fresh = os.path.join(tmp, os.path.basename(path))
        shutil.copy(path, fresh)
        subprocess.run([lupdate, "-silent", "-no-obsolete", "-locations", "none", "@" + sources, "-ts", fresh], check=True)
        held, found = messages(path), messages(fresh)
    for m in sorted(found - held):
        print(f"{path}: not as the code has it: {m}")
    for m in sorted(held - found):
        print(f"{path}: no longer in the code: {m}")
    for m in sorted(held):
        if m[4] != "done":
            print(f"{path}: {m[4]}: {m}")
    failed = failed or held != found or any(m[4] != "done" for m in held)
    print(f"{path}: {len(held)} messages")
sys.exit(1 if failed else 0)
