#include "vcl/Streaming.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "vcl/Colors.h"

using namespace vcl;

// ---- a small form model: a font sub-object, items, controls that nest ----

enum class TTestAlign { taLeft, taRight, taCenter };
enum class TTestOption { toBold, toFramed, toWide };
using TTestOptions = TSet<TTestOption>;
VCL_ENUM_NAMES(TTestAlign, "taLeft", "taRight", "taCenter");
VCL_ENUM_NAMES(TTestOption, "toBold", "toFramed", "toWide");

namespace {

std::vector<std::string> Log;  // "Name.Prop" per setter call and "Loaded Name", in order
int LiveItems = 0;

class TTestFont : public TPersistent {
public:
  VCL_CLASS(TTestFont)
  static constexpr const char* DefaultName = "Tahoma";
  static constexpr int DefaultSize = 8;

  const std::string& GetName() const { return FName; }
  void SetName(const std::string& V) { FName = V; }
  int GetSize() const { return FSize; }
  void SetSize(int V) { FSize = V; }
  TTestOptions GetStyle() const { return FStyle; }
  void SetStyle(TTestOptions V) { FStyle = V; }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor V) { FColor = V; }

private:
  std::string FName = DefaultName;
  int FSize = DefaultSize;
  TTestOptions FStyle;
  TColor FColor = clWindowText;
};

class TTestItem : public TComponent {
public:
  VCL_CLASS(TTestItem)
  static constexpr int DefaultCount = 3;
  static constexpr bool DefaultEnabled = true;
  static constexpr TColor DefaultColor = clBtnFace;

  explicit TTestItem(TComponent* AOwner) : TComponent(AOwner) { ++LiveItems; }
  ~TTestItem() override { --LiveItems; }

  std::string GetCaption() const { return FCaption; }
  void SetCaption(const std::string& V) { Note("Caption"); FCaption = V; }
  int GetCount() const { return FCount; }
  void SetCount(int V) {
    if (V < 0) throw EConvertError("Count must not be negative");
    Note("Count");
    FCount = V;
  }
  Byte GetSmall() const { return FSmall; }
  void SetSmall(Byte V) { FSmall = V; }
  double GetRatio() const { return FRatio; }
  void SetRatio(double V) { FRatio = V; }
  Extended GetPrecise() const { return FPrecise; }
  void SetPrecise(Extended V) { FPrecise = V; }
  float GetSingle() const { return FSingle; }
  void SetSingle(float V) { FSingle = V; }
  Currency GetAmount() const { return FAmount; }
  void SetAmount(Currency V) { FAmount = V; }
  TTestAlign GetAlignment() const { return FAlignment; }
  void SetAlignment(TTestAlign V) { FAlignment = V; }
  TTestOptions GetOptions() const { return FOptions; }
  void SetOptions(TTestOptions V) { FOptions = V; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool V) { Note("Enabled"); FEnabled = V; }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor V) { FColor = V; }
  TTestFont* GetFont() const { return FFont.get(); }
  void SetFont(TTestFont* V) { *FFont = *V; }
  TStrings* GetItems() const { return FItems.get(); }
  void SetItems(TStrings* V) { FItems->Assign(V); }
  TTestItem* GetLink() const { return FLink; }
  void SetLink(TTestItem* V) {
    Note("Link");
    if (FLink) FLink->RemoveFreeNotification(this);
    FLink = V;
    if (V) V->FreeNotification(this);
  }
  std::string GetVersion() const { return "2.0.0"; }
  std::string GetNote() const { return FNote; }
  void SetNote(const std::string& V) { FNote = V; }
  bool IsNoteStored() const { return FCount > 5; }
  bool GetFailOnLoad() const { return FFailOnLoad; }
  void SetFailOnLoad(bool V) { FFailOnLoad = V; }
  TNotifyEvent GetOnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent V) { FOnClick = std::move(V); }

  void Loaded() override {
    TComponent::Loaded();
    ++LoadedCount;
    LinkAtLoaded = FLink;
    CaptionAtLoaded = FCaption;
    Log.push_back("Loaded " + GetName());
    if (FFailOnLoad) throw EInvalidOperation("cannot start");
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FLink) FLink = nullptr;
  }

  int LoadedCount = 0;
  TTestItem* LinkAtLoaded = nullptr;
  std::string CaptionAtLoaded;
  bool LoadingInSetters = true;  // stays True only if every setter ran in csLoading

protected:
  void Note(const char* Prop) {
    Log.push_back(GetName() + "." + Prop);
    if (!IsLoading()) LoadingInSetters = false;
  }

private:
  std::string FCaption;
  int FCount = DefaultCount;
  Byte FSmall = 0;
  double FRatio = 0;
  Extended FPrecise = 0;
  float FSingle = 0;
  Currency FAmount;
  TTestAlign FAlignment = TTestAlign::taLeft;
  TTestOptions FOptions;
  bool FEnabled = DefaultEnabled;
  TColor FColor = DefaultColor;
  std::unique_ptr<TTestFont> FFont = std::make_unique<TTestFont>();
  std::unique_ptr<TStringList> FItems = std::make_unique<TStringList>();
  TTestItem* FLink = nullptr;
  std::string FNote;
  bool FFailOnLoad = false;
  TNotifyEvent FOnClick;
};

/// A control: nested in the text inside its parent (a form or another control).
class TTestControl : public TTestItem {
public:
  VCL_CLASS(TTestControl)
  using TTestItem::TTestItem;
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return FParent; }
  void SetParentComponent(TComponent* Value) override { FParent = Value; }
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override {
    for (TComponent* C : Root->Components())
      if (C->GetParentComponent() == this) Proc(C);
  }
  int GetLeft() const { return FLeft; }
  void SetLeft(int V) { FLeft = V; }

private:
  TComponent* FParent = nullptr;
  int FLeft = 0;
};

class TTestForm : public TTestItem {
public:
  VCL_CLASS(TTestForm)
  using TTestItem::TTestItem;
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override {
    TComponent::GetChildren(Proc, Root);  // the non-visual ones first
    for (TComponent* C : Components())
      if (C->GetParentComponent() == this) Proc(C);
  }
};

/// Has no factory: it cannot be created from text.
class TTestAbstract : public TComponent {
public:
  VCL_CLASS(TTestAbstract)
  using TComponent::TComponent;
  virtual void Run() = 0;
};

}  // namespace

VCL_REGISTER_CLASS(TTestFont, TPersistent) {
  b.Property("Name", &TTestFont::GetName, &TTestFont::SetName).Default(TTestFont::DefaultName);
  b.Property("Size", &TTestFont::GetSize, &TTestFont::SetSize).Default(TTestFont::DefaultSize);
  b.Property("Style", &TTestFont::GetStyle, &TTestFont::SetStyle).Default(TTestOptions{});
  b.Property("Color", &TTestFont::GetColor, &TTestFont::SetColor).Type("TColor").Default(clWindowText);
}

VCL_REGISTER_CLASS(TTestItem, TComponent) {
  b.Property("Caption", &TTestItem::GetCaption, &TTestItem::SetCaption);
  b.Property("Count", &TTestItem::GetCount, &TTestItem::SetCount).Default(TTestItem::DefaultCount);
  b.Property("Small", &TTestItem::GetSmall, &TTestItem::SetSmall).Default(Byte{0});
  b.Property("Ratio", &TTestItem::GetRatio, &TTestItem::SetRatio).Default(0.0);
  b.Property("Precise", &TTestItem::GetPrecise, &TTestItem::SetPrecise).Default(Extended{0});
  b.Property("Single", &TTestItem::GetSingle, &TTestItem::SetSingle).Default(0.0f);
  b.Property("Amount", &TTestItem::GetAmount, &TTestItem::SetAmount).Default(Currency{});
  b.Property("Alignment", &TTestItem::GetAlignment, &TTestItem::SetAlignment).Default(TTestAlign::taLeft);
  b.Property("Options", &TTestItem::GetOptions, &TTestItem::SetOptions).Default(TTestOptions{});
  b.Property("Enabled", &TTestItem::GetEnabled, &TTestItem::SetEnabled).Default(TTestItem::DefaultEnabled);
  b.Property("Color", &TTestItem::GetColor, &TTestItem::SetColor).Type("TColor").Default(TTestItem::DefaultColor);
  b.Property("Font", &TTestItem::GetFont, &TTestItem::SetFont);
  b.Property("Items", &TTestItem::GetItems, &TTestItem::SetItems);
  b.Property("Link", &TTestItem::GetLink, &TTestItem::SetLink);
  b.Property("Version", &TTestItem::GetVersion, nullptr);
  b.Property("Note", &TTestItem::GetNote, &TTestItem::SetNote).Stored(&TTestItem::IsNoteStored);
  b.Property("FailOnLoad", &TTestItem::GetFailOnLoad, &TTestItem::SetFailOnLoad).Default(false);
  b.Event("OnClick", &TTestItem::GetOnClick, &TTestItem::SetOnClick);
}

VCL_REGISTER_CLASS(TTestControl, TTestItem) {
  b.Property("Left", &TTestControl::GetLeft, &TTestControl::SetLeft).Default(0);
}

VCL_REGISTER_CLASS(TTestForm, TTestItem) {}

VCL_REGISTER_CLASS(TTestAbstract, TComponent) {}

namespace {

template <class T>
T* Find(TComponent* Root, const char* Name) {
  auto* C = dynamic_cast<T*>(Root->FindComponent(Name));
  EXPECT_NE(C, nullptr) << Name;
  return C;
}

/// Form1 with a non-visual item, a panel holding a button, and references between them.
std::unique_ptr<TTestForm> BuildForm() {
  auto Form = std::make_unique<TTestForm>(nullptr);
  Form->SetName("Form1");
  Form->SetCaption("Orders");
  Form->SetColor(clWindow);

  auto* Source = new TTestItem(Form.get());
  Source->SetName("Source1");
  Source->SetCaption("");  // no declared default: written even when empty

  auto* Panel = new TTestControl(Form.get());
  Panel->SetName("Panel1");
  Panel->SetParentComponent(Form.get());
  Panel->SetCaption("It's a \"panel\"");
  Panel->SetAlignment(TTestAlign::taCenter);
  Panel->SetOptions({TTestOption::toBold, TTestOption::toWide});
  Panel->GetFont()->SetName("Arial");
  Panel->GetFont()->SetStyle({TTestOption::toFramed});
  Panel->GetFont()->SetColor(RGB(0x40, 0x80, 0xFF));
  Panel->GetItems()->Add("one");
  Panel->GetItems()->Add("it's two");
  Panel->SetLink(Source);

  auto* Button = new TTestControl(Form.get());
  Button->SetName("Button1");
  Button->SetParentComponent(Panel);
  Button->SetCaption("OK\r\nnow");
  Button->SetLeft(-8);
  Button->SetCount(0);
  Button->SetSmall(255);
  Button->SetEnabled(false);
  Button->SetRatio(0.1);
  Button->SetPrecise(1.0L / 3);
  Button->SetSingle(0.3f);
  Button->SetAmount(Currency::FromRaw(-123456789));
  Button->SetLink(Form.get());
  Button->SetOnClick([](TObject*) {});
  return Form;
}

const char* ExpectedText =
    "object Form1: TTestForm\n"
    "  Caption = 'Orders'\n"
    "  Color = clWindow\n"
    "  object Source1: TTestItem\n"
    "    Caption = ''\n"
    "  end\n"
    "  object Panel1: TTestControl\n"
    "    Caption = 'It''s a \"panel\"'\n"
    "    Alignment = taCenter\n"
    "    Options = [toBold, toWide]\n"
    "    Font.Name = 'Arial'\n"
    "    Font.Style = [toFramed]\n"
    "    Font.Color = $00FF8040\n"
    "    Items.Strings = ( 'one' 'it''s two' )\n"
    "    Link = Source1\n"
    "    object Button1: TTestControl\n"
    "      Caption = 'OK'#13#10'now'\n"
    "      Count = 0\n"
    "      Small = 255\n"
    "      Ratio = 0.1\n"
    "      Precise = 0.33333333333333333334\n"
    "      Single = 0.3\n"
    "      Amount = -12345.6789\n"
    "      Enabled = False\n"
    "      Link = Form1\n"
    "      Left = -8\n"
    "    end\n"
    "  end\n"
    "end\n";

class StreamingTest : public ::testing::Test {
protected:
  void SetUp() override {
    Log.clear();
    LiveBefore = LiveItems;
  }
  void TearDown() override { EXPECT_EQ(LiveItems, LiveBefore) << "components left behind"; }
  int LiveBefore = 0;
};

}  // namespace

// ---- writing ----

TEST_F(StreamingTest, WritesEveryNonDefaultPropertyAndNoDefaultOne) {
  auto Form = BuildForm();
  EXPECT_EQ(WriteComponentText(Form.get()), ExpectedText);
}

TEST_F(StreamingTest, StoredPredicateDecidesWhetherAPropertyIsWritten) {
  TTestItem Item(nullptr);
  Item.SetName("Item1");
  Item.SetCaption("x");
  Item.SetNote("kept");
  EXPECT_EQ(WriteComponentText(&Item).find("Note"), std::string::npos) << "not stored while Count <= 5";
  Item.SetCount(6);
  EXPECT_NE(WriteComponentText(&Item).find("  Note = 'kept'\n"), std::string::npos);
}

TEST_F(StreamingTest, ReferencesOutsideTheFormAreWrittenWithTheirOwner) {
  TComponent App(nullptr);
  auto* Module = new TComponent(&App);
  Module->SetName("Module1");
  auto* Shared = new TTestItem(Module);
  Shared->SetName("Shared");
  auto* Form = new TTestForm(&App);
  Form->SetName("Form1");
  Form->SetLink(Shared);
  auto* Unnamed = new TTestItem(Form);
  auto* Holder = new TTestItem(Form);
  Holder->SetName("Holder");
  Holder->SetLink(Unnamed);

  std::string Text = WriteComponentText(Form);
  EXPECT_NE(Text.find("  Link = Module1.Shared\n"), std::string::npos) << Text;
  EXPECT_NE(Text.find("  object TTestItem\n"), std::string::npos) << "an unnamed component is written by class";
  EXPECT_EQ(Text.find("    Link ="), std::string::npos) << "an unnamed component cannot be referred to";

  delete Form;
  TComponent* Copy = ReadComponentText(Text, &App);
  EXPECT_EQ(static_cast<TTestForm*>(Copy)->GetLink(), Shared);
  EXPECT_EQ(Copy->GetOwner(), &App);
}

// ---- reading ----

TEST_F(StreamingTest, RoundTripRebuildsTheSameForm) {
  std::unique_ptr<TComponent> Copy;
  {
    auto Form = BuildForm();
    Copy.reset(ReadComponentText(WriteComponentText(Form.get()), nullptr));
  }
  ASSERT_NE(Copy, nullptr);
  EXPECT_EQ(WriteComponentText(Copy.get()), ExpectedText);

  auto* Form = dynamic_cast<TTestForm*>(Copy.get());
  ASSERT_NE(Form, nullptr);
  EXPECT_EQ(Form->GetName(), "Form1");
  EXPECT_EQ(Form->GetComponentCount(), 3) << "every nested component belongs to the root";
  auto* Source = Find<TTestItem>(Form, "Source1");
  auto* Panel = Find<TTestControl>(Form, "Panel1");
  auto* Button = Find<TTestControl>(Form, "Button1");
  ASSERT_TRUE(Source && Panel && Button);
  EXPECT_EQ(Panel->GetParentComponent(), Form);
  EXPECT_EQ(Button->GetParentComponent(), Panel);
  EXPECT_EQ(Panel->GetCaption(), "It's a \"panel\"");
  EXPECT_EQ(Panel->GetOptions(), (TTestOptions{TTestOption::toBold, TTestOption::toWide}));
  EXPECT_EQ(Panel->GetFont()->GetName(), "Arial");
  EXPECT_EQ(Panel->GetFont()->GetColor(), RGB(0x40, 0x80, 0xFF));
  EXPECT_EQ(Panel->GetItems()->GetText(), "one\nit's two\n");
  EXPECT_EQ(Panel->GetLink(), Source) << "references point into the new form";
  EXPECT_EQ(Button->GetLink(), Form);
  EXPECT_EQ(Button->GetCaption(), "OK\r\nnow");
  EXPECT_EQ(Button->GetLeft(), -8);
  EXPECT_EQ(Button->GetAmount().Raw, -123456789);
  EXPECT_FALSE(Button->GetOnClick()) << "events are not streamed";
}

TEST_F(StreamingTest, FloatsReadBackBitForBit) {
  const double Doubles[] = {0.1, 1.0 / 3, -2.5e-300, DBL_MAX, DBL_MIN, 5e-324, 123456789.125};
  const float Singles[] = {0.1f, FLT_MAX, 1e-45f, 16777217.0f};
  const Extended Extendeds[] = {1.0L / 3, LDBL_MAX, -LDBL_MIN, 0.1L};
  for (double D : Doubles)
    for (float F : Singles)
      for (Extended E : Extendeds) {
        TTestItem Item(nullptr);
        Item.SetName("Item1");
        Item.SetRatio(D);
        Item.SetSingle(F);
        Item.SetPrecise(E);
        std::string Text = WriteComponentText(&Item);
        std::unique_ptr<TComponent> Copy(ReadComponentText(Text, nullptr));
        auto* C = static_cast<TTestItem*>(Copy.get());
        double D2 = C->GetRatio();
        float F2 = C->GetSingle();
        Extended E2 = C->GetPrecise();
        EXPECT_EQ(std::memcmp(&D, &D2, sizeof D), 0) << Text;
        EXPECT_EQ(std::memcmp(&F, &F2, sizeof F), 0) << Text;
        EXPECT_EQ(E, E2) << Text;
      }
}

TEST_F(StreamingTest, NonFiniteFloatsRoundTrip) {
  TTestItem Item(nullptr);
  Item.SetRatio(std::numeric_limits<double>::infinity());
  Item.SetPrecise(-std::numeric_limits<Extended>::infinity());
  Item.SetSingle(std::numeric_limits<float>::quiet_NaN());
  std::unique_ptr<TComponent> Copy(ReadComponentText(WriteComponentText(&Item), nullptr));
  auto* C = static_cast<TTestItem*>(Copy.get());
  EXPECT_EQ(C->GetRatio(), std::numeric_limits<double>::infinity());
  EXPECT_EQ(C->GetPrecise(), -std::numeric_limits<Extended>::infinity());
  EXPECT_TRUE(std::isnan(C->GetSingle()));
}

TEST_F(StreamingTest, ReadsHandWrittenTextLeniently) {
  // Keywords and names in any case, values split over lines, '+' joining strings.
  const char* Text =
      "OBJECT Item1: ttestitem\n"
      "  caption = 'first ' +\n"
      "    'second'#33\n"
      "  ITEMS.STRINGS = (\n"
      "    'a'\n"
      "    'b')\n"
      "  Color = clRed\n"
      "  Font.Color = 255\n"
      "  Options = [ ]\n"
      "  Alignment = 2\n"
      "  Small = $FF\n"
      "  Ratio = -1E-3\n"
      "  Link = nil\n"
      "End\n";
  std::unique_ptr<TComponent> Copy(ReadComponentText(Text, nullptr));
  auto* C = static_cast<TTestItem*>(Copy.get());
  EXPECT_EQ(C->GetCaption(), "first second!");
  EXPECT_EQ(C->GetItems()->Count(), 2);
  EXPECT_EQ(C->GetColor(), clRed);
  EXPECT_EQ(C->GetFont()->GetColor(), clRed);
  EXPECT_EQ(C->GetAlignment(), TTestAlign::taCenter);
  EXPECT_EQ(C->GetSmall(), 255);
  EXPECT_EQ(C->GetRatio(), -0.001);
}

TEST_F(StreamingTest, ReferencesResolveAfterTheWholeTextIsRead) {
  // Item1 names Item3 before Item3 exists; Item3 names the root.
  const char* Text =
      "object Form1: TTestForm\n"
      "  Link = Item3\n"
      "  object Item1: TTestItem\n"
      "    Link = Item3\n"
      "  end\n"
      "  object Item3: TTestItem\n"
      "    Link = Form1\n"
      "  end\n"
      "end\n";
  std::unique_ptr<TComponent> Form(ReadComponentText(Text, nullptr));
  auto* Item1 = Find<TTestItem>(Form.get(), "Item1");
  auto* Item3 = Find<TTestItem>(Form.get(), "Item3");
  EXPECT_EQ(static_cast<TTestForm*>(Form.get())->GetLink(), Item3);
  EXPECT_EQ(Item1->GetLink(), Item3);
  EXPECT_EQ(Item3->GetLink(), Form.get());
  // The resolved references are live: deleting the target clears them.
  delete Item3;
  EXPECT_EQ(Item1->GetLink(), nullptr);
}

TEST_F(StreamingTest, LoadedRunsOnceOnEveryComponentAfterAllPropertiesAndReferences) {
  const char* Text =
      "object Form1: TTestForm\n"
      "  Caption = 'f'\n"
      "  object Item1: TTestItem\n"
      "    Link = Item2\n"
      "    Caption = 'one'\n"
      "  end\n"
      "  object Item2: TTestItem\n"
      "    Enabled = False\n"
      "    Caption = 'two'\n"
      "  end\n"
      "end\n";
  std::unique_ptr<TComponent> Form(ReadComponentText(Text, nullptr));
  auto* Root = static_cast<TTestForm*>(Form.get());
  auto* Item1 = Find<TTestItem>(Root, "Item1");
  auto* Item2 = Find<TTestItem>(Root, "Item2");
  for (TTestItem* C : {static_cast<TTestItem*>(Root), Item1, Item2}) {
    EXPECT_EQ(C->LoadedCount, 1) << C->GetName();
    EXPECT_TRUE(C->LoadingInSetters) << C->GetName() << ": a setter ran outside csLoading";
    EXPECT_FALSE(C->IsLoading()) << C->GetName();
  }
  EXPECT_EQ(Item1->LinkAtLoaded, Item2);
  EXPECT_EQ(Item1->CaptionAtLoaded, "one");
  EXPECT_EQ(Item2->CaptionAtLoaded, "two");
  // Setters in file order; references last; then Loaded, root first.
  std::vector<std::string> Expected = {"Form1.Caption", "Item1.Caption", "Item2.Enabled", "Item2.Caption",
                                       "Item1.Link",    "Loaded Form1",  "Loaded Item1",  "Loaded Item2"};
  EXPECT_EQ(Log, Expected);
}

TEST_F(StreamingTest, TheRootBelongsToTheGivenOwner) {
  TComponent Owner(nullptr);
  TComponent* Form = ReadComponentText("object Form1: TTestForm\nend\n", &Owner);
  EXPECT_EQ(Form->GetOwner(), &Owner);
  EXPECT_EQ(Owner.FindComponent("Form1"), Form);
  // A second copy under the same name is refused and leaves nothing behind.
  EXPECT_THROW(ReadComponentText("object Form1: TTestForm\n  object Item1: TTestItem\n  end\nend\n", &Owner),
               EReadError);
  EXPECT_EQ(Owner.GetComponentCount(), 1);
}

// ---- errors ----

struct BadText {
  const char* Name;
  const char* Text;
  const char* Message;  // the exact EReadError message
};

void PrintTo(const BadText& C, std::ostream* Os) { *Os << C.Name; }

class ReadErrors : public StreamingTest, public ::testing::WithParamInterface<BadText> {};

TEST_P(ReadErrors, RaiseNamingTheLineAndLeaveNothingBehind) {
  const BadText& C = GetParam();
  TComponent Owner(nullptr);
  try {
    ReadComponentText(C.Text, &Owner);
    FAIL() << "no error for " << C.Name;
  } catch (const EReadError& E) {
    EXPECT_EQ(std::string(E.what()), C.Message);
  }
  EXPECT_EQ(Owner.GetComponentCount(), 0);
}

// Every text starts "object Form1: TTestForm" on line 1 unless the case is about that line.
INSTANTIATE_TEST_SUITE_P(
    Cases, ReadErrors,
    ::testing::Values(
        BadText{"Empty", "", "Line 1: 'object' expected"},
        BadText{"NotAnObject", "form Form1: TTestForm\nend\n", "Line 1: 'object' expected"},
        BadText{"UnknownRootClass", "object Form1: TNoSuchForm\nend\n", "Line 1: Class TNoSuchForm not found"},
        BadText{"UnknownChildClass", "object Form1: TTestForm\n  Caption = 'x'\n  object X: TNoSuch\n  end\nend\n",
                "Line 3: Class TNoSuch not found"},
        BadText{"AbstractClass", "object Form1: TTestForm\n  object X: TTestAbstract\n  end\nend\n",
                "Line 2: Cannot create an instance of class TTestAbstract"},
        BadText{"UnknownProperty", "object Form1: TTestForm\n  object Item1: TTestItem\n    Bogus = 1\n  end\nend\n",
                "Line 3: Error reading Item1.Bogus: Property Bogus does not exist"},
        BadText{"UnknownSubProperty", "object Form1: TTestForm\n  Font.Bogus = 1\nend\n",
                "Line 2: Error reading Form1.Font.Bogus: Property Bogus does not exist"},
        BadText{"NotASubObject", "object Form1: TTestForm\n  Caption.Size = 1\nend\n",
                "Line 2: Error reading Form1.Caption.Size: Property Caption has no sub-properties"},
        BadText{"WrongValueKind", "object Form1: TTestForm\n  Count = 'x'\nend\n",
                "Line 2: Error reading Form1.Count: Invalid property value"},
        BadText{"OutOfRange", "object Form1: TTestForm\n  Small = 256\nend\n",
                "Line 2: Error reading Form1.Small: 256 is out of range (0..255)"},
        BadText{"UnknownEnum", "object Form1: TTestForm\n  Alignment = taNowhere\nend\n",
                "Line 2: Error reading Form1.Alignment: Invalid property value"},
        BadText{"UnknownSetElement", "object Form1: TTestForm\n  Options = [toBold, toNone]\nend\n",
                "Line 2: Error reading Form1.Options: Invalid property value"},
        BadText{"BadBoolean", "object Form1: TTestForm\n  Enabled = Yes\nend\n",
                "Line 2: Error reading Form1.Enabled: Invalid property value"},
        BadText{"BadColour", "object Form1: TTestForm\n  Color = clNoSuchColour\nend\n",
                "Line 2: Error reading Form1.Color: Invalid property value"},
        BadText{"SetterRefuses", "object Form1: TTestForm\n\n  Count = -1\nend\n",
                "Line 3: Error reading Form1.Count: Count must not be negative"},
        BadText{"ReadOnly", "object Form1: TTestForm\n  Version = '9'\nend\n",
                "Line 2: Error reading Form1.Version: Property Version is read-only"},
        BadText{"Event", "object Form1: TTestForm\n  OnClick = Form1Click\nend\n",
                "Line 2: Error reading Form1.OnClick: Event handlers cannot be read from text"},
        BadText{"WholeSubObject", "object Form1: TTestForm\n  Font = 'Arial'\nend\n",
                "Line 2: Error reading Form1.Font: Invalid property value"},
        BadText{"DanglingReference",
                "object Form1: TTestForm\n  object Item1: TTestItem\n    Caption = 'a'\n    Link = Nobody\n  end\nend\n",
                "Line 4: Error reading Item1.Link: Unknown component 'Nobody'"},
        BadText{"ReferenceOfWrongClass", "object Form1: TTestForm\n  object Item1: TComponent\n  end\n  Link = Item1\nend\n",
                "Line 4: Error reading Form1.Link: Invalid property value: TTestItem expected"},
        BadText{"DuplicateName",
                "object Form1: TTestForm\n  object Item1: TTestItem\n  end\n  object Item1: TTestItem\n  end\nend\n",
                "Line 4: Error creating Item1: A component named Item1 already exists"},
        BadText{"BadName", "object Form1: TTestForm\n  object 1x: TTestItem\n  end\nend\n",
                "Line 2: Invalid number"},
        BadText{"MissingEquals", "object Form1: TTestForm\n  Caption 'x'\nend\n", "Line 2: '=' expected"},
        BadText{"MissingValue", "object Form1: TTestForm\n  Caption =\nend\n",
                "Line 2: Error reading Form1.Caption: Invalid property value"},
        BadText{"UnterminatedString", "object Form1: TTestForm\n  Caption = 'x\nend\n", "Line 2: Unterminated string"},
        BadText{"UnclosedSet", "object Form1: TTestForm\n  Options = [toBold\nend\n", "Line 3: ',' or ']' expected"},
        BadText{"UnclosedList", "object Form1: TTestForm\n  Items.Strings = ( 'a'\nend\n",
                "Line 3: String or ')' expected"},
        BadText{"StrayCharacter", "object Form1: TTestForm\n  Caption = 'x' ;\nend\n", "Line 2: Invalid character ';'"},
        BadText{"MissingEnd", "object Form1: TTestForm\n  object Item1: TTestItem\n    Caption = 'x'\n",
                "Line 4: 'end' expected for Item1"},
        BadText{"TextAfterTheRoot", "object Form1: TTestForm\nend\nobject Form2: TTestForm\nend\n",
                "Line 3: End of text expected after the last 'end'"},
        BadText{"LoadedFails", "object Form1: TTestForm\n  object Item1: TTestItem\n    FailOnLoad = True\n  end\nend\n",
                "Error loading Item1: cannot start"}),
    [](const ::testing::TestParamInfo<BadText>& I) { return std::string(I.param.Name); });
