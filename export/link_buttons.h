// The three link buttons. Each click hands one fixed address to the desktop's
// "open" action and returns at once: nothing comes back, no control changes,
// and nothing is shown when the desktop cannot open the address.
#ifndef RUZIDUZ_EXPORT_LINK_BUTTONS_H_
#define RUZIDUZ_EXPORT_LINK_BUTTONS_H_

// Bare host names: the desktop takes them for web addresses.
inline constexpr char HomePageUrl[] = "www.example.org";
inline constexpr char ForumUrl[] = "bbs.example.org";
// Account number of the author on the desktop chat service, whose client
// answers "tencent://message/?uin=" addresses.
inline constexpr char ContactUin[] = "10000";

void OnHomePageClicked();  // 按钮5: HomePageUrl
void OnContactClicked();   // 按钮3: "tencent://message/?uin=" + ContactUin
void OnForumClicked();     // 按钮4: ForumUrl

#endif  // RUZIDUZ_EXPORT_LINK_BUTTONS_H_
