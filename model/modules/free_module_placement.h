// Putting free-standing modules into the current cell and taking them out:
// one module from the placement template, a whole compact block from the
// compact template, deleting the selected modules with the repair of their
// coupling links, and aligning the selected modules.
#pragma once

// Appends AppState.free_module_template to the current cell, coupled to the
// modules it snapped to, unless a free module already stands on its centre.
void add_free_module();

// Places the fixed ends and mobile units of AppState.compact_template as a new
// compact group. The free-module template is left as it was. False, with
// nothing placed, when the template lists fewer than two unit widths or a
// width that is not a number.
bool add_compact_block();

// Deletes every selected free module of the current cell. Modules coupled to a
// deleted one get end frames again; deleting a module of a compact group
// dissolves the group, leaving its other modules as ordinary ones.
void delete_selected_free_modules();

// Lines the selected free modules up with the first selected item (wall bays
// first): along y for axis 'H', along x for 'V'. Ends the edit with a refresh
// and an undo snapshot.
void align_selected_free_modules(char axis);
