#include "harvest/extraction_run.h"

#include "app/globals.h"
#include "app/host/host.h"
#include "harvest/keyword_display.h"
#include "harvest/ranking_page.h"
#include "harvest/service_hosts.h"
#include "text/gbk_literal.h"
#include "web/web_access.h"

// Ranking pages of a domain, as typed on its line (no trimming, no escaping):
//   first page:        http://RankHost/baidu/DOMAIN/
//   further page n:    http://RankHost/baidu/DOMAIN/n/position/   (n = 2, 3, ...)

namespace {

// "当前域名:DOMAIN     当前提取的关键词页面:N", shown before page N is requested.
Text PageStatus(const Text& domain, const Text& pageNumber) {
  static const Text kDomainLabel = Gbk("当前域名:");
  static const Text kPageLabel = Gbk("     当前提取的关键词页面:");
  return ConcatText(kDomainLabel, domain, kPageLabel, pageNumber);
}

Text DomainAddress(const Text& domain) {
  return ConcatText(Text("http://"), Text(RankHost), Text("/baidu/"), domain, Text("/"));
}

// Requests one ranking page, shows its keywords at the paced rate and adds
// their number to runTotal. Gives the page text: empty when the request or the
// UTF-8 to GBK conversion failed, in which case the page adds nothing.
Text HarvestPage(const Text& address, int& runTotal) {
  static const Text kMobileHeaderSet = "1";
  WebRequest request;  // every parameter not set here is left empty
  request.url = address;
  request.headerSet = kMobileHeaderSet;
  request.timeoutSeconds = 20;
  const ByteSet body = WebAccess(request);
  const Text pageText = BytesToText(ConvertEncoding(body, "UTF-8", "GBK"));
  TextArray pageKeywords;
  ExtractKeywords(pageText, pageKeywords);
  PendingKeywords = pageKeywords;
  runTotal += static_cast<int>(PendingKeywords.size());
  FlushKeywords();
  return pageText;
}

// The first page of domain, then pages 2 to F + 1, F being the first page's
// further-page count; markers on further pages are not looked at.
void HarvestDomain(const Text& domain, int& runTotal) {
  WriteText(Control::标签3, PageStatus(domain, Text("1")));
  const Text firstPage = HarvestPage(DomainAddress(domain), runTotal);
  const int furtherPages = CountRankPages(firstPage);
  for (int j = 1; j <= furtherPages; ++j) {
    const Text pageNumber = NumberToText(j + 1);
    const Text address = ConcatText(DomainAddress(domain), pageNumber, Text("/position/"));
    WriteText(Control::标签3, PageStatus(domain, pageNumber));
    HarvestPage(address, runTotal);
  }
}

}  // namespace

void RunExtraction() {
  static const Text kNoDomains = Gbk("请输入要查询的域名！");
  static const Text kNoDomainsTitle = Gbk("提示：");
  static const Text kStarting = Gbk("软件初始化。。。。");
  static const Text kTotalBefore = Gbk("本次提取,共得关键字");
  static const Text kTotalAfter = Gbk("条！");
  static const Text kFinished = Gbk("提取完毕！");
  static const Text kFinishedTitle = Gbk("提示");

  if (CompareText(ReadText(Control::编辑框1), "") == 0) {
    ShowMessage(kNoDomains, kMessageOk, kNoDomainsTitle);
    return;
  }
  SetDisabled(Control::按钮1, true);
  WriteText(Control::标签3, kStarting);
  // Read once: what the user types into 编辑框1 during the run's pauses does
  // not change the run. Empty lines (also between two line breaks) are
  // skipped; a line of blanks is a domain like any other.
  const TextArray lines = SplitText(ReadText(Control::编辑框1), "\r\n");
  int runTotal = 0;
  for (const Text& line : lines) {
    if (line.empty()) continue;
    HarvestDomain(line, runTotal);
  }
  SetDisabled(Control::按钮1, false);
  WriteText(Control::标签3, ConcatText(kTotalBefore, NumberToText(runTotal), kTotalAfter));
  ExtractionFinished = true;
  ShowMessage(kFinished, kMessageInformation, kFinishedTitle);
}

void OnExtractClicked() { RunExtraction(); }
