#!/usr/bin/python3
# The translations keep up with the code: lupdate, run on the sources into a
# copy of each .ts file, finds exactly the messages the file holds (context,
# source, comments, and whether it is translated; never where it stands),
# and every one of them is translated: in its own language's script and
# plural forms, and not as another file has it.
#   translations.py LUPDATE SOURCE_LIST TS...
import itertools
import os
import re
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


KANA, HAN = "[\u3040-\u30ff\u31f0-\u31ff\uff66-\uff9f]", "[\u3400-\u4dbf\u4e00-\u9fff\uf900-\ufaff]"
WORD = re.compile(r"(?<![%\w])[A-Za-z_]+")  # a Latin word, not the n of %n
# Each language: its plural forms, the letters it never holds, and the Latin
# words it may hold besides those its source names (DISPLAY, games), None: any.
LANGUAGES = {"en": (2, f"{KANA}|{HAN}", None), "zh": (1, KANA, {"P", "Velmoria"}), "ja": (1, "(?!)", None)}


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
seen = {}
for path in files:
    root = ET.parse(path).getroot()
    language = root.get("language", "").split("_")[0]
    forms, never, latin = LANGUAGES[language]
    for context, m in ((c.findtext("name"), m) for c in root.iter("context") for m in c.iter("message")):
        source, ts = m.findtext("source"), [t.text or "" for t in m.iter("numerusform")] or [m.findtext("translation") or ""]
        seen.setdefault(path, {})[context, source] = ts
        faults = [f"{len(ts)} plural forms, not {forms}"] * (m.get("numerus") == "yes" and len(ts) != forms)
        faults += sorted({f"holds {c!r}" for c in re.findall(never, "".join(ts))})
        faults += ["the Japanese as it is"] * (language != "ja" and source in ts and not source.isascii())
        faults += sorted({f"the word {w!r}" for t in ts for w in WORD.findall(t)
                          if latin is not None and w not in latin | set(WORD.findall(source))})
        for fault in faults:
            print(f"{path}: {context}: {source!r}: {fault}")
        failed = failed or bool(faults)
# A file copied from another and left as it was.
for (a, ta), (b, tb) in itertools.combinations(seen.items(), 2):
    if (same := sum(ta.get(k) == v for k, v in tb.items())) * 2 > min(len(ta), len(tb)):
        print(f"{b}: {same} translations as {a} has them")
        failed = True
sys.exit(1 if failed else 0)
