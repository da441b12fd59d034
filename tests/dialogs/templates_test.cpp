#include <gtest/gtest.h>

#include <string>

#include "dialogs/dialogs.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

}  // namespace

TEST(DialogTemplates, DescribeBothDialogs) {
  struct Case {
    int id;
    const char *caption;
    const char *font;
    int x, y, cx, cy;
    int controls;
  };
  const Case cases[] = {
      {IDD_VALUES, "Load value", "MS Sans Serif", 100, 70, 205, 116, 5},
      {IDD_TEXT, "Ondulane", "Photina Casual Black", 100, 70, 264, 164, 2},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.id);
    const DialogTemplate *t = FindDialogTemplate(c.id);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->style, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
    EXPECT_EQ(std::string(t->caption), c.caption);
    EXPECT_EQ(std::string(t->font), c.font);
    EXPECT_EQ(t->pointSize, 10);
    EXPECT_EQ(t->x, c.x);
    EXPECT_EQ(t->y, c.y);
    EXPECT_EQ(t->cx, c.cx);
    EXPECT_EQ(t->cy, c.cy);
    EXPECT_EQ(t->controlCount, c.controls);
  }
}

TEST(DialogTemplates, ListTheControlsInTabOrder) {
  struct Case {
    int dialog;
    int index;
    const char *kind;
    int id;
    const char *text;
    int x, y, cx, cy;
    DWORD style;
  };
  const DWORD label = kChild | WS_GROUP | SS_LEFT;
  const DWORD field = kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
  const DWORD ok = kChild | WS_TABSTOP | BS_DEFPUSHBUTTON;
  const Case cases[] = {
      {IDD_VALUES, 0, "STATIC", 1003, "Enter a value for the load resistance", 13, 24, 115, 8,
       label},
      {IDD_VALUES, 1, "EDIT", IDC_LOAD, "", 150, 22, 40, 14, field},
      {IDD_VALUES, 2, "STATIC", -1, "Enter a value for the source resistance", 13, 56, 114, 8,
       label},
      {IDD_VALUES, 3, "EDIT", IDC_SOURCE, "", 150, 52, 40, 14, field},
      {IDD_VALUES, 4, "BUTTON", IDOK, "OK", 77, 84, 50, 14, ok},
      {IDD_TEXT, 0, "BUTTON", IDOK, "OK", 107, 126, 50, 14, ok},
      {IDD_TEXT, 1, "EDIT", IDC_TEXT, "", 18, 17, 228, 99,
       kChild | WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::to_string(c.dialog) + " control " + std::to_string(c.index));
    const DialogTemplate *t = FindDialogTemplate(c.dialog);
    ASSERT_NE(t, nullptr);
    ASSERT_LT(c.index, t->controlCount);
    const DialogControl &control = t->controls[c.index];
    EXPECT_EQ(std::string(control.kind), c.kind);
    EXPECT_EQ(control.id, c.id);
    EXPECT_EQ(std::string(control.text), c.text);
    EXPECT_EQ(control.x, c.x);
    EXPECT_EQ(control.y, c.y);
    EXPECT_EQ(control.cx, c.cx);
    EXPECT_EQ(control.cy, c.cy);
    EXPECT_EQ(control.style, c.style);
  }
}

TEST(DialogTemplates, KnowsNoOtherDialog) {
  for (int id : {0, 100, 103, 1000, -1}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(FindDialogTemplate(id), nullptr);
  }
}
