// The string edit: trimming and proper case on the way to the field, and the
// text views for programs.
#include <gtest/gtest.h>

#include <string>

#include "db_rt/ZYMQIXDbEdit.h"
#include "tests/db_rt/DbEditFixture.h"

namespace zymqix {
namespace {

using namespace vcl;

class TStringEditTest : public test::TDbEditFixture {};

TEST_F(TStringEditTest, TrimAndCaseOptionsShapeWhatIsStored) {
  struct TCase {
    const char* Name;
    bool TrimTrailing, TrimLeading, ProperAdjust;
    const char* Typed;
    const char* Stored;
  };
  const TCase Cases[] = {
      {"defaults", true, false, false, "  abc  ", "  abc"},
      {"no options", false, false, false, "  abc  ", "  abc  "},
      {"both ends", true, true, false, "  abc  ", "abc"},
      {"leading only", false, true, false, "  abc  ", "abc  "},
      {"blanks, trailing", true, false, false, "   ", ""},
      {"blanks, leading", false, true, false, "   ", ""},
      {"proper case", true, false, true, "john o'neil-SMITH", "John O'neil-Smith"},
      {"proper case after trimming", true, false, true, "  mary ann  ", "  Mary Ann"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto* E = MakeEdit<TZYMQIXDbEdit>("Name");
    E->SetTrimTrailing(C.TrimTrailing);
    E->SetTrimLeading(C.TrimLeading);
    E->SetProperAdjust(C.ProperAdjust);
    TabIn(E);
    Type(E, C.Typed);
    ASSERT_EQ(E->GetText(), C.Typed);
    Events.Clear();
    E->SetOnChange(Events.Notify("change"));
    TabOut(E);
    EXPECT_EQ(Field("Name")->GetAsString(), C.Stored);
    EXPECT_EQ(E->GetText(), C.Stored) << "the control shows what was stored";
    EXPECT_EQ(Events.Count("change"), std::string(C.Typed) == C.Stored ? 0 : 1);
    DataSet->Cancel();
    delete E;
  }
}

TEST_F(TStringEditTest, TrimsTrailingBlanksByDefaultAndAcceptsEveryPrintableCharacter) {
  auto* E = MakeEdit<TZYMQIXDbEdit>("Name");
  EXPECT_TRUE(E->GetTrimTrailing());
  EXPECT_FALSE(E->GetTrimLeading());
  EXPECT_FALSE(E->GetProperAdjust());
  TabIn(E);
  Type(E, "a~");
  SimulateKeyPress(E, '\xE9');
  EXPECT_EQ(E->GetText(), "a~\xE9");
  EXPECT_EQ(Host().BeepCount(), 0);
}

TEST_F(TStringEditTest, TextViewsAlwaysTrimBothEnds) {
  auto* E = MakeEdit<TZYMQIXDbEdit>("");
  E->SetText("  abc dEF  ");
  for (bool Leading : {false, true}) {
    E->SetTrimLeading(Leading);
    E->SetTrimTrailing(!Leading);
    EXPECT_EQ(E->TrimmedText(), "abc dEF");
    EXPECT_EQ(E->LowerText(), "abc def");
    EXPECT_EQ(E->UpperText(), "ABC DEF");
    EXPECT_EQ(E->ProperText(), "Abc Def");
  }
  EXPECT_EQ(E->GetText(), "  abc dEF  ") << "the views change nothing";
}

TEST_F(TStringEditTest, PublishesTheEditPropertiesWithTheirDefaults) {
  auto* E = MakeEdit<TZYMQIXDbEdit>("Name");
  const std::pair<const char*, const char*> Defaults[] = {
      {"TrimTrailing", "True"}, {"TrimLeading", "False"},   {"ProperAdjust", "False"}, {"AutoSelect", "True"},
      {"BorderStyle", "bsSingle"}, {"CharCase", "ecNormal"}, {"MaxLength", "0"},       {"TabStop", "True"},
      {"Flat", "False"},        {"FlatBorder", "2"},        {"AllowKbdNull", "True"},  {"ColorRO", "13417909"},
      {"ImeMode", "imDontCare"}, {"ImeName", ""},            {"OEMConvert", "False"},
  };
  for (auto [Name, Text] : Defaults) {
    const TPropInfo* P = GetPropInfo(E, Name);
    ASSERT_NE(P, nullptr) << Name;
    ASSERT_TRUE(P->Default.has_value()) << Name;
    EXPECT_EQ(PropValueToString(*P, *P->Default), Text) << Name;
  }
  for (const char* Event : {"OnChange", "OnKeyPress", "OnEnter", "OnExit", "OnNull", "OnMouseEnter", "OnStartDrag"})
    EXPECT_NE(GetPropInfo(E, Event), nullptr) << Event;
  EXPECT_EQ(GetPropInfo(E, "Color"), nullptr) << "the control sets its colour itself";
}

}  // namespace
}  // namespace zymqix
