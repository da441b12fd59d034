// Dialogs on Qt: a QDialog and its widgets where the window manager placed
// them, in the template's font. The window manager decides what every key
// does. A dialog is modal through its loop and the routing of keys, not Qt's
// modality, which would drop keys reaching the owner before the dialog.
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPen>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "platform/qt/internal.h"

namespace {

// The text property of a control's widget.
const char *TextProperty(const Window *w) {
  return w->control == ControlKind::MultiLineEdit ? "plainText" : "text";
}

QFont TemplateFont(const Window *dialog) {
  QFont font = FontOf(dialog->font, HanFormOf(GetUserDefaultUILanguage()));
  font.setPointSize(dialog->pointSize);
  return font;
}

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

QWidget *MakeControl(Window *c, QWidget *parent) {
  const bool readOnly = c->style & ES_READONLY;
  if (c->control == ControlKind::Button) {
    auto *button = new DialogButton(parent);
    button->setDefault(c->IsDefaultButton());
    QObject::connect(button, &QPushButton::clicked, [c] { ButtonPressed(c); });
    return button;
  }
  if (c->control == ControlKind::Edit) {
    auto *field = new QLineEdit(parent);
    field->setFrame(c->style & WS_BORDER);
    field->setReadOnly(readOnly);
    // Mirrored, its text starts at its right edge whichever way it reads.
    if (c->rightToLeft) field->setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
    return field;
  }
  if (c->control == ControlKind::Static) {
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
  }
  // Wrapped at its width, scrolled vertically; read-only, its text can
  // still be selected and copied.
  auto *field = new QPlainTextEdit(parent);
  field->setReadOnly(readOnly);
  if (readOnly)
    field->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  field->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  field->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  field->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  field->setVerticalScrollBarPolicy(c->style & WS_VSCROLL ? Qt::ScrollBarAlwaysOn
                                                          : Qt::ScrollBarAlwaysOff);
  field->setTabStopDistance(c->parent->tabPixels);
  if (!(c->style & WS_BORDER)) field->setFrameShape(QFrame::NoFrame);
  return field;
}

// The window manager has answered for a dialog that has closed: what the
// owner had uncovered meanwhile is weighed against where the dialog stood.
void Answered(QPointer<QWidget> shell, QPointer<QWidget> owner, QMargins frame) {
  if (Window *w = WindowOf(owner))
    DialogAnswered(w, shell ? FromQRect(OuterRectOver(shell, frame, owner)) : Rect{});
  if (shell && !WindowOf(shell)) shell->deleteLater();
}

}  // namespace

TextMeasure DriverMeasureText(const Window *dialog, const char *text) {
  EnsureApplication();
  const QFontMetrics metrics(TemplateFont(dialog));
  return TextMeasure{double(metrics.horizontalAdvance(FromUtf8(text))), metrics.height()};
}

void DriverCreateDialog(Window *dialog) {
  QWidget *owner = WidgetOf(dialog->parent);
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
  if (dialog->style & WS_CAPTION) flags |= Qt::WindowTitleHint;
  if (dialog->style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  auto *widget = new QDialog(owner, flags);
  Attach(dialog, widget);
  widget->setWindowTitle(FromUtf8(dialog->text));
  widget->setFont(TemplateFont(dialog));
  // The client area stands where it was placed; the frame goes round it.
  const QRect client =
      ToQRect(dialog->place).translated(owner ? owner->mapToGlobal(QPoint(0, 0)) : QPoint());
  widget->setFixedSize(client.size());
  widget->setGeometry(client);
}

void DriverCreateControl(Window *control) {
  QWidget *widget = MakeControl(control, WidgetOf(control->parent));
  Attach(control, widget);
  DriverSetText(control, control->text);
  widget->setGeometry(ToQRect(control->place));
  // Its text reads from the right, aligned right; the place is mirrored already.
  if (control->rightToLeft) widget->setLayoutDirection(Qt::RightToLeft);
  widget->setVisible(control->style & WS_VISIBLE);
  if (control->control != ControlKind::Static)
    widget->setFocusPolicy(control->style & WS_TABSTOP ? Qt::StrongFocus : Qt::ClickFocus);
  if (!control->IsEdit()) return;
  if (auto *label = qobject_cast<QLabel *>(WidgetOf(control->label)))
    label->setBuddy(widget);
  else
    widget->setAccessibleName(FromUtf8(AccessibleName(control)));
}

void DriverShowDialog(Window *dialog) {
  WidgetOf(dialog)->show();
  WidgetOf(dialog)->activateWindow();
}

// A dialog keeps what it covered, frame and all, until the window manager
// has answered for it: the uncovering its closing causes repaints nothing,
// however late it comes and even when the window manager had not placed
// the dialog yet; the next uncovering repaints as anywhere.
void DriverHideDialog(Window *dialog) {
  QWidget *widget = WidgetOf(dialog), *owner = WidgetOf(dialog->parent);
  if (!owner || dialog->parent->kind != WindowKind::TopLevel) return widget->hide();
  const QRect outer = OuterRectOver(widget, QMargins(), owner);
  widget->hide();
  const bool answerToCome = AskWindowManager(
      widget, [shell = QPointer<QWidget>(widget), ownerWidget = QPointer<QWidget>(owner)](
                  QMargins frame) { Answered(shell, ownerWidget, frame); });
  DialogClosedOver(dialog, FromQRect(outer), answerToCome);
}

Window *DriverFocusedControl() {
  QWidget *dialog = WidgetOf(OpenDialog());
  return dialog ? WindowOf(dialog->focusWidget()) : nullptr;
}

void DriverSetFocus(Window *control) {
  if (QWidget *widget = WidgetOf(control)) widget->setFocus(Qt::OtherFocusReason);
}

void DriverSetText(Window *w, const std::string &text) {
  QWidget *widget = WidgetOf(w);
  if (widget && w->kind == WindowKind::Control)
    widget->setProperty(TextProperty(w), FromUtf8(text));
  else if (widget)
    widget->setWindowTitle(FromUtf8(text));
}

std::string DriverEditText(Window *w) {
  QWidget *widget = WidgetOf(w);
  const QByteArray bytes =
      widget ? widget->property(TextProperty(w)).toString().toUtf8() : QByteArray();
  return std::string(bytes.constData(), std::size_t(bytes.size()));
}

void DriverSelectText(Window *control, int start, int end) {
  if (auto *line = qobject_cast<QLineEdit *>(WidgetOf(control)))
    return start < 0 ? line->deselect() : line->setSelection(start, end - start);
  auto *field = qobject_cast<QPlainTextEdit *>(WidgetOf(control));
  if (!field) return;
  QTextCursor cursor = field->textCursor();
  cursor.setPosition(start < 0 ? cursor.position() : start);
  cursor.setPosition(start < 0 ? cursor.position() : end, QTextCursor::KeepAnchor);
  field->setTextCursor(cursor);
}

void DriverTypeText(Window *control, const std::string &text) {
  QWidget *widget = WidgetOf(control);
  if (auto *line = qobject_cast<QLineEdit *>(widget)) line->insert(FromUtf8(text));
  if (auto *field = qobject_cast<QPlainTextEdit *>(widget)) field->insertPlainText(FromUtf8(text));
}
