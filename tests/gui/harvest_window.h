// The main window's controls as the harvest GUI tests reach them: by the
// form's names, under the top-level widget "MainWindow".
#ifndef RUZIDUZ_TESTS_GUI_HARVEST_WINDOW_H_
#define RUZIDUZ_TESTS_GUI_HARVEST_WINDOW_H_

#include <QApplication>
#include <QWidget>

// The control named `name` (UTF-8) as a T, or null.
template <class T>
T* HarvestControl(const char* name) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == QLatin1String("MainWindow")) {
      return window->findChild<T*>(QString::fromUtf8(name));
    }
  }
  return nullptr;
}

#endif  // RUZIDUZ_TESTS_GUI_HARVEST_WINDOW_H_
