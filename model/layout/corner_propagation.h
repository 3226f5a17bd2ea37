// The walk of the layout through joined corners: once a wall is laid out, the
// runs joined to it are laid out one after the other, each starting from the
// bay its neighbour left at the shared corner, until a wall without bays, one
// already laid out, or one not joined at that corner. Both walks wrap round the
// outline.
#pragma once

// Lays out the chain of joined walls after wall_index.
void propagate_forward(int wall_index);
// Lays out the chain of joined walls before wall_index.
void propagate_backward(int wall_index);
