// A stream of components on the library's binary filer, as a form file
// keeps them: per component its class name, its name, its stored properties
// and its children (a scene's are the children of both its roots). Reading
// makes fresh components: each child joins its parent as it is read, the
// references are resolved by name once all are read, and then every
// component is told it was loaded.
#pragma once

#include <memory>
#include <vector>

#include "gfx3d/core/toolkit_components.h"
#include "gfx3d/persistence/binary_filers.h"

void WriteComponents(TVirtualWriter& filer, const std::vector<TComponent*>& components);
// The top-level components in stream order; a stream that cannot be read raises and leaves nothing behind.
std::vector<std::unique_ptr<TComponent>> ReadComponents(TVirtualReader& filer);

class TGLBaseStageObject;
// A camera read under a scene joins its camera root, anything else its object root; under a scene
// object the object becomes its child; under anything else it has no parent.
void SetParentComponent(TGLBaseStageObject& object, TComponent* parent);
