#pragma once
// A form built from a stored description the way the program's forms are:
// the components are created and their stored values applied while it loads,
// then their after-load steps run.
#include <functional>

#include "framework/form.h"

namespace fwtest {

// The description is the test's. Counts the moves and erases the form
// handles and the WM_APP messages its own procedure sees.
class DescribedForm : public fw::TForm {
 public:
  explicit DescribedForm(const std::function<void(DescribedForm&)>& description, fw::TComponent* owner = nullptr);
  int Moves() const { return moves_; }
  int Erases() const { return erases_; }
  int AppMessages() const { return appMessages_; }

 protected:
  void WndProc(fw::TMessage& m) override;
  void WMMove(fw::TMessage& m) override;
  void WMEraseBkgnd(fw::TMessage& m) override;

 private:
  int moves_ = 0;
  int erases_ = 0;
  int appMessages_ = 0;
};

}  // namespace fwtest
