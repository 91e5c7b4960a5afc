// Text form files: a component tree written as text and read back.
//
//   object Form1: TForm1
//     Caption = 'It''s mine'
//     Color = clBtnFace
//     Font.Name = 'Arial'
//     Items.Strings = ( 'a' 'b' )
//     DataSource = Source1
//     object Panel1: TPanel
//       Align = alTop
//       object Button1: TButton
//         Left = 8
//       end
//     end
//   end
//
// Values: integers, floats (shortest text that reads back to the same value),
// strings in single quotes with '' for a quote and #n for control characters,
// True/False, enumeration names, sets as [a, b], colours by name or $00BBGGRR,
// components by name (Owner.Name for one outside the form), nil.
#pragma once

#include <string>

#include "vcl/Classes.h"

namespace vcl {

/// Writes Root, its published properties, and nested inside it every component its
/// GetChildren hook lists (recursively, each asked with the same Root). A property is
/// written when its stored-predicate allows it and its value differs from its declared
/// default; one without a declared default always is, except a nil reference. Owned
/// sub-objects (a font, a string list) are written as dotted lines of their own
/// properties; events and read-only properties are not written.
std::string WriteComponentText(TComponent* Root);

/// Creates the tree that Text describes: the root belongs to Owner (nullptr: to the
/// caller), every nested component to the root, with SetParentComponent called with
/// the object it is nested in. Classes come from the class registry. Each component is
/// in csLoading while it is read; properties are assigned in file order through their
/// setters; component references are resolved once the whole text is read (by name in
/// the root, then among Owner's components); then Loaded runs once on every component,
/// root first, in reading order.
/// Unknown classes or properties, bad values, malformed text and unresolved references
/// raise EReadError "Line N: ..."; the components read so far are freed first.
TComponent* ReadComponentText(const std::string& Text, TComponent* Owner);

}  // namespace vcl
