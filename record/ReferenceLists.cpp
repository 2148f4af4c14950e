#include "record/ReferenceLists.h"

#include <array>
#include <stdexcept>
#include <vector>

namespace parvelin::record {

namespace {

// The entries are written here in UTF-8, once, and converted to GBK on first use. Every list
// keeps the order in which the form adds its entries. " " (one blank) is the "no choice" entry of
// several lists; "" is an entry of others.
using Utf8 = std::string_view;

// Lists of the main form's template.
constexpr Utf8 kNameDot[] = {"", "·"};

constexpr Utf8 kIdDocumentTypes[] = {"身份证", "军官证"};

// Birthplaces at home: the template's birthplace list and the list of scope 国内.
constexpr Utf8 kDomesticBirthPlaces[] = {"北京",   "天津", "河北", "山西", "内蒙古", "辽宁", "吉林",
                                         "黑龙江", "上海", "江苏", "浙江", "安徽",   "福建", "江西",
                                         "山东",   "河南", "湖北", "湖南", "广东",   "广西", "海南",
                                         "重庆",   "四川", "贵州", "云南", "西藏",   "陕西", "甘肃",
                                         "青海",   "宁夏", "新疆", "台湾", "香港",   "澳门"};

constexpr Utf8 kSexes[] = {" ", "男", "女"};

constexpr Utf8 kOccupationCategories[] = {" ",    "国家公务员", "参公管理人员", "事业单位人员",
                                          "军人", "国企人员",   "非国企人员",   "其他"};

constexpr Utf8 kHeldPassportStates[] = {" ", "无", "需注销", "准持"};

constexpr Utf8 kWorkUnits[] = {" ",
                               "办公厅",
                               "政策司",
                               "亚洲司",
                               "亚非司",
                               "非洲司",
                               "欧亚司",
                               "欧洲司",
                               "美大司",
                               "拉美司",
                               "国际司",
                               "军控司",
                               "条法司",
                               "边海司",
                               "新闻司",
                               "礼宾司",
                               "领事司",
                               "港澳台司",
                               "翻译室",
                               "外管司",
                               "安全司",
                               "干部司",
                               "离退休干部局",
                               "行政司",
                               "财务司",
                               "机要局",
                               "部纪委",
                               "机关党委",
                               "国外工作局",
                               "档案馆",
                               "服务中心下属企业",
                               "服务中心",
                               "驻部监察局",
                               "审计局",
                               "国际问题研究所挂靠单位",
                               "国际问题研究所",
                               "外交学会挂靠单位",
                               "外交学会",
                               "世界知识出版社",
                               "外交学院",
                               "外交人员服务局",
                               "钓鱼台宾馆管理局",
                               "中国人民对外友好协会",
                               "驻外使领馆",
                               "其他"};

constexpr Utf8 kApprovalKinds[] = {"批件", "确认件"};

constexpr Utf8 kBirthPlaceScopes[] = {"国内", "国外"};

constexpr Utf8 kRemarkCategories[] = {" ", "军援", "军控", "维和", "准持", "特批"};

// 土家 stands before 土, so that a value loaded by prefix finds the right entry only by equality.
constexpr Utf8 kEthnicities[] = {
    " ",        "汉",   "阿昌", "白",   "保安",   "崩龙",   "布朗",     "布依",   "藏",   "朝鲜",
    "达斡尔",   "傣",   "东乡", "侗",   "独龙",   "俄罗斯", "鄂伦春",   "鄂温克", "高山", "哈尼",
    "哈萨克",   "赫哲", "回",   "基诺", "京",     "景颇",   "柯尔克孜", "拉祜",   "黎",   "傈僳",
    "珞巴",     "满",   "毛难", "门巴", "蒙古",   "苗",     "仫佬",     "纳西",   "怒",   "普米",
    "羌",       "撒拉", "畲",   "水",   "塔吉克", "塔塔尔", "土家",     "土",     "佤",   "维吾尔",
    "乌孜别克", "锡伯", "瑶",   "彝",   "仡佬",   "裕固",   "壮",       "其他"};

constexpr Utf8 kFilingStates[] = {"已备案", "其他"};

// Birthplaces abroad: the list of scope 国外.
constexpr Utf8 kForeignBirthPlaces[] = {"阿富汗",
                                        "阿尔巴尼亚",
                                        "阿尔及利亚",
                                        "安道尔",
                                        "安哥拉",
                                        "安提瓜和巴布达",
                                        "阿塞拜疆",
                                        "阿根廷",
                                        "澳大利亚",
                                        "奥地利",
                                        "巴哈马",
                                        "巴林",
                                        "孟加拉国",
                                        "亚美尼亚",
                                        "巴巴多斯",
                                        "比利时",
                                        "不丹",
                                        "玻利维亚",
                                        "波黑",
                                        "博茨瓦纳",
                                        "巴西",
                                        "伯利兹",
                                        "所罗门群岛",
                                        "文莱",
                                        "保加利亚",
                                        "缅甸",
                                        "布隆迪",
                                        "白俄罗斯",
                                        "柬埔寨",
                                        "喀麦隆",
                                        "加拿大",
                                        "佛得角",
                                        "中非",
                                        "斯里兰卡",
                                        "乍得",
                                        "智利",
                                        "哥伦比亚",
                                        "科摩罗",
                                        "刚果（布）",
                                        "刚果（金）",
                                        "库克群岛",
                                        "哥斯达黎加",
                                        "克罗地亚",
                                        "古巴",
                                        "塞浦路斯",
                                        "捷克",
                                        "贝宁",
                                        "丹麦",
                                        "多米尼克",
                                        "多米尼加",
                                        "厄瓜多尔",
                                        "萨尔瓦多",
                                        "赤道几内亚",
                                        "埃塞俄比亚",
                                        "厄立特里亚",
                                        "爱沙尼亚",
                                        "斐济",
                                        "芬兰",
                                        "法国",
                                        "吉布提",
                                        "加蓬",
                                        "格鲁吉亚",
                                        "冈比亚",
                                        "巴勒斯坦",
                                        "德国",
                                        "加纳",
                                        "基里巴斯",
                                        "希腊",
                                        "格陵兰",
                                        "格林纳达",
                                        "危地马拉",
                                        "几内亚",
                                        "圭亚那",
                                        "海地",
                                        "梵蒂冈",
                                        "洪都拉斯",
                                        "匈牙利",
                                        "冰岛",
                                        "印度",
                                        "印度尼西亚",
                                        "伊朗",
                                        "伊拉克",
                                        "爱尔兰",
                                        "以色列",
                                        "意大利",
                                        "科特迪瓦",
                                        "牙买加",
                                        "日本",
                                        "哈萨克斯坦",
                                        "约旦",
                                        "肯尼亚",
                                        "朝鲜",
                                        "韩国",
                                        "科威特",
                                        "吉尔吉斯斯坦",
                                        "老挝",
                                        "黎巴嫩",
                                        "莱索托",
                                        "拉脱维亚",
                                        "利比里亚",
                                        "利比亚",
                                        "列支敦士登",
                                        "立陶宛",
                                        "卢森堡",
                                        "马达加斯加",
                                        "马拉维",
                                        "马来西亚",
                                        "马尔代夫",
                                        "马里",
                                        "马耳他",
                                        "毛里塔尼亚",
                                        "毛里求斯",
                                        "墨西哥",
                                        "摩纳哥",
                                        "蒙古",
                                        "摩尔多瓦",
                                        "黑山",
                                        "摩洛哥",
                                        "莫桑比克",
                                        "阿曼",
                                        "纳米比亚",
                                        "瑙鲁",
                                        "尼泊尔",
                                        "荷兰",
                                        "瓦努阿图",
                                        "新西兰",
                                        "尼加拉瓜",
                                        "尼日尔",
                                        "尼日利亚",
                                        "纽埃",
                                        "挪威",
                                        "密克罗尼西亚",
                                        "马绍尔群岛",
                                        "帕劳",
                                        "巴基斯坦",
                                        "巴拿马",
                                        "巴布亚新几内亚",
                                        "巴拉圭",
                                        "秘鲁",
                                        "菲律宾",
                                        "波兰",
                                        "葡萄牙",
                                        "几内亚比绍",
                                        "东帝汶",
                                        "卡塔尔",
                                        "罗马尼亚",
                                        "俄罗斯",
                                        "卢旺达",
                                        "圣基茨和尼维斯",
                                        "圣卢西亚",
                                        "圣文森特和格林纳丁斯",
                                        "圣马力诺",
                                        "圣多美和普林西比",
                                        "沙特阿拉伯",
                                        "塞内加尔",
                                        "塞尔维亚",
                                        "塞舌尔",
                                        "塞拉利昂",
                                        "新加坡",
                                        "斯洛伐克",
                                        "越南",
                                        "斯洛文尼亚",
                                        "索马里",
                                        "南非",
                                        "津巴布韦",
                                        "西班牙",
                                        "西撒哈拉",
                                        "苏丹",
                                        "苏里南",
                                        "斯威士兰",
                                        "瑞典",
                                        "瑞士",
                                        "叙利亚",
                                        "塔吉克斯坦",
                                        "泰国",
                                        "多哥",
                                        "汤加",
                                        "特立尼达和多巴哥",
                                        "阿联酋",
                                        "突尼斯",
                                        "土耳其",
                                        "土库曼斯坦",
                                        "图瓦卢",
                                        "乌干达",
                                        "乌克兰",
                                        "马其顿",
                                        "埃及",
                                        "英国",
                                        "坦桑尼亚",
                                        "美国",
                                        "布基纳法索",
                                        "乌拉圭",
                                        "乌兹别克斯坦",
                                        "委内瑞拉",
                                        "萨摩亚",
                                        "也门",
                                        "赞比亚",
                                        "贝劳"};

// Positions by occupational category. The civil servants' positions are also the position list
// that start-up and New fill.
constexpr Utf8 kCivilServantPositions[] = {"",           "国家级正职", "国家级副职", "省部级正职",
                                           "省部级副职", "厅局级正职", "巡视员",     "厅局级副职",
                                           "副巡视员",   "县处级正职", "调研员",     "县处级副职",
                                           "副调研员",   "乡科级正职", "主任科员",   "乡科级副职",
                                           "副主任科员", "科员",       "办事员",     "其他"};
constexpr Utf8 kStateEnterprisePositions[] = {"",         "董事长",       "副董事长",
                                              "总经理",   "副总经理",     "其他领导班子成员",
                                              "管理人员", "工程技术人员", "其他"};
constexpr Utf8 kStaffPositions[] = {"", "管理人员", "工程技术人员", "其他"};
constexpr Utf8 kMilitaryPositions[] = {"",           "军委副主席级", "军委委员级",     "大军区正职",
                                       "大军区副职", "正军职",       "副军职",         "正师职",
                                       "副师职",     "副师职以下",   "技术三级及以上", "技术四级",
                                       "技术五级",   "技术六级",     "技术七级及以下", "其他"};
constexpr Utf8 kOtherPositions[] = {"其他"}; // no empty entry

constexpr Utf8 kCivilServantCategories[] = {"国家公务员", "参公管理人员"};
constexpr Utf8 kStateEnterpriseCategories[] = {"国企人员"};
constexpr Utf8 kStaffCategories[] = {"非国企人员", "事业单位人员"};
constexpr Utf8 kMilitaryCategories[] = {"军人"};
constexpr Utf8 kOtherCategories[] = {"其他"};

// The bilingual titles for use abroad: the Chinese title, an ASCII ";", the English title. "***"
// stands for the name of the person to whom the applicant is related. The English halves are
// kept letter for letter as records store them (98 lacks "Second"; 78 and 88 to 91 spell
// "Councellor").
// clang-format off
constexpr Utf8 kExternalIdentityTitles[] = {
    /*   0 */ "",
    /*   1 */ "新华社分社社长;Bureau Director of the Xinhua News Agency",
    /*   2 */ "新华社分社副社长;Deputy Bureau Director of the Xinhua News Agency",
    /*   3 */ "记者;Correspondent",
    /*   4 */ "***夫人;wife of ***",
    /*   5 */ "***丈夫;husband of ***",
    /*   6 */ "***之女;daughter of ***",
    /*   7 */ "***之子;son of ***",
    /*   8 */ "大使***夫人;wife of ***,Ambassador",
    /*   9 */ "大使***丈夫;husband of ***,Ambassador",
    /*  10 */ "总领事***夫人;wife of ***,Consul-General",
    /*  11 */ "总领事***丈夫;husband of ***,Consul-General",
    /*  12 */ "馆长领事***夫人;wife of ***,Consul and Head of Post",
    /*  13 */ "馆长领事***丈夫;husband of ***,Consul and Head of Post",
    /*  14 */ "驻联合国军事参谋团团长;Head to the U.N.Military Staff Committee",
    /*  15 */ "陆军代表;Army Representative",
    /*  16 */ "陆军副代表;Deputy Army Representative",
    /*  17 */ "海军代表;Naval Representative",
    /*  18 */ "海军副代表;Deputy Naval Representative",
    /*  19 */ "空军代表;Air Representative",
    /*  20 */ "空军副代表;Deputy Air Representative",
    /*  21 */ "军事代表;Defence Adviser",
    /*  22 */ "副军事代表;Deputy Defence Adviser",
    /*  23 */ "军事代表助理;Assistant to Defence Adviser",
    /*  24 */ "军事代表秘书;Secretary to Defence Adviser",
    /*  25 */ "军事参赞;Military Counsellor",
    /*  26 */ "武官;Military Attache",
    /*  27 */ "副武官;Deputy Military Attache",
    /*  28 */ "武官助理;Assistant to Military Attache",
    /*  29 */ "武官秘书;Secretary to Military Attache",
    /*  30 */ "军事联络官;Military Liaison Officer",
    /*  31 */ "副军事联络官;Deputy Military Liaison Officer",
    /*  32 */ "军事联络官助理;Assistant to Military Liaison Officer",
    /*  33 */ "军事联络官秘书;Secretary to Military Liaison Officer",
    /*  34 */ "军事观察员;Military Observer",
    /*  35 */ "代表;Permanent Representative",
    /*  36 */ "代表（大使）;Permanent Representative(Ambassador)",
    /*  37 */ "首席代表;Senior Representative",
    /*  38 */ "首席代表（大使）;Senior Representative(Ambassador)",
    /*  39 */ "副代表;Deputy Permanent Representative",
    /*  40 */ "代表（大使衔）;Permanent Representative(Ambassadorial Rank)",
    /*  41 */ "副代表（参赞）;Deputy Permanent Representative(Counsellor)",
    /*  42 */ "助理代表;Assistant Representative",
    /*  43 */ "代表秘书;Secretary to Representative",
    /*  44 */ "经济商务代表;Economic and Commercial Representative",
    /*  45 */ "经济商务副代表;Vice Economic and Commercial Representative",
    /*  46 */ "助理经济商务代表;Assistant Economic and Commercial Representative",
    /*  47 */ "助理主任;Assistant Director",
    /*  48 */ "一等助理;First Assistant",
    /*  49 */ "二等助理;Second Assistant",
    /*  50 */ "三等助理;Third Assistant",
    /*  51 */ "代表助理;Assistant to Representative",
    /*  52 */ "特命全权大使;Ambassador Extraordinary and Plenipotentiary",
    /*  53 */ "公使;Minister",
    /*  54 */ "公使衔参赞;Minister-Counsellor",
    /*  55 */ "参赞;Counsellor",
    /*  56 */ "一等秘书;First Secretary",
    /*  57 */ "二等秘书;Second Secretary",
    /*  58 */ "三等秘书;Third Secretary",
    /*  59 */ "随员;Attache",
    /*  60 */ "职员;Staff Member",
    /*  61 */ "总领事（大使衔）;Consul-General(Ambassadorial Rank)",
    /*  62 */ "总领事;Consul-General",
    /*  63 */ "副总领事;Vice Consul-General",
    /*  64 */ "首席领事;Consul and Head of Office",
    /*  65 */ "馆长领事;Consul and Head of Post",
    /*  66 */ "领事;Consul",
    /*  67 */ "副领事;Vice-Consul",
    /*  68 */ "领事随员;Consular Attache",
    /*  69 */ "外交信使;Diplomatic courier",
    /*  70 */ "档案秘书;Secretary-Archivist",
    /*  71 */ "代办;Charge d'Affairs",
    /*  72 */ "临时代办;Charge d'Affaires ad Interim",
    /*  73 */ "主任;Director",
    /*  74 */ "副主任;Deputy Director",
    /*  75 */ "高级专员(大使衔);Senior Attache(Ambassadorial Rank)",
    /*  76 */ "驻巴勒斯坦民族权力机构办事处主任（大使衔）;Director of the Office of the P.R.C. to the Palestinian National Authority (Ambassadorial Rank)",
    /*  77 */ "副代表（大使衔）;Deputy Permanent Representative(Ambassadorial Rank)",
    /*  78 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆参赞;Councellor of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  79 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆一等秘书;First Secretary of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  80 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆二等秘书;Second Secretary of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  81 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆三等秘书;Third Secretary of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  82 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆随员;Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  83 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆武官;Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  84 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆副武官;Deputy Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  85 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆武官助理;Assistant to Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  86 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆武官秘书;Secretary to Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  87 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆职员;Staff member of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  88 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆参赞***夫人;Wife of ***,Councellor of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  89 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆参赞***之子;Son of ***,Councellor of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  90 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆参赞***之女;Daughter of ***,Councellor of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  91 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆参赞***丈夫;Husband of ***,Councellor of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  92 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆一等秘书***夫人;Wife of ***,First Secretary of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  93 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆一等秘书***之子;Son of ***,First Secretary of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  94 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆一等秘书***之女;Daughter of ***,First Secretary of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  95 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆一等秘书***丈夫;Husband of ***,First Secretary of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  96 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆二等秘书***夫人;Wife of ***,Second Secretary of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  97 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆二等秘书***之子;Son of ***,Second Secretary of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  98 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆二等秘书***之女;Daughter of ***,Secretary of the Embassy of P.R.C.in the Syria Arab Republic",
    /*  99 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆二等秘书***丈夫;Husband of ***,Second Secretary of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 100 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆三等秘书***夫人;Wife of ***,Third Secretary of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 101 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆三等秘书***之子;Son of ***,Third Secretary of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 102 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆三等秘书***之女;Daughter of ***,Third Secretary of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 103 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆三等秘书***丈夫;Husband of ***,Third Secretary of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 104 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆随员***夫人;Wife of ***,Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 105 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆随员***之子;Son of ***,Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 106 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆随员***之女;Daughter of ***,Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 107 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆随员***丈夫;Husband of ***,Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 108 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆武官***夫人;Wife of ***,Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 109 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆武官***之子;Son of ***,Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 110 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆武官***之女;Daughter of ***,Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 111 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆武官***丈夫;Husband of ***,Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 112 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆副武官***夫人;Wife of ***,Deputy Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 113 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆副武官***之子;Son of ***,Deputy Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 114 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆副武官***之女;Daughter of ***,Deputy Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 115 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆副武官***丈夫;Husband of ***,Deputy Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 116 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆武官助理***夫人;Wife of ***,Assistant to Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 117 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆武官助理***之子;Son of ***,Assistant to Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 118 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆武官助理***之女;Daughter of ***,Assistant to Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 119 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆武官助理***丈夫;Husband of ***,Assistant to Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 120 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆武官秘书***夫人;Wife of ***,Secretary to Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 121 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆武官秘书***之子;Son of ***,Secretary to Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 122 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆武官秘书***之女;Daughter of ***,Secretary to Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 123 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆武官秘书***丈夫;Husband of ***,Secretary to Military Attache of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 124 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆职员***夫人;Wife of ***,Staff member of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 125 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆职员***之子;Son of ***,Staff member of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 126 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆职员***之女;Daughter of ***,Staff member of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 127 */ "中华人民共和国驻阿拉伯叙利亚共和国大使馆职员***丈夫;Husband of ***,Staff member of the Embassy of P.R.C.in the Syria Arab Republic",
    /* 128 */ "副总领事;Deputy Consul-General",
};
// clang-format on

struct ListSource {
    Field field;
    ListOrder order;
    std::span<const Utf8> entries;
};

// The template's lists in the order of its table.
using enum ListOrder;

constexpr ListSource kFormListSources[] = {
    {Field::nameDot, Collated, kNameDot},
    {Field::idDocumentType, Collated, kIdDocumentTypes},
    {Field::birthPlace, Collated, kDomesticBirthPlaces},
    {Field::sex, Collated, kSexes},
    {Field::occupationCategory, AsAdded, kOccupationCategories},
    {Field::heldPassportStatus, Collated, kHeldPassportStates},
    {Field::workUnit, AsAdded, kWorkUnits},
    {Field::approvalKind, Collated, kApprovalKinds},
    {Field::birthPlaceScope, Collated, kBirthPlaceScopes},
    {Field::remarkCategory, AsAdded, kRemarkCategories},
    {Field::ethnicity, AsAdded, kEthnicities},
    {Field::filingStatus, AsAdded, kFilingStates},
};
constexpr std::size_t kFormListCount = std::size(kFormListSources);

struct PositionRuleSource {
    std::span<const Utf8> categories;
    std::span<const Utf8> positions;
};

constexpr PositionRuleSource kPositionRuleSources[] = {
    {kCivilServantCategories, kCivilServantPositions},
    {kStateEnterpriseCategories, kStateEnterprisePositions},
    {kStaffCategories, kStaffPositions},
    {kMilitaryCategories, kMilitaryPositions},
    {kOtherCategories, kOtherPositions},
};
constexpr std::size_t kPositionRuleCount = std::size(kPositionRuleSources);
// The positions a fresh form offers before a category is chosen: the civil servants' list.
constexpr std::size_t kDefaultPositionRule = 0;

std::vector<GbkString> inGbk(std::span<const Utf8> entries) {
    std::vector<GbkString> converted;
    converted.reserve(entries.size());
    for (const Utf8 entry : entries) {
        converted.push_back(gbk(entry));
    }
    return converted;
}

// Every list in GBK, converted once. The spans handed out point into these vectors, which are
// never changed after construction.
struct Catalogue {
    std::array<std::vector<GbkString>, kFormListCount> formEntries;
    std::array<ReferenceList, kFormListCount> formLists;
    std::vector<GbkString> titles = inGbk(kExternalIdentityTitles);
    std::vector<GbkString> foreignBirthPlaces = inGbk(kForeignBirthPlaces);
    std::array<std::vector<GbkString>, kPositionRuleCount> ruleCategories;
    std::array<std::vector<GbkString>, kPositionRuleCount> rulePositions;
    std::array<PositionRule, kPositionRuleCount> positionRules;
    ReferenceList defaultPositionList;
    ReferenceList titleList;

    Catalogue() {
        for (std::size_t i = 0; i < kFormListCount; ++i) {
            const ListSource& source = kFormListSources[i];
            formEntries[i] = inGbk(source.entries);
            formLists[i] = {source.field, source.order, formEntries[i]};
        }
        for (std::size_t i = 0; i < kPositionRuleCount; ++i) {
            ruleCategories[i] = inGbk(kPositionRuleSources[i].categories);
            rulePositions[i] = inGbk(kPositionRuleSources[i].positions);
            positionRules[i] = {ruleCategories[i], rulePositions[i]};
        }
        defaultPositionList = {Field::position, AsAdded, rulePositions[kDefaultPositionRule]};
        titleList = {Field::externalIdentityNoteChoice, AsAdded, titles};
    }
};

const Catalogue& catalogue() {
    static const Catalogue instance;
    return instance;
}

} // namespace

std::span<const ReferenceList> formLists() {
    return catalogue().formLists;
}

const ReferenceList& formList(Field field) {
    for (const ReferenceList& list : catalogue().formLists) {
        if (list.field == field) {
            return list;
        }
    }
    throw std::invalid_argument("the form has no fixed list for this field");
}

const ReferenceList& defaultPositionList() {
    return catalogue().defaultPositionList;
}

const ReferenceList& externalIdentityTitleList() {
    return catalogue().titleList;
}

std::span<const GbkString> domesticBirthPlaces() {
    return formList(Field::birthPlace).entries;
}

std::span<const GbkString> foreignBirthPlaces() {
    return catalogue().foreignBirthPlaces;
}

std::span<const PositionRule> positionRules() {
    return catalogue().positionRules;
}

} // namespace parvelin::record
