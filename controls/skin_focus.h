#pragma once
// Which controls count as skinned edit-like controls: while one of them has
// the focus, the flat border of another one stays normal under the mouse.
namespace fw {
class TControl;
}

namespace skin {

bool IsSkinnedEditLike(const fw::TControl* control);

}  // namespace skin
