#include "framework/component.h"

#include <algorithm>

namespace fw {
namespace {

thread_local TComponent::LoadScope* currentLoad = nullptr;

template <class T>
bool Erase(std::vector<T*>& list, T* item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it == list.end()) return false;
  list.erase(it);
  return true;
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (currentLoad) {
    state_ |= csLoading;
    currentLoad->loaded_.push_back(this);
  }
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Those that asked to hear of our removal, last first.
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    Erase(other->freeNotifies_, this);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
  // A component destroyed while its description is still being read.
  for (LoadScope* scope = currentLoad; scope; scope = scope->outer_)
    std::replace(scope->loaded_.begin(), scope->loaded_.end(), this, static_cast<TComponent*>(nullptr));
}

void TComponent::Destroying() { state_ |= csDestroying; }

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& list = owner_->components_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(const std::wstring& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (_wcsicmp(c->name_.c_str(), name.c_str()) == 0) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->owner_ == this) return;
  if (component->owner_) component->owner_->RemoveComponent(component);
  Insert(component);
  SendNotification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->owner_ != this) return;
  SendNotification(component, opRemove);
  Remove(component);
}

void TComponent::Insert(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
  Erase(components_, component);
  component->owner_ = nullptr;
}

void TComponent::SendNotification(TComponent* component, TOperation operation) {
  // The owner tree: the owner itself and, through the base Notification,
  // everything it owns.
  Notification(component, operation);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    Remove(last);
    delete last;
  }
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
    freeNotifies_.push_back(other);
  if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) ==
      other->freeNotifies_.end())
    other->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (!other) return;
  Erase(freeNotifies_, other);
  Erase(other->freeNotifies_, this);
}

void TComponent::Loaded() { state_ &= ~csLoading; }

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
  // Last first, and tolerant of components leaving meanwhile.
  for (size_t i = components_.size(); i-- > 0;) {
    if (i >= components_.size()) continue;
    components_[i]->Notification(component, operation);
  }
}

void TComponent::SetDesigning(bool value) {
  if (value) state_ |= csDesigning;
  else state_ &= ~csDesigning;
}

TComponent::LoadScope::LoadScope(TComponent* root) : outer_(currentLoad) {
  currentLoad = this;
  if (root) {
    root->state_ |= csLoading;
    loaded_.push_back(root);
  }
}

TComponent::LoadScope::~LoadScope() {
  if (currentLoad == this) currentLoad = outer_;
}

void TComponent::LoadScope::RunLoaded() {
  if (done_) return;
  done_ = true;
  // The scope stays current meanwhile, so that a component destroyed by an
  // earlier Loaded step is struck off the list; one created by a Loaded step
  // joins the list and gets its own step after the others.
  for (size_t i = 0; i < loaded_.size(); ++i)
    if (TComponent* c = loaded_[i]) c->Loaded();
  if (currentLoad == this) currentLoad = outer_;
}

}  // namespace fw
