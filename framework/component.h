#pragma once
// TComponent: ownership (the owner destroys what it owns, last created first),
// removal notification to every component of the owner tree and to those that
// asked for it (FreeNotification), the after-load step and the loading state.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/object.h"

namespace fw {

enum TOperation { opInsert, opRemove };

// Component state bits.
enum TComponentStateBit : unsigned {
  csLoading = 1u << 0,
  csReading = 1u << 1,
  csWriting = 1u << 2,
  csDestroying = 1u << 3,
  csDesigning = 1u << 4,
  csAncestor = 1u << 5,
  csUpdating = 1u << 6,
  csFixups = 1u << 7,
};
using TComponentState = unsigned;

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  std::wstring ClassName() const override { return L"TComponent"; }

  TComponent* Owner() const { return owner_; }
  const std::wstring& Name() const { return name_; }
  // Controls whose text follows their name override it (calling the base).
  virtual void SetName(const std::wstring& name) { name_ = name; }
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t tag) { tag_ = tag; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
  int ComponentIndex() const;
  TComponent* FindComponent(const std::wstring& name) const;

  // Takes over ownership (removing it from its previous owner).
  void InsertComponent(TComponent* component);
  // Gives up ownership without destroying it.
  void RemoveComponent(TComponent* component);
  // Destroys every owned component, last first.
  void DestroyComponents();

  // `other` will get Notification(this, opRemove) when this component goes,
  // even when it is not in this component's owner tree (and vice versa).
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  TComponentState ComponentState() const { return state_; }
  bool IsLoading() const { return (state_ & csLoading) != 0; }
  bool IsDesigning() const { return (state_ & csDesigning) != 0; }
  bool IsDestroying() const { return (state_ & csDestroying) != 0; }
  // Marks the component as going away (set first thing by destructors).
  void Destroying();

  // After-load step: the stored description has been applied. The base
  // clears csLoading; overrides call it first.
  virtual void Loaded();
  // A component was inserted into or removed from the owner tree, or a
  // component this one asked FreeNotification of goes away. Overrides clear
  // their references to it, then call the base (which passes it on to the
  // owned components).
  virtual void Notification(TComponent* component, TOperation operation);

  // Loading support used by stored descriptions (see TForm::ReadDescription):
  // sets csLoading and collects every component constructed meanwhile on this
  // thread so that their Loaded steps run afterwards in creation order.
  class LoadScope {
   public:
    explicit LoadScope(TComponent* root);
    LoadScope(const LoadScope&) = delete;
    LoadScope& operator=(const LoadScope&) = delete;
    ~LoadScope();
    // Runs Loaded() of the root and of every component created since, in
    // creation order (each only if it still exists).
    void RunLoaded();

   private:
    friend class TComponent;
    LoadScope* outer_;
    std::vector<TComponent*> loaded_;
    bool done_ = false;
  };

 protected:
  void SetDesigning(bool value);

 private:
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  void SendNotification(TComponent* component, TOperation operation);

  TComponent* owner_ = nullptr;
  std::wstring name_;
  std::intptr_t tag_ = 0;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  TComponentState state_ = 0;
};

}  // namespace fw
