#include "dialogs/supporting_text.h"

#include "dialogs/resource.h"
#include "platform/win.h"

std::string SupportingText() {
  std::string text;
  char paragraph[2048];
  for (UINT id = IDS_SUPPORTING_FIRST; id <= IDS_SUPPORTING_LAST; ++id) {
    if (id != IDS_SUPPORTING_FIRST) text += "\r\n\r\n";
    text += std::string_view(paragraph, std::size_t(LoadStringA(GetModuleHandleA(nullptr), id,
                                                                paragraph, sizeof paragraph)));
  }
  return text;
}
