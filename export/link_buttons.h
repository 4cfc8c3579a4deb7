// The three link buttons: each hands one fixed address to the desktop.
#ifndef RUZIDUZ_EXPORT_LINK_BUTTONS_H_
#define RUZIDUZ_EXPORT_LINK_BUTTONS_H_

inline constexpr char HomePageUrl[] = "www.example.org";
inline constexpr char ForumUrl[] = "bbs.example.org";
inline constexpr char ContactUin[] = "10000";

void OnHomePageClicked();  // 按钮5
void OnContactClicked();   // 按钮3
void OnForumClicked();     // 按钮4

#endif  // RUZIDUZ_EXPORT_LINK_BUTTONS_H_
