#include "app/builtintexts.h"

#include "app/textids.h"

#include <array>

namespace zev {

namespace {

// Indexed by text number; nullptr where the target has no built-in text.
constexpr std::array<const char*, TextId::Last + 1> builtinTable = {
    nullptr,
    "VARKOL专用调频手持对讲机RH-4800编程软件", // 1
    "新建",
    "打开",
    "保存",
    "读频", // 5
    "写频",
    "信道编辑",
    "功能选项",
    "功率调整",
    "型号：", // 10
    "文件(&F)",
    "新建(&N)",
    "打开(&O)",
    "保存(&S)",
    "关闭(&C)", // 15
    "编辑(&P)",
    "读频",
    "写频",
    "信道编辑",
    "功能选项", // 20
    "功率调整",
    "通讯端口",
    "帮助",
    "帮助(&C)...",
    "关于(&A)...", // 25
    nullptr,
    nullptr,
    nullptr,
    "语言",
    "信道编辑", // 30
    "退出",
    "信道上移",
    "信道下移",
    "信道删除",
    nullptr, // 35: header row
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr, // 40
    nullptr,
    nullptr,
    nullptr, // 43 to 46: the words come only from a pack
    nullptr,
    nullptr, // 45
    nullptr,
    nullptr,
    "功能选项",
    "静噪电平",
    "电池省电", // 50
    "超时禁发",
    "语音通知",
    "提示音",
    "报警按键",
    "扫描允许", // 55
    "1分钟",
    "2分钟",
    "3分钟",
    "4分钟",
    "5分钟", // 60
    "6分钟",
    "7分钟",
    "中文男声",
    "英文男声",
    "中文女声", // 65
    "英文女声",
    "退出",
    "ZEV-481对讲机编程软件",
    "版本：481-1.001",
    "适用机型：RH-4800", // 70
    "VARKOL 版权所有",
    "高功率：",
    "低电压：",
    "低功率：",
    "读出", // 75
    "写入",
    "成功次数:0",
    nullptr,
    "选项",
    nullptr, // 80
    nullptr,
};

} // namespace

QString builtinText(int id) {
    if (id < TextId::First || id > TextId::Last || builtinTable[id] == nullptr)
        return QString();
    return QString::fromUtf8(builtinTable[id]);
}

QString builtinAboutTitle() {
    return QStringLiteral("关于...");
}
QString builtinAboutExit() {
    return QStringLiteral("退出（&C）");
}
QString builtinReadButton() {
    return QStringLiteral("读频(&R)");
}
QString builtinWriteButton() {
    return QStringLiteral("写频(&W)");
}

} // namespace zev
