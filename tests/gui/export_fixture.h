// What the export and link-button GUI tests share: the window state they
// change and give back, and the answers for the real save dialog and message
// boxes that an export brings up while the click runs.
#ifndef RUZIDUZ_TESTS_GUI_EXPORT_FIXTURE_H_
#define RUZIDUZ_TESTS_GUI_EXPORT_FIXTURE_H_

#include <QString>
#include <QStringList>
#include <optional>

#include "app/host/host.h"
#include "tests/gui/modal_script.h"

// Keeps the window's domain list (编辑框1) in domainList, to be given back by
// ResetExportWindow, and checks that the window has every control these tests
// click or fill: a missing one fails the calling test (initTestCase), so that
// none of its class's tests runs.
void TakeExportWindow(Text& domainList);

// Gives the window the state every export test starts from: no run completed,
// domainList in 编辑框1, 编辑框2 empty.
void ResetExportWindow(const Text& domainList);

// The step for every modal widget an export brings up: it is written down in
// transcript (TranscriptEntry); the save dialog then gets path chosen, or is
// cancelled when there is none, and hands its name filters to nameFilters
// when given; anything else gets its OK.
ModalScript::Step Answer(const std::optional<QString>& path, QStringList& transcript,
                         QStringList* nameFilters = nullptr);

// Clicks 按钮2 and answers what comes up (choosing path in the save dialog);
// gives what was shown, the script's problems last.
QStringList ClickExport(const std::optional<QString>& path, QStringList* nameFilters = nullptr);

#endif  // RUZIDUZ_TESTS_GUI_EXPORT_FIXTURE_H_
