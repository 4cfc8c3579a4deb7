#include "app/event_bindings.h"

#include "app/program_start.h"
#include "export/keyword_export.h"
#include "export/link_buttons.h"
#include "harvest/extraction_run.h"

namespace {

const EventBinding kBindings[] = {
    {Control::MainWindow, HostEvent::Created, OnMainWindowCreated},
    {Control::MainWindow, HostEvent::Destroying, OnMainWindowDestroying},
    {Control::按钮1, HostEvent::Clicked, OnExtractClicked},
    {Control::按钮2, HostEvent::Clicked, OnExportClicked},
    {Control::按钮3, HostEvent::Clicked, OnContactClicked},
    {Control::按钮4, HostEvent::Clicked, OnForumClicked},
    {Control::按钮5, HostEvent::Clicked, OnHomePageClicked},
};

}  // namespace

std::span<const EventBinding> MainWindowBindings() { return kBindings; }
