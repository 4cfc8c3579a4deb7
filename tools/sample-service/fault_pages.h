// Bodies of the sample ranking service's broken pages (the fault domains
// under ".test"), so tests can compare what they receive with what was sent.
// Each is a one-page ranking page (one pager link) with one fault built in.
#ifndef RUZIDUZ_TOOLS_SAMPLE_SERVICE_FAULT_PAGES_H_
#define RUZIDUZ_TOOLS_SAMPLE_SERVICE_FAULT_PAGES_H_

#include <string>

// The page of badutf8.test with three invalid UTF-8 pieces in a notice above
// the table: C3 28 (a lead byte before an ASCII byte), a lone FF, and E4 B8
// (a three-byte sequence cut short).
std::string BadUtf8Page();

// The page of nongbk.test with U+1F600 (an emoji, valid UTF-8 that GBK cannot
// hold) in a notice above the table.
std::string NonGbkPage();

// The page of unclosed.test whose third keyword link has no /"> after its
// path: it reads href="http://KeywordHost/KEYWORD" title="KEYWORD">, so a lazy
// pattern runs on to the /"> of the next keyword link.
std::string UnclosedLinkPage();

// The body of error500.test: a server-error page (sent with status 500) that
// links two keywords, 服务器错误 and 网站维护, and has no pager.
std::string ServerErrorPage();

#endif  // RUZIDUZ_TOOLS_SAMPLE_SERVICE_FAULT_PAGES_H_
