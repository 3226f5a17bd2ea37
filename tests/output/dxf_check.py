"""Reads a drawing of the exports with ezdxf and checks it as a CAD program would.

    dxf_check.py plan FILE WALL_LENGTH
    dxf_check.py solid FILE XMIN YMIN XMAX YMAX THICKNESS TROLLEY_LENGTH
    dxf_check.py template FILE

Prints what is wrong and exits 1, or exits 0.
"""
import sys

import ezdxf
from ezdxf import bbox

faults = []


def check(condition, message):
    if not condition:
        faults.append(message)


def raw_handles(path):
    """Every handle the file gives, from its own pairs, and the seed."""
    with open(path, "rb") as f:
        lines = f.read().decode("ascii").split("\r\n")
    handles, seed, previous = [], None, None
    for code, value in zip(lines[0::2], lines[1::2]):
        if code.strip() in ("5", "105"):
            if previous == "$HANDSEED":
                seed = int(value, 16)
            else:
                handles.append(int(value, 16))
        previous = value.strip()
    return handles, seed


kind, path = sys.argv[1], sys.argv[2]
doc = ezdxf.readfile(path)
auditor = doc.audit()
check(not auditor.has_errors, "audit errors: %s" % [e.message for e in auditor.errors])
check(not auditor.has_fixes, "audit fixes: %s" % [e.message for e in auditor.fixes])
handles, seed = raw_handles(path)
check(len(handles) == len(set(handles)), "a handle is given twice")
check(seed is not None and max(handles) < seed, "a handle is not below $HANDSEED")
msp = doc.modelspace()

for insert in msp.query("INSERT"):
    check(insert.dxf.name in doc.blocks, "undefined block " + insert.dxf.name)
for entity in msp:
    check(doc.layers.has_entry(entity.dxf.layer), "undefined layer " + entity.dxf.layer)

if kind == "plan":
    wall_length = float(sys.argv[3])
    texts = msp.query("TEXT")
    check(len(texts) > 0, "no labels")
    for text in texts:
        check(text.dxf.height == 80 and text.dxf.style == "stile1" and text.dxf.halign == 1
              and abs(text.dxf.width - 0.8) < 1e-9, "text attributes of " + text.dxf.text)
    for polyline in msp.query("LWPOLYLINE"):
        check(polyline.closed and len(polyline) == 4, "an outline is not a closed rectangle")
    dimensions = msp.query("DIMENSION")
    check(len(dimensions) > 0, "no dimensions")
    check(abs(dimensions[0].get_measurement() - wall_length) < 1e-6,
          "the wall measures %s" % dimensions[0].get_measurement())
    for dimension in dimensions:
        check(dimension.dxf.geometry in doc.blocks, "a dimension without its picture")
elif kind == "solid":
    xmin, ymin, xmax, ymax, thickness, trolley = map(float, sys.argv[3:9])
    box = bbox.extents(msp)
    tolerance = 1e-6
    check(box.extmin.x >= xmin - thickness - tolerance and box.extmin.y >= ymin - thickness - tolerance
          and box.extmax.x <= xmax + thickness + tolerance and box.extmax.y <= ymax + thickness + tolerance,
          "the drawing leaves its room: %s %s" % (box.extmin, box.extmax))
    bars = msp.query('INSERT[name=="Traverso373"]')
    check(len(bars) == 2, "a trolley has two base bars")
    for bar in bars:
        size = bbox.extents([bar]).size
        check(abs(max(size.x, size.y) - (trolley + 8)) < 1e-6, "a base bar is %s long" % max(size.x, size.y))

for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
