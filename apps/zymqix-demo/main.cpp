// A small demonstration host: builds a form of components, streams it to text,
// reads the text back into a second form and prints what was read.
#include <cstdio>
#include <memory>

#include "vcl/Colors.h"
#include "vcl/Streaming.h"

namespace demo {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TFontStyle { fsBold, fsItalic, fsUnderline };
using TFontStyles = vcl::TSet<TFontStyle>;

}  // namespace demo

VCL_ENUM_NAMES(demo::TAlignment, "taLeftJustify", "taRightJustify", "taCenter");
VCL_ENUM_NAMES(demo::TFontStyle, "fsBold", "fsItalic", "fsUnderline");

namespace demo {

/// A font: an owned sub-object, streamed as Font.Name, Font.Size, ...
class TDemoFont : public vcl::TPersistent {
public:
  VCL_CLASS(TDemoFont)
  static constexpr const char* DefaultName = "Tahoma";
  static constexpr int DefaultSize = 8;
  const std::string& GetName() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  int GetSize() const { return FSize; }
  void SetSize(int Value) { FSize = Value; }
  TFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TFontStyles Value) { FStyle = Value; }

private:
  std::string FName = DefaultName;
  int FSize = DefaultSize;
  TFontStyles FStyle;
};

/// A non-visual data source.
class TDemoSource : public vcl::TComponent {
public:
  VCL_CLASS(TDemoSource)
  using TComponent::TComponent;
  bool GetActive() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  double GetRate() const { return FRate; }
  void SetRate(double Value) { FRate = Value; }

private:
  bool FActive = false;
  double FRate = 0;
};

/// Something visible: nested in the text inside the component it sits on.
class TDemoControl : public vcl::TComponent {
public:
  VCL_CLASS(TDemoControl)
  static constexpr vcl::TColor DefaultColor = vcl::clBtnFace;
  using TComponent::TComponent;

  bool HasParent() const override { return true; }
  vcl::TComponent* GetParentComponent() const override { return FParent; }
  void SetParentComponent(vcl::TComponent* Value) override { FParent = Value; }
  void GetChildren(const std::function<void(vcl::TComponent*)>& Proc, vcl::TComponent* Root) const override {
    for (vcl::TComponent* C : Root->Components())
      if (C->GetParentComponent() == this) Proc(C);
  }

  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& Value) { FCaption = Value; }
  int GetLeft() const { return FLeft; }
  void SetLeft(int Value) { FLeft = Value; }
  int GetTop() const { return FTop; }
  void SetTop(int Value) { FTop = Value; }
  vcl::TColor GetColor() const { return FColor; }
  void SetColor(vcl::TColor Value) { FColor = Value; }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  TDemoFont* GetFont() const { return FFont.get(); }
  void SetFont(TDemoFont* Value) { *FFont = *Value; }
  vcl::TStrings* GetItems() const { return FItems.get(); }
  void SetItems(vcl::TStrings* Value) { FItems->Assign(Value); }
  TDemoSource* GetSource() const { return FSource; }
  void SetSource(TDemoSource* Value) {
    if (FSource) FSource->RemoveFreeNotification(this);
    FSource = Value;
    if (Value) Value->FreeNotification(this);
  }
  void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == vcl::TOperation::opRemove && AComponent == FSource) FSource = nullptr;
  }

private:
  vcl::TComponent* FParent = nullptr;
  std::string FCaption;
  int FLeft = 0, FTop = 0;
  vcl::TColor FColor = DefaultColor;
  TAlignment FAlignment = TAlignment::taLeftJustify;
  std::unique_ptr<TDemoFont> FFont = std::make_unique<TDemoFont>();
  std::unique_ptr<vcl::TStringList> FItems = std::make_unique<vcl::TStringList>();
  TDemoSource* FSource = nullptr;
};

/// The form: its non-visual components first, then the controls placed on it.
class TDemoForm : public TDemoControl {
public:
  VCL_CLASS(TDemoForm)
  using TDemoControl::TDemoControl;
  bool HasParent() const override { return false; }
  void GetChildren(const std::function<void(vcl::TComponent*)>& Proc, vcl::TComponent* Root) const override {
    TComponent::GetChildren(Proc, Root);
    TDemoControl::GetChildren(Proc, Root);
  }
  void Loaded() override {
    TDemoControl::Loaded();
    std::printf("(%s loaded with %d components)\n", GetName().c_str(), GetComponentCount());
  }
};

}  // namespace demo

using namespace demo;

VCL_REGISTER_CLASS(TDemoFont, vcl::TPersistent) {
  b.Property("Name", &TDemoFont::GetName, &TDemoFont::SetName).Default(TDemoFont::DefaultName);
  b.Property("Size", &TDemoFont::GetSize, &TDemoFont::SetSize).Default(TDemoFont::DefaultSize);
  b.Property("Style", &TDemoFont::GetStyle, &TDemoFont::SetStyle).Default(TFontStyles{});
}
VCL_REGISTER_CLASS(TDemoSource, vcl::TComponent) {
  b.Property("Active", &TDemoSource::GetActive, &TDemoSource::SetActive).Default(false);
  b.Property("Rate", &TDemoSource::GetRate, &TDemoSource::SetRate).Default(0.0);
}
VCL_REGISTER_CLASS(TDemoControl, vcl::TComponent) {
  b.Property("Caption", &TDemoControl::GetCaption, &TDemoControl::SetCaption);
  b.Property("Left", &TDemoControl::GetLeft, &TDemoControl::SetLeft).Default(0);
  b.Property("Top", &TDemoControl::GetTop, &TDemoControl::SetTop).Default(0);
  b.Property("Color", &TDemoControl::GetColor, &TDemoControl::SetColor)
      .Type("TColor")
      .Default(TDemoControl::DefaultColor);
  b.Property("Alignment", &TDemoControl::GetAlignment, &TDemoControl::SetAlignment)
      .Default(TAlignment::taLeftJustify);
  b.Property("Font", &TDemoControl::GetFont, &TDemoControl::SetFont);
  b.Property("Items", &TDemoControl::GetItems, &TDemoControl::SetItems);
  b.Property("Source", &TDemoControl::GetSource, &TDemoControl::SetSource);
}
VCL_REGISTER_CLASS(TDemoForm, TDemoControl) {}

int main() {
  auto Form = std::make_unique<TDemoForm>(nullptr);
  Form->SetName("OrderForm");
  Form->SetCaption("Order entry");
  Form->SetColor(vcl::clWindow);

  auto* Source = new TDemoSource(Form.get());
  Source->SetName("Orders");
  Source->SetActive(true);
  Source->SetRate(0.075);

  auto* Panel = new TDemoControl(Form.get());
  Panel->SetName("Header");
  Panel->SetParentComponent(Form.get());
  Panel->SetCaption("Customer's order");
  Panel->SetAlignment(TAlignment::taCenter);
  Panel->GetFont()->SetName("Arial");
  Panel->GetFont()->SetStyle({TFontStyle::fsBold});

  auto* List = new TDemoControl(Form.get());
  List->SetName("Status");
  List->SetParentComponent(Panel);
  List->SetLeft(8);
  List->SetTop(24);
  List->GetItems()->SetText("open\nshipped\npaid\n");
  List->SetSource(Source);

  std::string Text = vcl::WriteComponentText(Form.get());
  std::printf("Written:\n%s\n", Text.c_str());

  std::unique_ptr<vcl::TComponent> Copy;
  try {
    Copy.reset(vcl::ReadComponentText(Text, nullptr));
  } catch (const vcl::EReadError& E) {
    std::fprintf(stderr, "reading failed: %s\n", E.what());
    return 1;
  }
  std::string Again = vcl::WriteComponentText(Copy.get());
  std::printf("Read back and written again:\n%s\n", Again.c_str());
  auto* CopiedList = dynamic_cast<TDemoControl*>(Copy->FindComponent("Status"));
  std::printf("Status.Source -> %s, items: %d\n",
              CopiedList && CopiedList->GetSource() ? CopiedList->GetSource()->GetName().c_str() : "(none)",
              CopiedList ? CopiedList->GetItems()->Count() : 0);
  if (Again != Text) {
    std::fprintf(stderr, "the copy differs from the original\n");
    return 1;
  }
  std::printf("The copy matches the original.\n");

  // Bad text is refused with the line it failed on, and nothing is left behind.
  try {
    vcl::ReadComponentText("object Broken: TDemoForm\n  Colour = clRed\nend\n", nullptr);
  } catch (const vcl::EReadError& E) {
    std::printf("Bad text: %s\n", E.what());
  }
  return 0;
}
