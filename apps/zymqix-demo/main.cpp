// A small demonstration host: lists the registered component classes and
// their published properties with their streaming defaults.
#include <cstdio>

#include "vcl/Classes.h"

int main() {
  for (const vcl::TClassInfo* C : vcl::RegisteredClasses()) {
    std::printf("%s", C->Name.c_str());
    if (C->Parent) std::printf(" (%s)", C->Parent->Name.c_str());
    std::printf("\n");
    for (const vcl::TPropInfo* P : C->Properties()) {
      std::printf("  %s: %s", P->Name.c_str(), P->TypeName.c_str());
      if (P->Default) std::printf(" = %s", vcl::PropValueToString(*P, *P->Default).c_str());
      std::printf("\n");
    }
  }
  return 0;
}
