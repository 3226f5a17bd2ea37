// The rounds of a layout: every wall laid out, then mended until the layout
// is sound. Internal to the layout folder.
//
// Where two runs cannot meet at a joined corner, the cell is laid out again:
// with the lower run standing at that corner, where it was laid out on its
// own, under-filled, and is free to move; else with the corner unjoined. One
// corner at a time, so that every other join stays. Then the runs that
// overlap higher ones or leave the room are mended, in rounds: where such a
// run ends joined, the round only unjoins those corners; else each run comes
// back by its overlap, shorter bays only where moving is not enough. Only the
// runs the repairs may move are laid out again, while a run still moves. A wall
// that finds no lengths, or whose run cannot come back far enough, fails: the
// cell is laid out again from the start as if it had no bays (walls failing
// together far apart round the outline, all in one go), so the layout is
// that of the same room with its count at 0. Each round adds a repair
// that is never needed again, and a run comes back at most once per wall of
// the cell, so the rounds end.
#pragma once

// Lays out every wall of the current cell (its corner flags freshly worked
// out) as above; walls left without bays are laid out with none, and keep
// the leftover of their length choice on the layout kept.
void lay_out_soundly();
