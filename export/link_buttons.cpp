#include "export/link_buttons.h"

#include "app/host/host.h"
#include "text/text.h"

void OnHomePageClicked() { OpenAddress(HomePageUrl); }

void OnContactClicked() {
  OpenAddress(ConcatText(Text("tencent://message/?uin="), Text(ContactUin)));
}

void OnForumClicked() { OpenAddress(ForumUrl); }
