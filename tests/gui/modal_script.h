// Answers the modal widgets that a blocking call brings up (a message box, the
// save dialog, a box the dialog itself opens), one step per widget in the
// order they appear. The call runs its own event loop, so the widgets are
// found by polling the active modal widget from a timer; each step runs from a
// zero timer of its own, so a step that opens a further modal widget (accept()
// asking before a replace) does not hold up the polling.
#ifndef RUZIDUZ_TESTS_GUI_MODAL_SCRIPT_H_
#define RUZIDUZ_TESTS_GUI_MODAL_SCRIPT_H_

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

class ModalScript : public QObject {
 public:
  using Step = std::function<void(QWidget* modal)>;

  // Starts polling; the steps are taken in order, one per new modal widget.
  explicit ModalScript(std::vector<Step> steps);

  // Steps taken so far.
  int taken() const { return taken_; }

  // What went wrong: a modal widget with no step left for it, or one still
  // open five seconds after its step (closed, so the test goes on and fails).
  QStringList problems;

 private:
  void Poll();

  std::vector<Step> steps_;
  int taken_ = 0;
  QTimer timer_;
  QPointer<QWidget> current_;
  QElapsedTimer shownFor_;
};

// Steps for common answers.
void PressOk(QWidget* modal);       // a message box's OK, else reject()
void RejectDialog(QWidget* modal);  // any QDialog's reject()

// Puts path into a save dialog's file-name field and presses Save (the
// dialog may then ask before replacing, or refuse a missing folder).
void ChooseFile(QWidget* modal, const QString& path);

// How a transcript writes a modal widget down: a message box as
// MessageEntry gives it, the save dialog as kSaveDialog, anything else by its
// class name.
QString TranscriptEntry(QWidget* modal);

// A message box in a transcript: "title|text|icon", icon being "no icon",
// "information", "warning", "error" or "question".
QString MessageEntry(const char* title, const char* text, const char* icon);

// The save dialog in a transcript.
extern const QString kSaveDialog;

#endif  // RUZIDUZ_TESTS_GUI_MODAL_SCRIPT_H_
