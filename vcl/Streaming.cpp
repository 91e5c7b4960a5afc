#include "vcl/Streaming.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <set>

#include "vcl/Colors.h"

namespace vcl {

namespace {

// Sub-objects nest (a font inside a border inside a control); a getter that hands
// back an object already on the way would otherwise recurse for ever.
constexpr int MaxSubObjectDepth = 16;

bool IsColor(const TPropInfo& P) { return P.TypeName == "TColor"; }

// ---- writing ----

std::string QuoteString(const std::string& S) {
  if (S.empty()) return "''";
  std::string R;
  bool InQuotes = false;
  for (char C : S) {
    unsigned char U = static_cast<unsigned char>(C);
    if (U < ' ' || U == 127) {
      if (InQuotes) R += '\'';
      InQuotes = false;
      R += '#' + std::to_string(U);
      continue;
    }
    if (!InQuotes) R += '\'';
    InQuotes = true;
    if (C == '\'') R += '\'';
    R += C;
  }
  if (InQuotes) R += '\'';
  return R;
}

template <class F>
std::string ShortestText(F V) {
  char Buf[64];
  auto R = std::to_chars(Buf, Buf + sizeof Buf, V);
  return std::string(Buf, R.ptr);
}

std::string FloatText(const TPropInfo& P, long double V) {
  if (std::isnan(V)) return "NAN";
  if (std::isinf(V)) return V > 0 ? "INF" : "-INF";
  // The shortest text that reads back to the same value of the property's own type.
  if (P.TypeName == "Single") return ShortestText(static_cast<float>(V));
  if (P.TypeName == "Double") return ShortestText(static_cast<double>(V));
  return ShortestText(V);
}

/// The name path by which the reader finds Target again: relative to Root when Target
/// lies inside it, else from the topmost named owner. "" when Target has no usable name.
std::string ComponentPath(const TComponent* Target, const TComponent* Root) {
  if (Target == Root) return Root->GetName();
  std::vector<std::string> Parts;
  const TComponent* C = Target;
  while (C && C != Root && !C->GetName().empty()) {
    Parts.push_back(C->GetName());
    C = C->GetOwner();
  }
  if (Parts.empty()) return "";
  if (C && C != Root)
    for (const TComponent* X = C; X; X = X->GetOwner())
      if (X == Root) return "";  // an unnamed component inside the form hides the path
  std::string R;
  for (auto It = Parts.rbegin(); It != Parts.rend(); ++It) R += (R.empty() ? "" : ".") + *It;
  return R;
}

class TTextWriter {
public:
  explicit TTextWriter(TComponent* Root) : Root(Root) {}

  void WriteObject(TComponent* C, int Indent) {
    // A GetChildren hook that lists a component twice must not write it twice.
    if (!Written.insert(C).second) return;
    std::string Pad(static_cast<size_t>(Indent) * 2, ' ');
    Out += Pad + "object ";
    Out += C->GetName().empty() ? C->ClassName() : C->GetName() + ": " + C->ClassName();
    Out += '\n';
    WriteProperties(C, "", Indent + 1, 0);
    C->GetChildren([&](TComponent* Child) { WriteObject(Child, Indent + 1); }, Root);
    Out += Pad + "end\n";
  }

  std::string Out;

private:
  void WriteProperties(TObject* Obj, const std::string& Prefix, int Indent, int Depth) {
    std::string Pad(static_cast<size_t>(Indent) * 2, ' ');
    if (auto* List = dynamic_cast<TStrings*>(Obj); List && !Prefix.empty() && List->Count() > 0) {
      Out += Pad + Prefix + "Strings = (";
      for (int I = 0; I < List->Count(); ++I) Out += ' ' + QuoteString(List->Get(I));
      Out += " )\n";
    }
    for (const TPropInfo* P : Obj->ClassInfo()->Properties()) {
      if (P->Kind == TTypeKind::tkMethod || !P->Getter || !P->IsStored(Obj)) continue;
      if (P->Kind == TTypeKind::tkClass && P->OwnedObject) {
        TPropValue V = P->Getter(Obj);
        auto* Sub = std::get_if<TObject*>(&V);
        if (Sub && *Sub && Depth < MaxSubObjectDepth) WriteProperties(*Sub, Prefix + P->Name + ".", Indent, Depth + 1);
        continue;
      }
      if (P->IsReadOnly() || P->IsDefault(Obj)) continue;
      std::string Text = ValueText(*P, P->Getter(Obj));
      if (Text.empty()) continue;
      Out += Pad + Prefix + P->Name + " = " + Text + '\n';
    }
  }

  std::string ValueText(const TPropInfo& P, const TPropValue& V) {
    switch (P.Kind) {
      case TTypeKind::tkInteger:
        if (IsColor(P)) return ColorToString(static_cast<TColor>(detail::PropToInt(V)));
        return IntToStr(detail::PropToInt(V));
      case TTypeKind::tkSet: {
        uint64_t Mask = static_cast<uint64_t>(detail::PropToInt(V));
        std::string S;
        for (size_t I = 0; I < P.EnumNames.size() && I < 64; ++I)
          if (Mask & (uint64_t{1} << I)) S += (S.empty() ? "" : ", ") + P.EnumNames[I];
        return "[" + S + "]";
      }
      case TTypeKind::tkFloat:
        return FloatText(P, detail::PropToFloat(V));
      case TTypeKind::tkString:
        return QuoteString(std::get_if<std::string>(&V) ? std::get<std::string>(V) : std::string());
      case TTypeKind::tkClass: {
        // nil is every reference's implicit default; a component without a name
        // cannot be referred to in text and is left out.
        auto* O = std::get_if<TObject*>(&V);
        auto* C = O ? dynamic_cast<TComponent*>(*O) : nullptr;
        return C ? ComponentPath(C, Root) : "";
      }
      default:
        return PropValueToString(P, V);
    }
  }

  TComponent* Root;
  std::set<const TComponent*> Written;
};

// ---- reading ----

enum class TTok { End, Ident, Integer, Float, String, Symbol };

struct TToken {
  TTok Kind = TTok::End;
  std::string Text;  ///< for strings: the decoded value
  int Line = 1;
};

[[noreturn]] void Fail(int Line, const std::string& Msg) { throw EReadError("Line " + std::to_string(Line) + ": " + Msg); }

bool IsIdentStart(char C) { return std::isalpha(static_cast<unsigned char>(C)) || C == '_'; }
bool IsIdentChar(char C) { return std::isalnum(static_cast<unsigned char>(C)) || C == '_'; }
bool IsDigit(char C) { return C >= '0' && C <= '9'; }

std::vector<TToken> Tokenize(const std::string& S) {
  std::vector<TToken> R;
  int Line = 1;
  size_t I = 0;
  while (true) {
    while (I < S.size() && static_cast<unsigned char>(S[I]) <= ' ') {
      if (S[I] == '\n') ++Line;
      ++I;
    }
    TToken T;
    T.Line = Line;
    if (I >= S.size()) {
      R.push_back(T);
      return R;
    }
    char C = S[I];
    if (IsIdentStart(C)) {
      size_t Start = I;
      while (I < S.size() && (IsIdentChar(S[I]) || (S[I] == '.' && I + 1 < S.size() && IsIdentStart(S[I + 1])))) ++I;
      T.Kind = TTok::Ident;
      T.Text = S.substr(Start, I - Start);
    } else if (IsDigit(C)) {
      size_t Start = I;
      T.Kind = TTok::Integer;
      while (I < S.size() && IsDigit(S[I])) ++I;
      if (I < S.size() && S[I] == '.') {
        T.Kind = TTok::Float;
        ++I;
        while (I < S.size() && IsDigit(S[I])) ++I;
      }
      if (I < S.size() && (S[I] == 'e' || S[I] == 'E')) {
        T.Kind = TTok::Float;
        ++I;
        if (I < S.size() && (S[I] == '+' || S[I] == '-')) ++I;
        if (I >= S.size() || !IsDigit(S[I])) Fail(Line, "Invalid number");
        while (I < S.size() && IsDigit(S[I])) ++I;
      }
      if (I < S.size() && IsIdentChar(S[I])) Fail(Line, "Invalid number");
      T.Text = S.substr(Start, I - Start);
    } else if (C == '$') {
      size_t Start = I++;
      while (I < S.size() && std::isxdigit(static_cast<unsigned char>(S[I]))) ++I;
      if (I == Start + 1 || (I < S.size() && IsIdentChar(S[I]))) Fail(Line, "Invalid number");
      T.Kind = TTok::Integer;
      T.Text = S.substr(Start, I - Start);
    } else if (C == '\'' || C == '#') {
      // Quoted runs and #n character codes, written next to each other, make one string.
      T.Kind = TTok::String;
      while (I < S.size() && (S[I] == '\'' || S[I] == '#')) {
        if (S[I] == '#') {
          size_t Start = ++I;
          while (I < S.size() && IsDigit(S[I])) ++I;
          if (I == Start || I - Start > 3) Fail(Line, "Invalid character code");
          int Code = std::stoi(S.substr(Start, I - Start));
          if (Code > 255) Fail(Line, "Invalid character code");
          T.Text += static_cast<char>(Code);
          continue;
        }
        ++I;
        while (true) {
          if (I >= S.size() || S[I] == '\n' || S[I] == '\r') Fail(Line, "Unterminated string");
          if (S[I] == '\'') {
            if (I + 1 < S.size() && S[I + 1] == '\'') {
              T.Text += '\'';
              I += 2;
              continue;
            }
            ++I;
            break;
          }
          T.Text += S[I++];
        }
      }
    } else if (std::string("=:[](),+-").find(C) != std::string::npos) {
      T.Kind = TTok::Symbol;
      T.Text = std::string(1, C);
      ++I;
    } else {
      Fail(Line, std::string("Invalid character '") + C + "'");
    }
    R.push_back(std::move(T));
  }
}

/// A property value as read, before it is given to the property.
struct TRawValue {
  enum { Ident, Integer, Float, String, Set, List } Kind = Ident;
  std::string Text;               ///< identifier, number (with its sign) or string
  std::vector<std::string> Items;  ///< set element names or list strings
  int Line = 1;
};

template <class F>
bool ParseAs(const std::string& Text, long double& Out) {
  F V{};
  const char* B = Text.data();
  const char* E = B + Text.size();
  auto R = std::from_chars(B, E, V);
  if (R.ec != std::errc() || R.ptr != E) return false;
  Out = static_cast<long double>(V);
  return true;
}

class TTextReader {
public:
  TTextReader(const std::string& Text, TComponent* Owner) : Tokens(Tokenize(Text)), Owner(Owner) {}

  TComponent* Read() {
    try {
      ReadObject(nullptr);
      if (Peek().Kind != TTok::End) Fail(Peek().Line, "End of text expected after the last 'end'");
      ResolveReferences();
      for (TComponent* C : Created) {
        LoadingName = C->GetName().empty() ? C->ClassName() : C->GetName();
        C->Loaded();
        C->SetLoading(false);
      }
    } catch (const EReadError&) {
      delete Root;
      throw;
    } catch (const std::exception& E) {
      // Loaded is the only step that runs outside a line's own error handling.
      delete Root;
      throw EReadError("Error loading " + LoadingName + ": " + E.what());
    }
    return Root;
  }

private:
  const TToken& Peek() const { return Tokens[Pos]; }
  const TToken& Next() {
    const TToken& T = Tokens[Pos];
    if (T.Kind != TTok::End) ++Pos;
    return T;
  }
  bool IsKeyword(const TToken& T, const char* Word) const { return T.Kind == TTok::Ident && SameText(T.Text, Word); }
  void ExpectSymbol(char C) {
    const TToken& T = Next();
    if (T.Kind != TTok::Symbol || T.Text[0] != C) Fail(T.Line, std::string("'") + C + "' expected");
  }

  TComponent* ReadObject(TComponent* Enclosing) {
    const TToken& Head = Next();
    if (!IsKeyword(Head, "object")) Fail(Head.Line, "'object' expected");
    const TToken& First = Next();
    if (First.Kind != TTok::Ident || First.Text.find('.') != std::string::npos) Fail(First.Line, "Component name expected");
    std::string Name, ClassName = First.Text;
    if (Peek().Kind == TTok::Symbol && Peek().Text == ":") {
      Next();
      const TToken& Cls = Next();
      if (Cls.Kind != TTok::Ident) Fail(Cls.Line, "Class name expected");
      Name = First.Text;
      ClassName = Cls.Text;
    }
    const int Line = Head.Line;
    const TClassInfo* Info = FindClass(ClassName);
    if (!Info) Fail(Line, "Class " + ClassName + " not found");
    if (!Info->Factory) Fail(Line, "Cannot create an instance of class " + ClassName);

    TComponent* C = nullptr;
    Guard(Line, "Error creating " + (Name.empty() ? ClassName : Name), [&] {
      C = Info->Factory(Enclosing ? Root : Owner);
      if (!Root) Root = C;
      Created.push_back(C);
      C->SetLoading(true);
      C->SetName(Name);
      if (Enclosing) C->SetParentComponent(Enclosing);
    });

    while (true) {
      const TToken& T = Peek();
      if (T.Kind == TTok::End) Fail(T.Line, "'end' expected for " + (Name.empty() ? ClassName : Name));
      if (IsKeyword(T, "end")) {
        Next();
        break;
      }
      if (IsKeyword(T, "object")) {
        ReadObject(C);
        continue;
      }
      ReadProperty(C);
    }
    return C;
  }

  void ReadProperty(TComponent* C) {
    const TToken& PathTok = Next();
    if (PathTok.Kind != TTok::Ident) Fail(PathTok.Line, "Property name expected");
    const std::string Path = PathTok.Text;
    ExpectSymbol('=');
    TRawValue V = ReadValue();
    V.Line = PathTok.Line;
    const std::string Context = "Error reading " + (C->GetName().empty() ? C->ClassName() : C->GetName()) + "." + Path;
    Guard(V.Line, Context, [&] { Assign(C, Path, V, Context); });
  }

  TRawValue ReadValue() {
    TRawValue V;
    const TToken& T = Next();
    V.Line = T.Line;
    if (T.Kind == TTok::Symbol && (T.Text == "-" || T.Text == "+")) {
      const TToken& N = Next();
      if (N.Kind == TTok::Integer || N.Kind == TTok::Float) {
        V.Kind = N.Kind == TTok::Integer ? TRawValue::Integer : TRawValue::Float;
        V.Text = (T.Text == "-" ? "-" : "") + N.Text;
        return V;
      }
      if (N.Kind == TTok::Ident && SameText(N.Text, "INF")) {
        V.Kind = TRawValue::Ident;
        V.Text = T.Text + N.Text;
        return V;
      }
      Fail(N.Line, "Number expected");
    }
    switch (T.Kind) {
      case TTok::Ident:
        V.Kind = TRawValue::Ident;
        V.Text = T.Text;
        return V;
      case TTok::Integer:
        V.Kind = TRawValue::Integer;
        V.Text = T.Text;
        return V;
      case TTok::Float:
        V.Kind = TRawValue::Float;
        V.Text = T.Text;
        return V;
      case TTok::String:
        V.Kind = TRawValue::String;
        V.Text = T.Text;
        // 'long ' + 'text' continues a string over several lines.
        while (Peek().Kind == TTok::Symbol && Peek().Text == "+") {
          Next();
          const TToken& More = Next();
          if (More.Kind != TTok::String) Fail(More.Line, "String expected after '+'");
          V.Text += More.Text;
        }
        return V;
      case TTok::Symbol:
        if (T.Text == "[") {
          V.Kind = TRawValue::Set;
          if (Peek().Kind == TTok::Symbol && Peek().Text == "]") {
            Next();
            return V;
          }
          while (true) {
            const TToken& E = Next();
            if (E.Kind != TTok::Ident) Fail(E.Line, "Set element expected");
            V.Items.push_back(E.Text);
            const TToken& Sep = Next();
            if (Sep.Kind == TTok::Symbol && Sep.Text == "]") return V;
            if (Sep.Kind != TTok::Symbol || Sep.Text != ",") Fail(Sep.Line, "',' or ']' expected");
          }
        }
        if (T.Text == "(") {
          V.Kind = TRawValue::List;
          while (true) {
            const TToken& E = Next();
            if (E.Kind == TTok::Symbol && E.Text == ")") return V;
            if (E.Kind != TTok::String) Fail(E.Line, "String or ')' expected");
            V.Items.push_back(E.Text);
          }
        }
        break;
      default:
        break;
    }
    Fail(T.Line, "Property value expected");
  }

  /// Runs Step; any failure other than our own becomes an EReadError for the line.
  template <class F>
  void Guard(int Line, const std::string& Context, F&& Step) {
    try {
      Step();
    } catch (const EReadError&) {
      throw;
    } catch (const std::exception& E) {
      Fail(Line, Context + ": " + E.what());
    }
  }

  [[noreturn]] void Invalid(const TRawValue& V, const std::string& Context) {
    Fail(V.Line, Context + ": Invalid property value");
  }

  void Assign(TComponent* C, const std::string& Path, const TRawValue& V, const std::string& Context) {
    // Walk "Font.Name" or "Items.Strings" down the owned sub-objects.
    std::vector<std::string> Parts = SplitString(Path, '.');
    TObject* Obj = C;
    for (size_t I = 0; I + 1 < Parts.size(); ++I) {
      const TPropInfo* P = Obj->ClassInfo()->FindProperty(Parts[I]);
      if (!P) Fail(V.Line, Context + ": Property " + Parts[I] + " does not exist");
      if (P->Kind != TTypeKind::tkClass || !P->OwnedObject) Fail(V.Line, Context + ": Property " + Parts[I] + " has no sub-properties");
      TPropValue Sub = P->Getter(Obj);
      auto* O = std::get_if<TObject*>(&Sub);
      if (!O || !*O) Fail(V.Line, Context + ": Property " + Parts[I] + " is nil");
      Obj = *O;
    }
    const std::string& Last = Parts.back();
    const TPropInfo* P = Obj->ClassInfo()->FindProperty(Last);
    if (!P) {
      if (auto* List = dynamic_cast<TStrings*>(Obj); List && Obj != C && SameText(Last, "Strings")) {
        if (V.Kind != TRawValue::List) Invalid(V, Context);
        List->BeginUpdate();
        struct TEnd {
          TStrings* L;
          ~TEnd() { L->EndUpdate(); }
        } End{List};
        List->Clear();
        for (const std::string& S : V.Items) List->Add(S);
        return;
      }
      Fail(V.Line, Context + ": Property " + Last + " does not exist");
    }
    if (P->Kind == TTypeKind::tkMethod) Fail(V.Line, Context + ": Event handlers cannot be read from text");
    if (P->Kind == TTypeKind::tkClass && P->OwnedObject) Invalid(V, Context);
    if (P->IsReadOnly()) Fail(V.Line, Context + ": Property " + P->Name + " is read-only");
    if (P->Kind == TTypeKind::tkClass) {
      if (V.Kind != TRawValue::Ident) Invalid(V, Context);
      if (SameText(V.Text, "nil")) {
        P->Setter(Obj, TPropValue(static_cast<TObject*>(nullptr)));
        return;
      }
      // Components further down the text are not there yet: resolve at the end.
      References.push_back({Obj, P, V.Text, V.Line, Context});
      return;
    }
    P->Setter(Obj, Convert(*P, V, Context));
  }

  TPropValue Convert(const TPropInfo& P, const TRawValue& V, const std::string& Context) {
    switch (P.Kind) {
      case TTypeKind::tkBoolean:
        if (V.Kind == TRawValue::Ident && SameText(V.Text, "True")) return true;
        if (V.Kind == TRawValue::Ident && SameText(V.Text, "False")) return false;
        Invalid(V, Context);
      case TTypeKind::tkInteger: {
        Int64 N = 0;
        if (IsColor(P) && (V.Kind == TRawValue::Ident || V.Kind == TRawValue::Integer)) {
          TColor Color = 0;
          if (!IdentToColor(V.Text, Color)) Invalid(V, Context);
          return static_cast<int64_t>(Color);
        }
        if (V.Kind != TRawValue::Integer || !TryStrToInt64(V.Text, N)) Invalid(V, Context);
        if (N < P.MinValue || N > P.MaxValue)
          Fail(V.Line, Context + ": " + V.Text + " is out of range (" + IntToStr(P.MinValue) + ".." +
                           IntToStr(P.MaxValue) + ")");
        return static_cast<int64_t>(N);
      }
      case TTypeKind::tkEnumeration: {
        if (V.Kind == TRawValue::Ident) {
          int64_t Ord = GetEnumValue(P, V.Text);
          if (Ord < 0) Invalid(V, Context);
          return Ord;
        }
        Int64 N = 0;
        if (V.Kind == TRawValue::Integer && TryStrToInt64(V.Text, N) && N >= P.MinValue && N <= P.MaxValue) return N;
        Invalid(V, Context);
      }
      case TTypeKind::tkSet: {
        if (V.Kind != TRawValue::Set) Invalid(V, Context);
        uint64_t Mask = 0;
        for (const std::string& Name : V.Items) {
          int64_t Ord = GetEnumValue(P, Name);
          if (Ord < 0 || Ord >= 64) Invalid(V, Context);
          Mask |= uint64_t{1} << Ord;
        }
        return static_cast<int64_t>(Mask);
      }
      case TTypeKind::tkFloat: {
        if (V.Kind == TRawValue::Ident) {
          if (SameText(V.Text, "NAN")) return std::numeric_limits<long double>::quiet_NaN();
          if (SameText(V.Text, "INF") || SameText(V.Text, "+INF")) return std::numeric_limits<long double>::infinity();
          if (SameText(V.Text, "-INF")) return -std::numeric_limits<long double>::infinity();
          Invalid(V, Context);
        }
        if (V.Kind != TRawValue::Integer && V.Kind != TRawValue::Float) Invalid(V, Context);
        if (V.Text.find('$') != std::string::npos) Invalid(V, Context);
        long double F = 0;
        bool Ok = P.TypeName == "Single"   ? ParseAs<float>(V.Text, F)
                  : P.TypeName == "Double" ? ParseAs<double>(V.Text, F)
                                           : ParseAs<long double>(V.Text, F);
        if (!Ok) Invalid(V, Context);
        return F;
      }
      case TTypeKind::tkString:
        if (V.Kind != TRawValue::String) Invalid(V, Context);
        return V.Text;
      default:
        Invalid(V, Context);
    }
  }

  TComponent* FindByPath(const std::string& Path) const {
    std::vector<std::string> Parts = SplitString(Path, '.');
    TComponent* C = Root->FindComponent(Parts[0]);
    if (!C && !Root->GetName().empty() && SameText(Root->GetName(), Parts[0])) C = Root;
    // Outside the form: the owner the form was read into, and its owners.
    for (TComponent* O = Owner; !C && O; O = O->GetOwner()) {
      if (!O->GetName().empty() && SameText(O->GetName(), Parts[0])) C = O;
      else C = O->FindComponent(Parts[0]);
    }
    for (size_t I = 1; C && I < Parts.size(); ++I) C = C->FindComponent(Parts[I]);
    return C;
  }

  void ResolveReferences() {
    for (const TReference& R : References) {
      TComponent* Target = FindByPath(R.Path);
      if (!Target) Fail(R.Line, R.Context + ": Unknown component '" + R.Path + "'");
      Guard(R.Line, R.Context, [&] { R.Prop->Setter(R.Obj, TPropValue(static_cast<TObject*>(Target))); });
    }
  }

  struct TReference {
    TObject* Obj;
    const TPropInfo* Prop;
    std::string Path;
    int Line;
    std::string Context;
  };

  std::vector<TToken> Tokens;
  size_t Pos = 0;
  TComponent* Owner;
  TComponent* Root = nullptr;
  std::vector<TComponent*> Created;
  std::vector<TReference> References;
  std::string LoadingName;
};

}  // namespace

std::string WriteComponentText(TComponent* Root) {
  if (!Root) throw EWriteError("Nothing to write: no root component");
  TTextWriter W(Root);
  W.WriteObject(Root, 0);
  return W.Out;
}

TComponent* ReadComponentText(const std::string& Text, TComponent* Owner) {
  return TTextReader(Text, Owner).Read();
}

}  // namespace vcl
