#include "framework/lifetime.h"

namespace fw {

Lifetime::~Lifetime() {
  for (Watch* w = watches_; w; w = w->outer_) w->ended_ = true;
}

// A watch is a local of the running call: it is linked in while that call
// runs and unlinked when it returns, unless the object went first.
Lifetime::Watch::Watch(Lifetime& lifetime) : lifetime_(lifetime), outer_(lifetime.watches_) {
  lifetime.watches_ = this;
}

Lifetime::Watch::~Watch() {
  if (!ended_) lifetime_.watches_ = outer_;
}

}  // namespace fw
