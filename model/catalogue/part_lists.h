// What the loaded catalogue says about the parts of a frame and of a shelf:
// the crossbar heights of a frame height and the grid panels of a shelf length.
#pragma once

#include <string>
#include <vector>

// The crossbar heights of a catalogue height, in list order; none for a height
// not in the catalogue. A text that is no number is skipped.
std::vector<double> crossbar_heights(double frame_height);

// The panel letters of a shelf length: the composition of the last catalogue
// length equal to it; empty when the length is not in the catalogue.
std::string panel_composition(double length);
