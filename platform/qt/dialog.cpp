// Modal dialogs from templates, and their controls, on Qt.
//
// A template becomes a QDialog laid out in dialog units of its own font.
// What the user does in it becomes queued WM_COMMAND messages, which the
// dialog's own message loop hands to its procedure; Escape and the close box
// only ask the procedure, which decides whether the dialog ends. The dialog
// is modal through its loop and the keyboard routing, not Qt's modality,
// which would drop keys that reach the owner before the dialog has the focus.
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPen>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/qt/internal.h"

namespace {

constexpr int kDefaultTabStopDlu =
    32;  // a multi-line field's tab stops, every 8 average characters
constexpr WORD BN_CLICKED = 0;
// How long the owner keeps what a closing dialog covered, at most: the
// uncovering that closing causes comes well within it.
constexpr int kSavedBitsMs = 500;
// Faces to take when a template's own face is not installed.
const QStringList kSubstituteFaces = {"Liberation Sans", "DejaVu Sans", "Nimbus Sans"};

std::vector<std::unique_ptr<Window>> g_controls;  // the controls of every open dialog
std::vector<Window *> g_dialogLoops;              // dialogs in their loops, innermost last

// Rounds half away from zero, as the platform's MulDiv does.
int MulDivRounded(int number, int numerator, int denominator) {
  long long product = 1LL * number * numerator;
  long long half = (product < 0 ? -denominator : denominator) / 2;
  return int((product + half) / denominator);
}

// Pixels per dialog unit come from the font: x by a quarter of the average
// character width, y by an eighth of the line height.
struct DialogUnits {
  int charWidth;
  int lineHeight;
  int X(int dlu) const { return MulDivRounded(dlu, charWidth, 4); }
  int Y(int dlu) const { return MulDivRounded(dlu, lineHeight, 8); }
  QRect Rect(int x, int y, int cx, int cy) const { return QRect(X(x), Y(y), X(cx), Y(cy)); }
};

QFont TemplateFont(const DialogTemplate &t) {
  QFont font;
  QStringList faces = kSubstituteFaces;
  if (QFontDatabase::hasFamily(QString::fromLatin1(t.font)))
    faces.prepend(QString::fromLatin1(t.font));
  font.setFamilies(faces);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(t.pointSize);
  return font;
}

// The average width is that of the 52 letters, rounded, as dialog managers
// measure it.
DialogUnits UnitsOf(const QFont &font) {
  QFontMetrics metrics(font);
  int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return DialogUnits{(letters / 26 + 1) / 2, metrics.height()};
}

class TemplateDialog : public QDialog {
 public:
  TemplateDialog(Window *window, QWidget *owner, Qt::WindowFlags flags)
      : QDialog(owner, flags), window_(window) {}

  // Escape comes here.
  void reject() override { QueueMessage(window_, WM_COMMAND, IDCANCEL, 0); }

 protected:
  void closeEvent(QCloseEvent *e) override {
    e->ignore();
    QueueMessage(window_, WM_COMMAND, IDCANCEL, 0);
  }

 private:
  Window *window_;
};

// Draws a dotted focus rectangle inside the button that has the focus, so
// that it is plain what ENTER and the space bar act on: the style draws the
// default button alike with and without the focus.
class DialogButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent *) override {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButton, option);
    if (!hasFocus()) return;
    painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
    painter.drawRect(style()
                         ->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this)
                         .adjusted(1, 1, -2, -2));
  }
};

Qt::WindowFlags FlagsFor(DWORD style) {
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
  if (style & WS_CAPTION) flags |= Qt::WindowTitleHint;
  if (style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  return flags;
}

Qt::FocusPolicy FocusFor(DWORD style) {
  return style & WS_TABSTOP ? Qt::StrongFocus : Qt::ClickFocus;
}

QWidget *MakeLabel(const DialogControl &c, QWidget *parent) {
  auto *label = new QLabel(QString::fromLatin1(c.text), parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  return label;
}

// Read-only, wrapped at its width, scrolled vertically; Tab moves on as in
// any dialog, and the text can still be selected and copied.
QWidget *MakeTextField(const DialogControl &c, QWidget *parent, const DialogUnits &units) {
  auto *field = new QPlainTextEdit(QString::fromLatin1(c.text), parent);
  field->setReadOnly(c.style & ES_READONLY);
  if (c.style & ES_READONLY)
    field->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  field->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  field->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  field->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  field->setVerticalScrollBarPolicy(c.style & WS_VSCROLL ? Qt::ScrollBarAlwaysOn
                                                         : Qt::ScrollBarAlwaysOff);
  field->setTabStopDistance(units.X(kDefaultTabStopDlu));
  field->setTabChangesFocus(true);
  if (!(c.style & WS_BORDER)) field->setFrameShape(QFrame::NoFrame);
  field->setFocusPolicy(FocusFor(c.style));
  return field;
}

QWidget *MakeLineField(const DialogControl &c, QWidget *parent) {
  auto *field = new QLineEdit(QString::fromLatin1(c.text), parent);
  field->setFrame(c.style & WS_BORDER);
  field->setReadOnly(c.style & ES_READONLY);
  field->setFocusPolicy(FocusFor(c.style));
  return field;
}

QWidget *MakeButton(const DialogControl &c, QWidget *parent, Window *dialog, Window *control) {
  auto *button = new DialogButton(QString::fromLatin1(c.text), parent);
  button->setDefault(c.style & BS_DEFPUSHBUTTON);
  button->setFocusPolicy(FocusFor(c.style));
  QObject::connect(button, &QPushButton::clicked, [dialog, control] {
    QueueMessage(dialog, WM_COMMAND, WPARAM(WORD(control->id)) | WPARAM(BN_CLICKED) << 16,
                 LPARAM(control));
  });
  return button;
}

QWidget *MakeControl(const DialogControl &c, QWidget *parent, const DialogUnits &units,
                     Window *dialog, Window *control) {
  QString kind = QString::fromLatin1(c.kind);
  if (kind == "BUTTON") return MakeButton(c, parent, dialog, control);
  if (kind == "EDIT")
    return c.style & ES_MULTILINE ? MakeTextField(c, parent, units) : MakeLineField(c, parent);
  return MakeLabel(c, parent);
}

// Builds the dialog and one control window per template entry; the
// creation order is the tab order.
std::unique_ptr<Window> BuildDialog(const DialogTemplate &t, HWND owner, DLGPROC proc) {
  auto dialog = std::make_unique<Window>();
  dialog->dlgProc = proc;
  dialog->parent = owner;
  QWidget *ownerWidget = owner ? owner->widget.data() : nullptr;
  auto *widget = new TemplateDialog(dialog.get(), ownerWidget, FlagsFor(t.style));
  dialog->widget = widget;
  widget->setWindowTitle(QString::fromLatin1(t.caption));
  widget->setFont(TemplateFont(t));
  DialogUnits units = UnitsOf(widget->font());
  // The client area stands at the template's position; the frame goes round it.
  QPoint origin = ownerWidget ? ownerWidget->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
  QRect client = units.Rect(t.x, t.y, t.cx, t.cy).translated(origin);
  widget->setFixedSize(client.size());
  widget->setGeometry(client);
  for (int i = 0; i < t.controlCount; ++i) {
    const DialogControl &c = t.controls[i];
    auto control = std::make_unique<Window>();
    control->parent = dialog.get();
    control->id = c.id;
    QWidget *w = MakeControl(c, widget, units, dialog.get(), control.get());
    w->setGeometry(units.Rect(c.x, c.y, c.cx, c.cy));
    w->setVisible(c.style & WS_VISIBLE);
    control->widget = w;
    g_controls.push_back(std::move(control));
  }
  return dialog;
}

// Takes the dialog and its controls away, with any message still queued for
// them.
void DestroyDialog(std::unique_ptr<Window> dialog) {
  delete dialog->widget.data();
  for (auto &c : g_controls)
    if (c->parent == dialog.get()) DestroyWindow(c.get());
  std::erase_if(g_controls, [&](const auto &c) { return c->parent == dialog.get(); });
  DestroyWindow(dialog.get());
}

Window *ControlShowing(const QWidget *widget) {
  for (auto &c : g_controls)
    if (c->widget && c->widget == widget) return c.get();
  return nullptr;
}

// Edit controls give their lines as CR LF; Qt keeps LF.
QString FromWindowsText(LPCSTR text) {
  return QString::fromLatin1(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// EM_SETSEL: start -1 removes the selection, end -1 runs to the end of the
// text, and the caret goes to the end given.
void SelectText(QWidget *widget, int start, int end) {
  if (auto *line = qobject_cast<QLineEdit *>(widget)) {
    int length = int(line->text().size());
    if (start < 0) return line->deselect();
    if (end < 0 || end > length) end = length;
    line->setSelection(std::min(start, length), end - std::min(start, length));
  } else if (auto *text = qobject_cast<QPlainTextEdit *>(widget)) {
    QTextCursor cursor = text->textCursor();
    int length = text->document()->characterCount() - 1;
    if (start < 0) {
      cursor.clearSelection();
    } else {
      cursor.setPosition(std::min(start, length));
      cursor.setPosition(end < 0 || end > length ? length : end, QTextCursor::KeepAnchor);
    }
    text->setTextCursor(cursor);
  }
}

}  // namespace

INT_PTR DialogBoxParamA(HINSTANCE, LPCSTR tmpl, HWND owner, DLGPROC proc, LPARAM init) {
  auto id = reinterpret_cast<std::uintptr_t>(tmpl);
  const DialogTemplate *t = id <= 0xFFFF ? FindDialogTemplate(int(id)) : nullptr;
  if (!t || !proc) return -1;
  EnsureApplication();
  std::unique_ptr<Window> dialog = BuildDialog(*t, owner, proc);
  HWND dlg = dialog.get();
  // A procedure that returns non-zero leaves the focus to the dialog manager.
  if (proc(dlg, WM_INITDIALOG, 0, init)) {
    QWidget *first = dlg->widget->nextInFocusChain();
    while (first != dlg->widget && first->focusPolicy() != Qt::StrongFocus)
      first = first->nextInFocusChain();
    if (first != dlg->widget) first->setFocus(Qt::TabFocusReason);
  }
  if (!dlg->dialogEnded) {
    dlg->widget->show();
    dlg->widget->activateWindow();
  }
  g_dialogLoops.push_back(dlg);
  while (!dlg->dialogEnded) {
    MSG m;
    if (!GetMessageA(&m, nullptr, 0, 0)) {
      PostQuitMessage(int(m.wParam));  // the program's own loop must see it too
      break;
    }
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  g_dialogLoops.pop_back();
  INT_PTR result = dlg->dialogResult;
  DestroyDialog(std::move(dialog));
  if (owner && owner->widget) owner->widget->activateWindow();
  return result;
}

BOOL EndDialog(HWND dlg, INT_PTR result) {
  if (!dlg || !dlg->dlgProc || dlg->dialogEnded) return 0;
  dlg->dialogEnded = true;
  dlg->dialogResult = result;
  // Dialogs keep what they cover, so their closing repaints nothing; later
  // uncovering there repaints as anywhere else.
  if (Window *owner = dlg->parent; owner && dlg->widget) {
    owner->savedBits = dlg->widget->frameGeometry();
    int closing = ++owner->dialogClosings;
    QTimer::singleShot(kSavedBitsMs, owner->widget.data(), [owner, closing] {
      if (owner->dialogClosings == closing) owner->savedBits = QRect();
    });
  }
  if (dlg->widget) dlg->widget->hide();
  return 1;
}

QWidget *OpenDialog() {
  return g_dialogLoops.empty() || g_dialogLoops.back()->dialogEnded ? nullptr
                                                                    : g_dialogLoops.back()->widget;
}

HWND GetDlgItem(HWND dlg, int id) {
  for (auto &c : g_controls)
    if (c->parent == dlg && c->id == id) return c.get();
  return nullptr;
}

HWND SetFocus(HWND hwnd) {
  Window *previous = ControlShowing(QApplication::focusWidget());
  if (hwnd && hwnd->widget) hwnd->widget->setFocus(Qt::OtherFocusReason);
  return previous;
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
  if (!hwnd || !hwnd->widget || !text) return 0;
  QWidget *widget = hwnd->widget;
  if (auto *line = qobject_cast<QLineEdit *>(widget))
    line->setText(QString::fromLatin1(text));
  else if (auto *field = qobject_cast<QPlainTextEdit *>(widget))
    field->setPlainText(FromWindowsText(text));
  else if (auto *label = qobject_cast<QLabel *>(widget))
    label->setText(QString::fromLatin1(text));
  else if (auto *button = qobject_cast<QPushButton *>(widget))
    button->setText(QString::fromLatin1(text));
  else
    widget->setWindowTitle(QString::fromLatin1(text));
  return 1;
}

int GetWindowTextA(HWND hwnd, LPSTR buf, int max) {
  if (!buf || max <= 0) return 0;
  buf[0] = '\0';
  if (!hwnd || !hwnd->widget) return 0;
  QWidget *widget = hwnd->widget;
  QString text;
  if (auto *line = qobject_cast<QLineEdit *>(widget))
    text = line->text();
  else if (auto *field = qobject_cast<QPlainTextEdit *>(widget))
    text = field->toPlainText().replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  else if (auto *label = qobject_cast<QLabel *>(widget))
    text = label->text();
  else if (auto *button = qobject_cast<QPushButton *>(widget))
    text = button->text();
  else
    text = widget->windowTitle();
  // Characters outside Latin-1 arrive as '?'.
  QByteArray bytes = text.toLatin1();
  int count = std::min(int(bytes.size()), max - 1);
  std::copy_n(bytes.constData(), count, buf);
  buf[count] = '\0';
  return count;
}

LRESULT SendControlMessage(Window *control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == EM_SETSEL && control->widget)
    SelectText(control->widget, int(wParam), int(lParam));
  return 0;
}
