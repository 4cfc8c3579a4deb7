// The offscreen GUI test program runs every test class of tests/gui/ in one
// QApplication against one main window, loaded once with the program's own
// event table. Each *_test.cpp registers its class with REGISTER_GUI_TEST.
#ifndef RUZIDUZ_TESTS_GUI_GUI_TEST_H_
#define RUZIDUZ_TESTS_GUI_GUI_TEST_H_

#include <QObject>
#include <QTest>
#include <cstddef>

using GuiTestFactory = QObject* (*)();

// Adds a test class to the program's list; returns a dummy for static use.
int RegisterGuiTest(GuiTestFactory factory);

#define REGISTER_GUI_TEST(Class) \
  static const int Class##Registered = RegisterGuiTest([]() -> QObject* { return new Class; })

// Case tables: a test's _data() function adds one row per entry of a static
// table, named by the entry's name member, and the test function fetches its
// entry back. A failure then names its row.
template <class Row, std::size_t N>
void AddTableRows(const Row (&rows)[N]) {
  QTest::addColumn<int>("row");
  for (const Row& row : rows) QTest::newRow(row.name) << static_cast<int>(&row - rows);
}

template <class Row, std::size_t N>
const Row& FetchTableRow(const Row (&rows)[N]) {
  QFETCH(int, row);
  return rows[row];
}

#endif  // RUZIDUZ_TESTS_GUI_GUI_TEST_H_
