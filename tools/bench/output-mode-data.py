#!/usr/bin/env python3
"""Data for the output-mode benchmark: BHO DLLs, the three list files and a
manifest of registered BHOs, all in one work directory.

Usage: output-mode-data.py WORK_DIR DLL_SOURCE_DIR [BHOS]

The DLLs are real PE files of 50-500 KB from DLL_SOURCE_DIR, each copy made
distinct by a few bytes appended after the image (the loader and the version
reader ignore them), so every BHO has its own checksum. The lists have the
size and layout of the published ones:
  Tarvolin20List.ini  5,000 checksum sections (plus "General")
  bholist.txt         20,000 lines "X {CLSID} name: description, http://..."
  bhotb-all.html      ~5 MB table, one row over four lines per CLSID
Of the BHOs, a quarter are known to the maker's list, some with the status
"Unknown" there; a third of the rest are known to the text list, half of the
rest after that to the HTML list; the others are known to none, so every list
is asked for many BHOs and scanned to its end for the unknown ones. Some
entries repeat with other statuses further down, some CLSIDs are written in
lower case, so the first-match rules show in the reports.

Writes WORK_DIR/bhos.txt: one "CLSID<TAB>DLL path" line per BHO, and a
stand-in WORK_DIR/Tarvolin.exe (the largest PE of DLL_SOURCE_DIR up to 4 MB)
whose version resource the reports read, as they read the program's own.
"""
import hashlib
import os
import random
import sys

work, source = sys.argv[1], sys.argv[2]
bho_count = int(sys.argv[3]) if len(sys.argv) > 3 else 1000
rng = random.Random(20040315)

WORDS = ("search toolbar helper browser adware hijacker popup ad media player download manager shopping "
         "assistant secure banking plug-in spyware tracking cookie explorer bar extension update service "
         "Acrobat Java Google Yahoo MSN linker sidebar weather coupon dialer").split()


def clsid():
    h = "%032X" % rng.getrandbits(128)
    return "{%s-%s-%s-%s-%s}" % (h[0:8], h[8:12], h[12:16], h[16:20], h[20:32])


def words(n):
    return " ".join(rng.choice(WORDS) for _ in range(n))


def name():
    return words(1).capitalize() + rng.choice(("Helper", "Bar", "BHO", "Obj", "Ext")) + " Class"


# --- DLLs: real PE images of realistic size, each made unique ------------------
sources = sorted(os.path.join(source, f) for f in os.listdir(source)
                 if f.lower().endswith(".dll") and 50_000 <= os.path.getsize(os.path.join(source, f)) <= 500_000)
if not sources:
    sys.exit("no DLLs of 50-500 KB in " + source)
os.makedirs(os.path.join(work, "dlls"), exist_ok=True)
bhos = []  # (clsid, path, md5)
for i in range(bho_count):
    with open(sources[i % len(sources)], "rb") as f:
        data = f.read() + b"\0tarvolin-bench-%06d\0" % i
    path = os.path.join(work, "dlls", "bho%04d.dll" % i)
    with open(path, "wb") as f:
        f.write(data)
    bhos.append((clsid(), path, hashlib.md5(data).hexdigest()))

order = list(range(bho_count))
rng.shuffle(order)
quarter = bho_count // 4
kst_known = order[:quarter]
kst_unknown = order[quarter:quarter + bho_count // 20]       # section says "Unknown": lists asked next
rest = order[quarter:]
text_known = rest[:len(rest) // 3]
html_known = rest[len(rest) // 3:len(rest) // 3 + (len(rest) - len(rest) // 3) // 2]

# --- maker's INI list --------------------------------------------------------
sections = []
for i in kst_known:
    sections.append((bhos[i][2], rng.choice(("Benign", "Malware", "Investigating", "Benign"))))
for i in kst_unknown:
    sections.append((bhos[i][2], "Unknown"))
while len(sections) < 5000:
    sections.append((hashlib.md5(b"%d" % len(sections)).hexdigest(), rng.choice(("Benign", "Malware"))))
rng.shuffle(sections)
with open(os.path.join(work, "Tarvolin20List.ini"), "w", newline="\r\n") as f:
    f.write("[General]\nTimestamp=2005-03-15 10:00\nTotalReports=123456\nUniqueBHOs=5000\n")
    for rank in range(100):
        f.write("TopXDesc%d=%s\nTopXReportsCount%d=%d\n" % (rank, words(4), rank, 5000 - rank * 37))
    for md5, status in sections:
        upper = rng.random() < 0.1  # section names match without regard to case
        f.write("\n[%s]\nStatus=%s\nDesc=%s\nURL=http://www.kestrove.com/bho/%s.html\nReportsCount=%d\n"
                "EnabledCount=%d\n" % (md5.upper() if upper else md5, status, words(rng.randint(3, 12)), md5,
                                       rng.randint(1, 900), rng.randint(0, 500)))

# --- community text list -----------------------------------------------------
def text_line(cls, code=None):
    code = code or rng.choice("XXLLLO?")
    if rng.random() < 0.05:
        cls = cls.lower()
    return "%s %s %s: %s, http://www.sysinfo.org/bholist.php?item=%d" % (
        code, cls, name(), words(rng.randint(2, 10)), rng.randint(1, 99999))


# Each line gets a random place; a known BHO's repeat (which must not count)
# comes somewhere after its first line.
placed = [(rng.random(), text_line(clsid())) for _ in range(20000 - 2 * len(text_known))]
for i in text_known:
    first = rng.random()
    placed.append((first, text_line(bhos[i][0])))
    placed.append((rng.uniform(first, 1.0), text_line(bhos[i][0], "L")))
lines = [line for _, line in sorted(placed)]
with open(os.path.join(work, "bholist.txt"), "w", newline="\r\n") as f:
    f.write("\n".join(lines) + "\n")

# --- community HTML list -----------------------------------------------------
def html_row(cls):
    if rng.random() < 0.05:
        cls = cls.lower()
    desc = words(rng.randint(4, 14))
    cell = ('<a href="http://www.castlecops.com/O2-%s.html">%s</a>' % (cls.strip("{}"), desc)
            if rng.random() < 0.7 else desc)
    return ('<TR class="row%d">\n<TD nowrap>%s</TD><TD align="center">%s</TD><TD>%s</TD><TD>%s</TD>\n'
            '<TD>%s.dll</TD><TD>%s</TD><TD>2005-0%d-%02d</TD>\n</TR>\n' % (
                rng.randint(1, 2), cls, rng.choice("XXLLO?l"), name(), cell, words(1), words(rng.randint(2, 8)),
                rng.randint(1, 9), rng.randint(1, 28)))


rows = []
size = 0
while size < 5_000_000:
    rows.append(html_row(clsid()))
    size += len(rows[-1])
for i in html_known:
    rows.insert(rng.randrange(len(rows) + 1), html_row(bhos[i][0]))
with open(os.path.join(work, "bhotb-all.html"), "w", newline="\r\n") as f:
    f.write("<HTML><HEAD><TITLE>BHO and Toolbar List</TITLE></HEAD><BODY>\n<TABLE border=1>\n")
    f.write("<TR><TH>CLSID</TH><TH>Status</TH><TH>Name</TH><TH>Description</TH><TH>File</TH><TH>Notes</TH>"
            "<TH>Added</TH></TR>\n")
    f.write("".join(rows))
    f.write("</TABLE>\n</BODY></HTML>\n")

every = [os.path.join(source, f) for f in os.listdir(source) if f.lower().endswith(".dll")]
program = max((p for p in every if os.path.getsize(p) <= 4_000_000), key=os.path.getsize)
with open(program, "rb") as f, open(os.path.join(work, "Tarvolin.exe"), "wb") as exe:
    exe.write(f.read())

with open(os.path.join(work, "bhos.txt"), "w") as f:
    for cls, path, _ in bhos:
        f.write("%s\t%s\n" % (cls, path))
