#include "tests/support/described_form.h"

#include "tests/support/app.h"

namespace fwtest {

DescribedForm::DescribedForm(const std::function<void(DescribedForm&)>& description, fw::TComponent* owner)
    : fw::TForm(owner) {
  App();
  ReadDescription([&] { description(*this); });
}

void DescribedForm::WndProc(fw::TMessage& m) {
  if (m.Msg == WM_APP) ++appMessages_;
  fw::TForm::WndProc(m);
}

void DescribedForm::WMMove(fw::TMessage& m) {
  ++moves_;
  fw::TForm::WMMove(m);
}

void DescribedForm::WMEraseBkgnd(fw::TMessage& m) {
  ++erases_;
  fw::TForm::WMEraseBkgnd(m);
}

}  // namespace fwtest
