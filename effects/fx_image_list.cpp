#include "effects/fx_image_list.h"

#include <algorithm>

namespace fx {

TFxChangeLink::~TFxChangeLink() {
  if (sender_) sender_->UnRegisterChanges(*this);
}

TFxCustomImageList::~TFxCustomImageList() {
  for (TFxChangeLink* link : links_) link->sender_ = nullptr;
}

void TFxCustomImageList::RegisterChanges(TFxChangeLink& link) {
  if (link.sender_ == this) return;
  if (link.sender_) link.sender_->UnRegisterChanges(link);
  link.sender_ = this;
  links_.push_back(&link);
}

void TFxCustomImageList::UnRegisterChanges(TFxChangeLink& link) {
  links_.erase(std::remove(links_.begin(), links_.end(), &link), links_.end());
  if (link.sender_ == this) link.sender_ = nullptr;
}

void TFxCustomImageList::Change() {
  // A handler may unregister links; walk a copy.
  const auto links = links_;
  for (TFxChangeLink* link : links)
    if (std::find(links_.begin(), links_.end(), link) != links_.end() && link->OnChange)
      link->OnChange();
}

}  // namespace fx
