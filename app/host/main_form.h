// The main window: the controls of its form (kind, place, size, text, font,
// colours), the Esc and Enter keys, the outer size and centring, and the
// binding of its events to handlers. Host-internal; the rest of the program
// reaches the window only through host.h.
#ifndef RUZIDUZ_APP_HOST_MAIN_FORM_H_
#define RUZIDUZ_APP_HOST_MAIN_FORM_H_

#include <QMargins>
#include <QWidget>
#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "app/host/host.h"

class QCloseEvent;
class QKeyEvent;
class QMoveEvent;

// One slot per member of Control; 编辑框1 is the last member.
constexpr std::size_t kControlCount = static_cast<std::size_t>(Control::编辑框1) + 1;

class MainForm : public QWidget {
 public:
  // Creates the window and every control of the form, hidden, and binds the
  // click events of the table; the table is copied.
  explicit MainForm(std::span<const EventBinding> bindings);

  // The control's widget: the form itself for MainWindow, null for the file
  // dialog, which exists only while it is shown.
  QWidget* ControlWidget(Control control) const;

  // Runs, in table order, every handler bound to source's event.
  void Raise(Control source, HostEvent event) const;

  // Shows the window centred on its screen with the form's outer size.
  void ShowCentred();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void CreateControls();
  void BindClicks();
  bool HandleFormKey(const QKeyEvent& key, bool inEditBox);
  void FitOuterSize(bool centre);

  std::vector<EventBinding> bindings_;
  std::array<QWidget*, kControlCount> controls_{};
  QMargins fittedMargins_;
};

// Creates the main window, hidden; from then on it is LoadedMainForm().
MainForm* CreateMainForm(std::span<const EventBinding> bindings);

// The main window once LoadWindow has created it, else null.
MainForm* LoadedMainForm();

#endif  // RUZIDUZ_APP_HOST_MAIN_FORM_H_
