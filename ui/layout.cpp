// The main window's layout table.
#include "ui/layout.h"

namespace {

constexpr char kUsageText[] =
    "1、首先，你的主板必须支持WOL网卡唤醒，并且先在BIOS里设置网卡唤醒(网卡唤醒、PECI唤醒等设置，不同主板可能名称不同，"
    "请自行百度)为激活状态！注意！必须是有线网卡，现在很多无线网卡不一定支持！！！\r\n"
    "2、在系统设置里，把“关机网络唤醒”、“魔术封包唤醒”等功能设置为“开启”\r\n"
    "3、内网唤醒：完成上述两个步骤之后，只需要填入被唤醒电脑的MAC地址，然后单击“内网发送”即可。\r\n"
    "4、外网唤醒：首先，在路由器绑定被唤醒电脑的IP和MAC，然后在路由器中映射出被唤醒电脑的任意端口(我默认的端口号是9)，"
    "同时，填入被唤醒电脑的外网IP，或者域名（建议大家可以注册一个DDNS，即便外网变更IP后，仍然可以使用动态域名），填写完"
    "成后，"
    "单击外网发送！\r\n"
    "5、本源码非原创，是在某位大佬的源码基础上稍作了修改，保证了本源码100%可用。若是不会使用，请自行百度！\r\n";

using K = ControlKind;

// clang-format off
constexpr ControlLayout kLayout[] = {
    // control               kind                 parent              page   x    y    w    h   text                      visible checked
    {Ctl::主窗口,            K::Window,           Ctl::主窗口,        -1,    0,   0, 630, 317, "远程唤醒.WOL",            true,  false},
    {Ctl::选择夹1,           K::Tab,              Ctl::主窗口,        -1,    0,   0, 624, 288, "",                        true,  false},

    {Ctl::分组框,            K::GroupBox,         Ctl::选择夹1,        0,    0,  20, 616, 248, "",                        true,  false},
    {Ctl::分组框2,           K::GroupBox,         Ctl::分组框,         0,    8,   8, 280,  72, "",                        true,  false},
    {Ctl::标签5,             K::Label,            Ctl::分组框2,        0,    8,   8,  32,  24, "配置:",                   true,  false},
    {Ctl::组合框_配置信息,   K::DropDownList,     Ctl::分组框2,        0,   40,   8, 232,  20, "",                        true,  false},
    {Ctl::按钮_添加,         K::Button,           Ctl::分组框2,        0,    8,  40,  32,  24, "添加",                    true,  false},
    {Ctl::按钮_更改,         K::Button,           Ctl::分组框2,        0,   40,  40,  32,  24, "更改",                    true,  false},
    {Ctl::按钮_删除,         K::Button,           Ctl::分组框2,        0,   72,  40,  32,  24, "删除",                    true,  false},
    {Ctl::按钮2,             K::Button,           Ctl::分组框2,        0,  236,  40,  32,  24, "帮助",                    true,  false},
    {Ctl::分组框3,           K::GroupBox,         Ctl::分组框,         0,    8,  80, 280,  72, "",                        true,  false},
    {Ctl::标签3,             K::Label,            Ctl::分组框3,        0,    8,  16, 120,  16, "MAC地址（:或-分隔）",     true,  false},
    {Ctl::MAC框,             K::Edit,             Ctl::分组框3,        0,  152,  12, 120,  24, "1A-2B-3C-4D-5E-6F",       true,  false},
    {Ctl::单选框_内网,       K::RadioButton,      Ctl::分组框3,        0,    8,  40,  48,  24, "内网",                    true,  true},
    {Ctl::单选框_外网,       K::RadioButton,      Ctl::分组框3,        0,   64,  40,  48,  24, "外网",                    true,  false},
    {Ctl::按钮1,             K::Button,           Ctl::分组框3,        0,  180,  40,  92,  24, "发送WOL",                 true,  false},
    {Ctl::分组框_外网信息,   K::GroupBox,         Ctl::分组框,         0,    8, 151, 280,  88, "",                        false, false},
    {Ctl::标签_IP,           K::Label,            Ctl::分组框_外网信息, 0,   8,  16, 164,  16, "主机名称（IP地址 或 域名）", true, false},
    {Ctl::IP框,              K::Edit,             Ctl::分组框_外网信息, 0,   8,  34, 192,  24, "192.168.1.62",            true,  false},
    {Ctl::标签_端口,         K::Label,            Ctl::分组框_外网信息, 0, 209,  16,  63,  16, "端口,默认9",              true,  false},
    {Ctl::端口框,            K::NumberEdit,       Ctl::分组框_外网信息, 0, 228,  34,  40,  24, "9",                       true,  false},
    {Ctl::标签4,             K::Label,            Ctl::分组框_外网信息, 0,   8,  64, 256,  16, "内网唤醒不用填IP和端口，外网自动解析域名。", true, false},
    {Ctl::分组框1,           K::GroupBox,         Ctl::分组框,         0,  296,   8, 312, 232, "使用方法",                true,  false},
    {Ctl::透明标签1,         K::TransparentLabel, Ctl::分组框1,        0,    8,  16, 304, 208, kUsageText,                true,  false},

    {Ctl::标签1,             K::Label,            Ctl::选择夹1,        1,    8,  48,  56,  24, "扫描网段",                true,  false},
    {Ctl::编辑框_扫描网段,   K::Edit,             Ctl::选择夹1,        1,   64,  50,  80,  20, "192.168.1.",              true,  false},
    {Ctl::标签7,             K::Label,            Ctl::选择夹1,        1,  160,  48,  88,  24, "第三个点后不填",          true,  false},
    {Ctl::标签2,             K::Label,            Ctl::选择夹1,        1,    8,  72,  56,  24, "起始值",                  true,  false},
    {Ctl::编辑框_扫描起始值, K::NumberEdit,       Ctl::选择夹1,        1,   64,  74,  40,  20, "0",                       true,  false},
    {Ctl::标签6,             K::Label,            Ctl::选择夹1,        1,  120,  72,  56,  24, "结束值",                  true,  false},
    {Ctl::编辑框_扫描结束值, K::NumberEdit,       Ctl::选择夹1,        1,  176,  74,  40,  20, "255",                     true,  false},
    {Ctl::标签8,             K::Label,            Ctl::选择夹1,        1,    8, 104,  56,  24, "线程数",                  true,  false},
    {Ctl::编辑框_扫描线程数, K::NumberEdit,       Ctl::选择夹1,        1,   64, 106,  40,  20, "8",                       true,  false},
    {Ctl::标签9,             K::Label,            Ctl::选择夹1,        1,  112, 104, 136,  24, "线程过高也不会加快很多",  true,  false},
    {Ctl::标签10,            K::Label,            Ctl::选择夹1,        1,   48, 128, 176,  24, "扫描0-255大约需要3分钟,180秒", true, false},
    {Ctl::按钮4,             K::Button,           Ctl::选择夹1,        1,   80, 160,  80,  32, "扫描",                    true,  false},
    {Ctl::按钮5,             K::Button,           Ctl::选择夹1,        1,  200, 160,  56,  32, "停止",                    true,  false},
    {Ctl::进度条1,           K::ProgressBar,      Ctl::选择夹1,        1,    8, 200, 248,  24, "",                        true,  false},
    {Ctl::标签_进度条,       K::OverlayLabel,     Ctl::选择夹1,        1,   64, 204, 136,  16, "0/256",                   true,  false},
    {Ctl::超级列表框1,       K::ListView,         Ctl::选择夹1,        1,  264,  48, 352, 192, "",                        true,  false},
    {Ctl::编辑框_所选IP,     K::Edit,             Ctl::选择夹1,        1,  264, 248, 104,  20, "所选IP",                  true,  false},
    {Ctl::编辑框_所选主机名, K::Edit,             Ctl::选择夹1,        1,  374, 248, 112,  20, "所选主机名",              true,  false},
    {Ctl::编辑框_所选MAC,    K::Edit,             Ctl::选择夹1,        1,  490, 248, 120,  20, "所选MAC",                 true,  false},
};
// clang-format on

static_assert(std::size(kLayout) == static_cast<std::size_t>(Ctl::Count), "one layout entry per control");

constexpr bool InControlOrder() {
    for (std::size_t i = 0; i < std::size(kLayout); ++i) {
        if (static_cast<std::size_t>(kLayout[i].control) != i) {
            return false;
        }
    }
    return true;
}
static_assert(InControlOrder(), "layout entries in the order of Ctl");

}  // namespace

const ControlLayout& LayoutOf(Ctl control) {
    return kLayout[static_cast<std::size_t>(control)];
}

const char* const kTabPageTitles[2] = {"网络唤醒", "扫描局域网"};

const ListColumn kResultColumns[3] = {{"IP", 100}, {"主机名", 120}, {"MAC", 120}};
