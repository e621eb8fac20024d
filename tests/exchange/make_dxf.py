#!/usr/bin/python3
"""DXF drawings for the exchange tests, written by ezdxf (not by our own code).

make_dxf.py OUTDIR        writes the test drawings into OUTDIR
make_dxf.py --shaft PATH  writes the sample shaft drawing
make_dxf.py --read PATH   prints the entities of a DXF file as JSON
"""
import json
import math
import sys

import ezdxf


def r12_bulge(path):
    doc = ezdxf.new("R12")
    msp = doc.modelspace()
    doc.layers.new("PROFILE")
    doc.layers.new("DIM")
    # (x, y, start width, end width, bulge): the arc from (20,10) to (40,10) rises to (30,15).
    points = [(0, 0, 0, 0, 0), (0, 10, 0, 0, 0), (20, 10, 0, 0, -0.5), (40, 10, 0, 0, 0),
              (40, 15, 0, 0, 0), (60, 15, 0, 0, 0), (60, 0, 0, 0, 0)]
    pl = msp.add_polyline2d([(p[0], p[1]) for p in points], dxfattribs={"layer": "PROFILE"})
    for vertex, p in zip(pl.vertices, points):
        vertex.dxf.bulge = p[4]
    msp.add_line((0, 30), (60, 30), dxfattribs={"layer": "DIM"})
    msp.add_text("60", dxfattribs={"layer": "DIM"})
    msp.add_text("R12.5", dxfattribs={"layer": "PROFILE"})
    msp.add_point((5, 5), dxfattribs={"layer": "PROFILE"})
    doc.saveas(path)


def r2000_spline(path):
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (0, 10), (10, 10)])
    # A cubic Bezier (clamped knots) from (10,10) to (30,20), rising monotonically.
    msp.add_open_spline([(10, 10), (15, 10), (25, 20), (30, 20)], degree=3)
    msp.add_lwpolyline([(30, 20), (50, 20), (50, 0)])
    doc.saveas(path)


def inch(path):
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 1
    msp = doc.modelspace()
    msp.add_line((0, 1), (2, 1))
    msp.add_line((2, 1), (2, 0.5))
    msp.add_line((2, 0.5), (3, 0.5))
    doc.saveas(path)


def closed(path):
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, -8), (2, -10), (50, -10), (50, 10), (2, 10), (0, 8)], close=True)
    doc.saveas(path)


def bore(path):
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, -20), (60, -20), (60, 20), (0, 20)], close=True)
    msp.add_lwpolyline([(0, -5), (30, -5), (30, 5), (0, 5)], close=True)
    doc.saveas(path)


def runs_back(path):
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    msp = doc.modelspace()
    # An undercut: the contour turns back under itself between Z 8 and 10.
    msp.add_lwpolyline([(0, 10), (10, 10), (10, 5), (8, 5), (8, 3), (20, 3)])
    # A loose circle, and a rounded end made of a circle that two lines end on.
    msp.add_circle((100, 50), 2)
    msp.add_line((20, 3), (30, 3))
    msp.add_line((30, 3), (30, 0))
    msp.add_circle((30, 0), 3)
    msp.add_line((33, 0), (40, 0))
    doc.saveas(path)


def shaft(path):
    """A stepped shaft of 120 mm with chamfers, a fillet and a groove, drawn whole."""
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    doc.layers.new("CONTOUR", dxfattribs={"color": 7})
    doc.layers.new("CENTER", dxfattribs={"color": 1, "linetype": "CENTER"})
    doc.layers.new("DIMENSIONS", dxfattribs={"color": 3})
    msp = doc.modelspace()
    upper = [(0, 11, 0), (1, 12, 0), (30, 12, 0), (30, 17, 0), (46, 17, 0), (46, 16, 0),
             (49, 16, 0), (49, 17, 0), (70, 17, -0.41421356237309503), (75, 22, 0), (98, 22, 0),
             (98, 13, 0), (119, 13, 0), (120, 12, 0)]
    lower = [(x, -y, -b) for (x, y, b) in reversed(upper)]
    # The lower half runs backwards: each bulge belongs to the vertex that starts its arc.
    shifted = [(x, y, 0) for (x, y, _) in lower]
    for i in range(len(lower) - 1):
        shifted[i] = (lower[i][0], lower[i][1], lower[i + 1][2])
    points = [(x, y, 0, 0, b) for (x, y, b) in upper + shifted]
    msp.add_lwpolyline(points, format="xyseb", close=True, dxfattribs={"layer": "CONTOUR"})
    msp.add_line((-5, 0), (125, 0), dxfattribs={"layer": "CENTER"})
    msp.add_text("SHAFT 120", dxfattribs={"layer": "DIMENSIONS", "height": 3.5}).set_placement((0, 30))
    doc.saveas(path)


def standing(path):
    """A part drawn standing up to the right of a vertical centre line on layer AXES."""
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    doc.layers.new("AXES", dxfattribs={"linetype": "CENTER"})
    msp = doc.modelspace()
    msp.add_line((100, 125), (100, -5), dxfattribs={"layer": "AXES"})
    msp.add_lwpolyline([(100, 0), (110, 0), (110, 30), (117, 30), (117, 120), (100, 120)])
    doc.saveas(path)


def below(path):
    """The lathe convention: the part below the x axis at negative Z, its right face at Z 0."""
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    msp = doc.modelspace()
    msp.add_lwpolyline([(-120, 0), (-120, -10), (-60, -10), (-60, -20), (-2, -20), (0, -18), (0, 0)])
    doc.saveas(path)


def sheet(path):
    """A sheet with two parts, a title block, dimensions, a hatch and construction lines.

    Part A (layers SHAFT and COLLAR) lies on the x axis, its centre line 130 long; part B (layer
    OTHER) stands at y 200 with its own centre line; a hidden line and the title block on TITLE.
    """
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    for name in ("SHAFT", "COLLAR", "OTHER", "TITLE"):
        doc.layers.new(name)
    doc.layers.new("CL", dxfattribs={"linetype": "DASHDOT"})
    msp = doc.modelspace()
    msp.add_line((-5, 0), (125, 0), dxfattribs={"layer": "CL"})
    msp.add_lwpolyline([(0, 0), (0, 10), (40, 10)], dxfattribs={"layer": "SHAFT"})
    msp.add_lwpolyline([(40, 10), (40, 25), (60, 25), (60, 10)], dxfattribs={"layer": "COLLAR"})
    msp.add_lwpolyline([(60, 10), (120, 10), (120, 0)], dxfattribs={"layer": "SHAFT"})
    msp.add_line((0, 6), (40, 6), dxfattribs={"layer": "SHAFT", "linetype": "HIDDEN"})
    msp.add_line((-5, 200), (45, 200), dxfattribs={"layer": "CL"})
    msp.add_lwpolyline([(0, 200), (0, 205), (40, 205), (40, 200)], dxfattribs={"layer": "OTHER"})
    msp.add_lwpolyline([(200, -100), (300, -100), (300, -60), (200, -60)], close=True,
                       dxfattribs={"layer": "TITLE"})
    msp.add_text("PART A", dxfattribs={"layer": "TITLE"}).set_placement((210, -80))
    msp.add_xline((0, 0), (0, 1), dxfattribs={"layer": "SHAFT"})
    msp.add_ray((0, 0), (1, 1), dxfattribs={"layer": "SHAFT"})
    dim = msp.add_linear_dim(base=(0, 40), p1=(0, 25), p2=(120, 25), dxfattribs={"layer": "SHAFT"})
    dim.render()
    hatch = msp.add_hatch(dxfattribs={"layer": "COLLAR"})
    hatch.paths.add_polyline_path([(40, 10), (40, 25), (60, 25), (60, 10)], is_closed=True)
    doc.saveas(path)


def blocks(path):
    """An outline put together from blocks: scaled, nested, MINSERT columns, mirrored, turned."""
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    seg = doc.blocks.new(name="SEG", base_point=(0, 0))
    seg.add_line((0, 0), (10, 0))
    pair = doc.blocks.new(name="PAIR", base_point=(0, 0))
    pair.add_blockref("SEG", (0, 0))
    pair.add_blockref("SEG", (10, 5))
    quarter = doc.blocks.new(name="QUARTER", base_point=(0, 0))
    quarter.add_arc((0, 0), 5, 0, 90)
    msp = doc.modelspace()
    msp.add_blockref("SEG", (0, 10), dxfattribs={"xscale": 2})
    msp.add_blockref("PAIR", (20, 10))
    msp.add_blockref("SEG", (40, 20), dxfattribs={"column_count": 2, "column_spacing": 10})
    msp.add_blockref("QUARTER", (65, 20), dxfattribs={"xscale": -1})
    msp.add_line((65, 25), (80, 25))
    msp.add_blockref("SEG", (80, 25), dxfattribs={"rotation": -90})
    msp.add_blockref("SEG", (80, 15), dxfattribs={"xscale": 1.5, "yscale": 1.5})
    doc.saveas(path)


def ellipses(path):
    """Half an ellipse on the outline; on layer ROT a turned elliptical arc placed by a block."""
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    doc.layers.new("ROT")
    msp = doc.modelspace()
    msp.add_line((0, 10), (20, 10))
    msp.add_ellipse((40, 10), major_axis=(20, 0), ratio=0.5, start_param=0, end_param=math.pi)
    msp.add_line((60, 10), (80, 10))
    turned = doc.blocks.new(name="TURNED", base_point=(0, 0))
    turned.add_ellipse((0, 0), major_axis=(30 * math.cos(0.3), 30 * math.sin(0.3)), ratio=0.4,
                       start_param=0.2, end_param=2.5)
    msp.add_blockref("TURNED", (50, 40), dxfattribs={"layer": "ROT"})
    doc.saveas(path)


def ocs(path):
    """An arc and a polyline drawn with the extrusion direction (0, 0, -1)."""
    doc = ezdxf.new("R2000")
    doc.header["$INSUNITS"] = 4
    msp = doc.modelspace()
    msp.add_line((0, 10), (40, 10))
    # In its own coordinates the arc's centre is (-50, 10); seen from above it lies at (50, 10).
    msp.add_arc((-50, 10), 10, 0, 180, dxfattribs={"extrusion": (0, 0, -1)})
    msp.add_line((60, 10), (100, 10))
    msp.add_lwpolyline([(-100, 12), (-120, 12)], dxfattribs={"extrusion": (0, 0, -1)})
    doc.saveas(path)


def read(path):
    doc = ezdxf.readfile(path)
    out = {"insunits": doc.header.get("$INSUNITS", 0), "entities": []}
    for e in doc.modelspace():
        item = {"type": e.dxftype(), "layer": e.dxf.layer}
        if e.dxftype() == "LINE":
            item["start"] = [e.dxf.start.x, e.dxf.start.y]
            item["end"] = [e.dxf.end.x, e.dxf.end.y]
        elif e.dxftype() == "ARC":
            item["center"] = [e.dxf.center.x, e.dxf.center.y]
            item["radius"] = e.dxf.radius
            item["start"] = [e.start_point.x, e.start_point.y]
            item["end"] = [e.end_point.x, e.end_point.y]
        out["entities"].append(item)
    json.dump(out, sys.stdout)


def main():
    if sys.argv[1] == "--shaft":
        shaft(sys.argv[2])
    elif sys.argv[1] == "--read":
        read(sys.argv[2])
    else:
        d = sys.argv[1]
        r12_bulge(d + "/r12_bulge.dxf")
        r2000_spline(d + "/r2000_spline.dxf")
        inch(d + "/inch.dxf")
        closed(d + "/closed.dxf")
        bore(d + "/bore.dxf")
        runs_back(d + "/runs_back.dxf")
        standing(d + "/standing.dxf")
        below(d + "/below.dxf")
        sheet(d + "/sheet.dxf")
        blocks(d + "/blocks.dxf")
        ellipses(d + "/ellipses.dxf")
        ocs(d + "/ocs.dxf")
        with open(d + "/r12_bulge.dxf", "rb") as f:
            whole = f.read()
        with open(d + "/truncated.dxf", "wb") as f:
            f.write(whole[: len(whole) // 2])
        with open(d + "/binary.dxf", "wb") as f:
            f.write(bytes((i * 7919) % 256 for i in range(4096)))
        with open(d + "/zeros.dxf", "wb") as f:
            f.write(bytes(5 * 1024 * 1024))


if __name__ == "__main__":
    main()
