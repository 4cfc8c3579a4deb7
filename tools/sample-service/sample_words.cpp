#include "tools/sample-service/sample_words.h"

namespace {

// What people search for: trades, products and topics of the Chinese web.
constexpr std::string_view kTopics[] = {
    "网站建设", "网站优化", "关键词排名", "百度推广", "搜索引擎优化", "外链建设",
    "友情链接", "站长工具", "域名注册",   "虚拟主机", "服务器租用",   "云服务器",
    "网页设计", "网络推广", "营销策划",   "电商平台", "淘宝开店",     "手机游戏",
    "网络游戏", "在线视频", "小说阅读",   "天气预报", "新闻资讯",     "体育直播",
    "股票行情", "基金净值", "理财产品",   "房产信息", "二手房",       "二手车",
    "招聘信息", "教育培训", "英语学习",   "考研资料", "公务员考试",   "会计考试",
    "驾照考试", "医疗健康", "减肥方法",   "美食菜谱", "旅游攻略",     "酒店预订",
    "机票查询", "火车票",   "地图导航",   "快递查询", "手机报价",     "笔记本电脑",
    "数码相机", "家用电器", "空调",       "冰箱",     "洗衣机",       "装修设计",
    "家具",     "瓷砖",     "服装搭配",   "连衣裙",   "运动鞋",       "化妆品",
    "护肤品",   "母婴用品", "奶粉",       "宠物狗",   "汽车报价",     "新能源汽车",
    "汽车保险", "银行理财", "信用卡",     "贷款",     "法律咨询",     "律师事务所",
    "软件下载", "电影",     "电视剧",     "动漫",     "流行音乐",     "游戏攻略",
    "手机壁纸", "图片素材", "字体下载",   "网站模板", "网站源码",     "编程入门",
    "数据库",   "人工智能", "大数据",     "区块链",   "网络安全",     "办公软件",
    "输入法",   "浏览器",   "杀毒软件",   "短视频",   "直播带货",     "自媒体",
    "公众号",   "小程序",   "在线翻译",   "英汉词典", "作文",         "成语故事",
    "唐诗宋词", "中国历史", "数学题",     "物理实验", "化学方程式",   "医院挂号",
    "中医养生", "健身计划", "瑜伽",       "跑步机",   "足球比赛",     "篮球",
    "乒乓球",   "羽毛球",   "钓鱼",       "茶叶",     "白酒",         "红酒",
    "月饼",     "鲜花",     "蛋糕",       "水果",     "海鲜",         "火锅",
    "奶茶加盟", "餐饮加盟", "工商注册",   "代理记账", "商标注册",     "专利申请",
    "翻译公司", "搬家公司", "保洁服务",   "家政服务", "月嫂",         "婚纱摄影",
    "婚庆公司", "留学中介", "移民",       "签证办理", "物流公司",     "货运代理",
    "机械设备", "五金工具", "钢材价格",   "塑料制品", "包装设计",     "印刷厂",
    "广告公司", "展会",
};

// Words searched together with a topic.
constexpr std::string_view kModifiers[] = {
    "价格", "多少钱", "怎么样", "哪家好", "排行榜", "推荐", "官网",   "教程",   "大全", "免费",
    "最新", "排名",   "查询",   "下载",   "在线",   "视频", "图片",   "公司",   "品牌", "厂家",
    "批发", "加盟",   "招商",   "维修",   "安装",   "租赁", "培训班", "是什么", "攻略", "评测",
};

constexpr std::string_view kCities[] = {
    "北京", "上海", "广州", "深圳",   "杭州",   "成都", "武汉", "西安", "南京", "重庆",
    "天津", "苏州", "长沙", "郑州",   "青岛",   "厦门", "大连", "宁波", "济南", "合肥",
    "福州", "昆明", "沈阳", "哈尔滨", "石家庄", "南宁", "贵阳", "南昌", "太原", "东莞",
};

// ASCII and mixed keywords. Some look like the filter texts yet pass it,
// because a candidate is dropped only when it is a piece of one of them.
constexpr std::string_view kAsciiWords[] = {
    "seo",       "SEO",        "iphone",     "iPhone15",  "ipad",  "macbook", "python",
    "java",      "php",        "mysql",      "linux",     "excel", "ppt",     "word",
    "photoshop", "cad",        "vpn",        "wifi",      "5G",    "ChatGPT", "QQ",
    "wps",       "www.qq.com", "hao123.com", "baidu.com", "https", "Https",   "dns",
    "html5",     "css3",       "javascript", "android",   "win10", "NBA",     "CBA",
};

constexpr std::string_view kJunk[] = {"com", "www", "n", "WWW", "Com", "net", ".cn", ""};

template <typename T, std::size_t N>
const T& Pick(SampleRng& rng, const T (&list)[N]) {
  return list[rng.Below(static_cast<int>(N))];
}

}  // namespace

std::uint64_t SampleRng::Next() {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int SampleRng::Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

std::uint64_t DomainHash(std::string_view text) {
  std::uint64_t hash = 0xCBF29CE484222325ull;
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 'A' && byte <= 'Z') byte += 'a' - 'A';
    hash = (hash ^ byte) * 0x100000001B3ull;
  }
  return hash;
}

std::string SampleKeyword(SampleRng& rng) {
  switch (rng.Below(10)) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
      return std::string(Pick(rng, kTopics)) + std::string(Pick(rng, kModifiers));
    case 5:
    case 6:
      return std::string(Pick(rng, kCities)) + std::string(Pick(rng, kTopics));
    case 7:
      return std::string(Pick(rng, kTopics));
    case 8:
      return std::string(Pick(rng, kAsciiWords));
    default:
      return std::string(Pick(rng, kAsciiWords)) + std::string(Pick(rng, kModifiers));
  }
}

std::string_view JunkKeyword(SampleRng& rng) { return Pick(rng, kJunk); }
