#!/usr/bin/env python3
"""Writes the example scene: a hall with a floor, four walls, four round pillars (20 sides, so
their caps are split) and an arch (whose outline is concave, so its faces are triangulated), as
room.obj with its materials in room.mtl. Y is up, one unit is one map unit.

    examples/make-room.py OUTPUT_FOLDER
"""
import math
import os
import sys

MATERIALS = {
    "Stone": "textures/stone_floor.png",
    "Brick": "textures/red_brick.png",
    "Marble": "textures/marble_white.png",
    "Wood": "textures/oak_planks.png",
}


class Obj:
    def __init__(self):
        self.lines = ["mtllib room.mtl"]
        self.count = 0

    def obj(self, name, material):
        self.lines += ["o " + name, "usemtl " + material]

    def face(self, points):
        """A face whose points turn counter-clockwise seen from its front."""
        for x, y, z in points:
            self.lines.append("v %g %g %g" % (x, y, z))
        first = self.count + 1
        self.count += len(points)
        self.lines.append("f " + " ".join(str(first + i) for i in range(len(points))))

    def box(self, x0, y0, z0, x1, y1, z1):
        c = [(x, y, z) for x in (x0, x1) for y in (y0, y1) for z in (z0, z1)]
        # Corners by index: 4*x + 2*y + z, each 0 for the low side and 1 for the high one.
        for quad in ((0, 1, 3, 2), (4, 6, 7, 5), (0, 4, 5, 1), (2, 3, 7, 6), (0, 2, 6, 4), (1, 5, 7, 3)):
            self.face([c[i] for i in quad])

    def prism(self, cx, cz, radius, sides, y0, y1):
        ring = [(cx + radius * math.cos(2 * math.pi * i / sides),
                 cz - radius * math.sin(2 * math.pi * i / sides)) for i in range(sides)]
        self.face([(x, y1, z) for x, z in ring])
        self.face([(x, y0, z) for x, z in reversed(ring)])
        for i in range(sides):
            (xa, za), (xb, zb) = ring[i], ring[(i + 1) % sides]
            self.face([(xa, y0, za), (xb, y0, zb), (xb, y1, zb), (xa, y1, za)])

    def arch(self, cx, y0, z0, z1, inner, outer, steps):
        """A half ring standing on y0 across x, from z0 to z1 deep."""
        angles = [math.pi * i / steps for i in range(steps + 1)]
        out = [(cx + outer * math.cos(a), y0 + outer * math.sin(a)) for a in angles]
        inn = [(cx + inner * math.cos(a), y0 + inner * math.sin(a)) for a in angles]
        outline = out + list(reversed(inn))
        self.face([(x, y, z1) for x, y in outline])
        self.face([(x, y, z0) for x, y in reversed(outline)])
        for ring, outward in ((out, True), (inn, False)):
            for i in range(steps):
                (xa, ya), (xb, yb) = ring[i], ring[i + 1]
                quad = [(xa, ya, z0), (xb, yb, z0), (xb, yb, z1), (xa, ya, z1)]
                self.face(quad if outward else list(reversed(quad)))
        # The two feet it stands on, which close it.
        for (xo, yo), (xi, yi) in ((out[0], inn[0]), (out[-1], inn[-1])):
            foot = [(xo, yo, z0), (xo, yo, z1), (xi, yi, z1), (xi, yi, z0)]
            self.face(foot if xo > xi else list(reversed(foot)))


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(folder, exist_ok=True)
    scene = Obj()
    scene.obj("Floor", "Stone")
    scene.box(-512, -32, -512, 512, 0, 512)
    walls = {
        "WallNorth": (-544, 0, -544, 544, 384, -512),
        "WallSouth": (-544, 0, 512, 544, 384, 544),
        "WallEast": (512, 0, -512, 544, 384, 512),
        "WallWest": (-544, 0, -512, -512, 384, 512),
    }
    for name, corners in walls.items():
        scene.obj(name, "Brick")
        scene.box(*corners)
    for i, (x, z) in enumerate(((-256, -256), (256, -256), (-256, 256), (256, 256))):
        scene.obj("Pillar%d" % (i + 1), "Marble")
        scene.prism(x, z, 40, 20, 0, 384)
    scene.obj("Arch", "Wood")
    scene.arch(0, 0, -32, 32, 160, 208, 12)
    with open(os.path.join(folder, "room.obj"), "w") as out:
        out.write("\n".join(scene.lines) + "\n")
    with open(os.path.join(folder, "room.mtl"), "w") as out:
        for name, texture in MATERIALS.items():
            out.write("newmtl %s\nKd 0.8 0.8 0.8\nmap_Kd %s\n\n" % (name, texture))


if __name__ == "__main__":
    main()
