// Reading, writing, enabling and appending to the controls of the main window.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "app/host/host.h"
#include "app/host/main_form.h"
#include "app/host/text_conversion.h"

namespace {

QWidget* FindControl(Control control) {
  MainForm* form = LoadedMainForm();
  return form ? form->ControlWidget(control) : nullptr;
}

// The document holds one block per line: Qt turns every CR LF, lone CR and
// lone LF that is typed, pasted or set into a block break, so no CR is ever
// stored. The raw text separates blocks with U+2029 and holds U+2028 where
// Shift+Enter broke a line inside a block; both are line breaks to the
// program. (toPlainText() would also turn no-break spaces into plain ones.)
// Wrapping for display adds nothing to the text.
QString EditBoxLines(const QPlainTextEdit& edit) {
  QString text = edit.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
  return text;
}

// Scrolls the box so that the end of its text is in view, the last line at
// the bottom and the end's column inside the viewport.
void ScrollEndIntoView(QPlainTextEdit& edit, const QTextCursor& end) {
  QScrollBar* vertical = edit.verticalScrollBar();
  vertical->setValue(vertical->maximum());
  const QRect caret = edit.cursorRect(end);
  const int width = edit.viewport()->width();
  QScrollBar* horizontal = edit.horizontalScrollBar();
  if (caret.left() < 0) {
    horizontal->setValue(horizontal->value() + caret.left());
  } else if (caret.right() >= width) {
    horizontal->setValue(horizontal->value() + caret.right() - width + 1);
  }
}

// Appends through a cursor of its own, so the user's caret and selection stay
// where they were. A document records no undo step while undo is off; turning
// it off drops the box's earlier undo history as well, which is what a
// non-undoable replacement does to a classic edit control's undo buffer. The
// insertion costs the same at any document size: the piece table inserts at
// the end and the layout only lays out what is shown.
void AppendToEditBox(QPlainTextEdit& edit, const QString& text) {
  QTextDocument* document = edit.document();
  const QTextCursor before = edit.textCursor();
  const int anchor = before.anchor();
  const int position = before.position();

  QTextCursor end(document);
  end.movePosition(QTextCursor::End);
  document->setUndoRedoEnabled(false);
  end.insertText(text);
  document->setUndoRedoEnabled(true);

  // A caret at the very end was carried along by the insertion.
  QTextCursor user = edit.textCursor();
  if (user.anchor() != anchor || user.position() != position) {
    user.setPosition(anchor);
    user.setPosition(position, QTextCursor::KeepAnchor);
    edit.setTextCursor(user);
  }
  ScrollEndIntoView(edit, end);
}

}  // namespace

Text ReadText(Control control) {
  QWidget* widget = FindControl(control);
  if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) return FromQString(EditBoxLines(*edit));
  if (auto* button = qobject_cast<QPushButton*>(widget)) return FromQString(button->text());
  if (auto* label = qobject_cast<QLabel*>(widget)) return FromQString(label->text());
  if (control == Control::MainWindow && widget) return FromQString(widget->windowTitle());
  return Text();
}

// Captions and the enabled state are painted at once, not at the next pass
// of the event loop: a handler that goes on to block in an HTTP request
// still shows its status line and its disabled button meanwhile.
void WriteText(Control control, const Text& text) {
  QWidget* widget = FindControl(control);
  if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
    edit->setPlainText(ToQString(text));
  } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
    button->setText(ToQString(text));
    button->repaint();
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(ToQString(text));
    label->repaint();
  } else if (control == Control::MainWindow && widget) {
    widget->setWindowTitle(ToQString(text));
  }
}

void SetDisabled(Control control, bool disabled) {
  if (QWidget* widget = FindControl(control)) {
    widget->setEnabled(!disabled);
    widget->repaint();
  }
}

void AppendText(Control editBox, const Text& text) {
  if (auto* edit = qobject_cast<QPlainTextEdit*>(FindControl(editBox))) {
    AppendToEditBox(*edit, ToQString(text));
  }
}
