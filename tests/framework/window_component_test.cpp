// Ownership, removal notification and the after-load steps of stored
// descriptions, recorded as sequences of calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/form.h"
#include "stdctrls/stdctrls.h"
#include "window_test_util.h"

namespace {

using Log = std::vector<std::wstring>;

class TRec : public fw::TComponent {
 public:
  TRec(fw::TComponent* owner, const std::wstring& name, Log& log) : fw::TComponent(owner), log_(log) {
    SetName(name);
    log_.push_back(L"create " + name + (IsLoading() ? L" loading" : L""));
  }
  ~TRec() override { log_.push_back(L"destroy " + Name()); }
  void Loaded() override {
    fw::TComponent::Loaded();
    log_.push_back(L"loaded " + Name() + (IsLoading() ? L" still loading" : L""));
    if (onLoaded) onLoaded();
  }
  void Notification(fw::TComponent* c, fw::TOperation op) override {
    // Insertions come before the new component has its name: counted only.
    if (op == fw::opInsert && c != this) ++insertionsSeen;
    if (op == fw::opRemove && c != this) log_.push_back(Name() + L" sees removal of " + c->Name());
    if (op == fw::opRemove && c == ref) ref = nullptr;
    fw::TComponent::Notification(c, op);
  }
  fw::TComponent* ref = nullptr;
  int insertionsSeen = 0;
  std::function<void()> onLoaded;

 private:
  Log& log_;
};

TEST(Components, OwnerDestroysWhatItOwnsLastCreatedFirst) {
  Log log;
  auto* owner = new TRec(nullptr, L"O", log);
  new TRec(owner, L"A", log);
  new TRec(owner, L"B", log);
  new TRec(owner, L"C", log);
  EXPECT_EQ(owner->ComponentCount(), 3);
  log.clear();
  delete owner;
  EXPECT_EQ(log, (Log{L"destroy O", L"destroy C", L"destroy B", L"destroy A"}));
}

TEST(Components, InsertionAndRemovalReachTheWholeOwnerTree) {
  Log log;
  TRec owner(nullptr, L"O", log);
  auto* a = new TRec(&owner, L"A", log);
  auto* b = new TRec(&owner, L"B", log);
  // Every component of the tree hears of each insertion.
  EXPECT_EQ(owner.insertionsSeen, 2);
  EXPECT_EQ(a->insertionsSeen, 1);
  EXPECT_EQ(b->insertionsSeen, 0);
  b->ref = a;
  log.clear();
  delete a;
  EXPECT_EQ(log, (Log{L"destroy A", L"O sees removal of A", L"B sees removal of A"}));
  EXPECT_EQ(b->ref, nullptr);
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.FindComponent(L"b"), b);
}

TEST(Components, FreeNotificationCrossesOwnersAndIsDroppedWithTheListener) {
  Log log;
  auto* o1 = new TRec(nullptr, L"O1", log);
  auto* o2 = new TRec(nullptr, L"O2", log);
  auto* x = new TRec(o1, L"X", log);
  auto* y = new TRec(o2, L"Y", log);
  y->ref = x;
  x->FreeNotification(y);
  log.clear();
  delete x;
  EXPECT_EQ(log, (Log{L"destroy X", L"Y sees removal of X", L"O1 sees removal of X"}));
  EXPECT_EQ(y->ref, nullptr);

  // The other way round: a listener that goes first is never called later.
  auto* z = new TRec(o1, L"Z", log);
  z->FreeNotification(y);
  delete y;
  log.clear();
  delete z;
  EXPECT_EQ(log, (Log{L"destroy Z", L"O1 sees removal of Z"}));
  delete o1;
  delete o2;
}

class TLoadForm : public fw::TForm {
 public:
  TLoadForm(fw::TComponent* owner, Log& log) : fw::TForm(owner), log_(log) {
    OnCreate = [this](fw::TObject*) { log_.push_back(L"OnCreate"); };
    ReadDescription([this] {
      log_.push_back(std::wstring(L"form ") + (IsLoading() ? L"loading" : L"not loading"));
      a = new TRec(this, L"A", log_);
      b = new TRec(this, L"B", log_);
      e1 = new fw::TEdit(this);
      e1->SetParent(this);
      e2 = new fw::TEdit(this);
      e2->SetParent(this);
      e3 = new fw::TEdit(this);
      e3->SetParent(this);
      // Tab orders in the description refer to the final order.
      e1->SetTabOrder(2);
      e2->SetTabOrder(0);
      e3->SetTabOrder(1);
      log_.push_back(L"description done");
    });
  }
  void Loaded() override {
    fw::TForm::Loaded();
    log_.push_back(L"loaded form");
  }
  TRec* a = nullptr;
  TRec* b = nullptr;
  fw::TEdit *e1 = nullptr, *e2 = nullptr, *e3 = nullptr;

 private:
  Log& log_;
};

TEST(Components, StoredDescriptionRunsAfterLoadStepsInCreationOrderThenOnCreate) {
  fwtest::App();
  Log log;
  TLoadForm form(nullptr, log);
  EXPECT_EQ(log, (Log{L"form loading", L"create A loading", L"create B loading", L"description done",
                      L"loaded form", L"loaded A", L"loaded B", L"OnCreate"}));
  EXPECT_FALSE(form.IsLoading());
  EXPECT_FALSE(form.e1->IsLoading());
  EXPECT_EQ(form.e2->TabOrder(), 0);
  EXPECT_EQ(form.e3->TabOrder(), 1);
  EXPECT_EQ(form.e1->TabOrder(), 2);
  // Made after loading: not loading, no after-load step.
  log.clear();
  TRec later(&form, L"L", log);
  EXPECT_EQ(log.front(), L"create L");
}

class TDropForm : public fw::TForm {
 public:
  TDropForm(fw::TComponent* owner, Log& log) : fw::TForm(owner) {
    ReadDescription([&] {
      auto* a = new TRec(this, L"A", log);
      auto* b = new TRec(this, L"B", log);
      a->onLoaded = [b] { delete b; };
      new TRec(this, L"C", log);
    });
  }
};

TEST(Components, AComponentDestroyedByAnEarlierAfterLoadStepGetsNoStep) {
  fwtest::App();
  Log log;
  TDropForm form(nullptr, log);
  Log loaded;
  for (auto& s : log)
    if (s.rfind(L"loaded", 0) == 0) loaded.push_back(s);
  EXPECT_EQ(loaded, (Log{L"loaded A", L"loaded C"}));
}

}  // namespace
