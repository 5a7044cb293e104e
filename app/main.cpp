// Demonstration window built with the framework, until the main window
// exists: a button, an edit, a combo box and a label on one form.
#include <windows.h>

#include "core/exceptions.h"
#include "framework/application.h"
#include "framework/form.h"
#include "framework/stdctrls.h"

namespace {

class TDemoForm : public fw::TForm {
 public:
  explicit TDemoForm(fw::TComponent* owner) : fw::TForm(owner) {
    ReadDescription([this] {
      SetCaption(L"Converter");
      SetBorderStyle(fw::bsSingle);
      SetBorderIcons({fw::biSystemMenu, fw::biMinimize});
      SetPosition(fw::poScreenCenter);
      SetClientSize(320, 120);

      Label1 = new fw::TLabel(this);
      Label1->SetName(L"Label1");
      Label1->SetParent(this);
      Label1->SetBounds(8, 8, 300, 17);
      Label1->SetCaption(L"&Value:");

      Edit1 = new fw::TEdit(this);
      Edit1->SetName(L"Edit1");
      Edit1->SetParent(this);
      Edit1->SetBounds(8, 28, 150, 21);
      Edit1->SetText(L"1");
      Edit1->SetTabOrder(0);
      Edit1->OnChange = [this](fw::TObject*) { Label1->SetCaption(L"&Value: " + Edit1->Text()); };
      Label1->SetFocusControl(Edit1);

      ComboBox1 = new fw::TComboBox(this);
      ComboBox1->SetName(L"ComboBox1");
      ComboBox1->SetParent(this);
      ComboBox1->SetStyle(fw::csDropDownList);
      ComboBox1->SetBounds(164, 28, 148, 21);
      ComboBox1->SetTabOrder(1);
      for (const wchar_t* unit : {L"Kilogram", L"Metre", L"Litre"}) ComboBox1->Items().Add(unit);
      ComboBox1->SetItemIndex(0);

      Button1 = new fw::TButton(this);
      Button1->SetName(L"Button1");
      Button1->SetParent(this);
      Button1->SetBounds(236, 84, 75, 25);
      Button1->SetCaption(L"&Close");
      Button1->SetCancel(true);
      Button1->SetTabOrder(2);
      Button1->OnClick = [this](fw::TObject*) { Close(); };
    });
  }
  std::wstring ClassName() const override { return L"TDemoForm"; }

  fw::TLabel* Label1 = nullptr;
  fw::TEdit* Edit1 = nullptr;
  fw::TComboBox* ComboBox1 = nullptr;
  fw::TButton* Button1 = nullptr;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    fw::TApplication app;
    app.Initialize();
    app.SetTitle(L"Converter");
    app.CreateForm<TDemoForm>();
    app.Run();
  } catch (const core::Exception& e) {
    MessageBoxW(nullptr, e.Message().c_str(), L"Application Error", MB_ICONERROR | MB_TASKMODAL);
    return 1;
  }
  return 0;
}
