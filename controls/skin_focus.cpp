#include "controls/skin_focus.h"

#include "controls/skin_combo.h"
#include "controls/skin_edit.h"

namespace skin {

bool IsSkinnedEditLike(const fw::TControl* control) {
  return dynamic_cast<const TSkinEdit*>(control) != nullptr ||
         dynamic_cast<const TSkinComboBox*>(control) != nullptr;
}

}  // namespace skin
