// Host names of the SEO statistics service: ranking pages live on RankHost,
// the keyword-detail pages that ranking pages link to on KeywordHost. The
// sample ranking service in tools/ serves the same names.
#ifndef RUZIDUZ_HARVEST_SERVICE_HOSTS_H_
#define RUZIDUZ_HARVEST_SERVICE_HOSTS_H_

inline constexpr char RankHost[] = "rank.example.com";
inline constexpr char KeywordHost[] = "keyword.example.com";

#endif  // RUZIDUZ_HARVEST_SERVICE_HOSTS_H_
