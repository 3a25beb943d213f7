#include "FrameworkText.h"

#include <array>
#include <utility>

namespace fw {
namespace {

constexpr std::array<std::pair<unsigned, std::string_view>, 34> kTexts{{
    {61440, "打开"},
    {61441, "保存为"},
    {61442, "所有文件 (*.*)"},
    {IDS_UNTITLED, "无标题"},
    {IDS_OUT_OF_MEMORY, "内存不足，无法完成操作。"},
    {IDP_FAILED_TO_OPEN_DOC, "打开文档失败。"},
    {IDP_FAILED_TO_SAVE_DOC, "保存文档失败。"},
    {IDP_ASK_TO_SAVE, "将改动保存到 %1？"},
    {IDP_FAILED_TO_CREATE_DOC, "建立空文档失败。"},
    {IDP_FAILED_TO_START_PRINT, "无法启动打印作业。"},
    {IDP_UNREG_DONE, "系统注册项已被移除并且相应的 INI 文件（假如存在）也被删除。"},
    {IDP_UNREG_FAILURE, "不是所有的系统注册项（或 INI 文件）都被移除。"},
    {IDP_FAILED_INVALID_FORMAT, "非预期的文件格式。"},
    {61729, "无法找到该文件。\n请验证给出的路径和文件名是否正确。"},
    {61730, "目的磁盘驱动器已满。"},
    {61731, "无法对 %1 进行读操作，它已经被其他人打开。"},
    {61732, "无法对 %1 进行写操作，因为它是只读文件或已经被其他人打开。"},
    {61733, "在对 %1 进行读操作时发生了一个非预期的错误。"},
    {61734, "在对 %1 进行写操作时发生了一个非预期的错误。"},
    // File exceptions, 61856 + cause.
    {61856, "访问 %1 时发生了一个未知错误。"},
    {61857, "访问 %1 时发生了一个未知错误。"},
    {61858, "没有找到 %1。"},
    {61859, "%1 包含一个无效路径。"},
    {61860, "因为打开的文件太多，无法打开 %1。"},
    {61861, "对 %1 的存取被拒绝。"},
    {61862, "一个无效的文件句柄与 %1 相关联。"},
    {61863, "因为 %1 是当前目录，所以无法删除它。"},
    {61864, "因为目录已满，无法建立 %1。"},
    {61865, "在 %1 上定位失败。"},
    {61866, "访问 %1 时报告了一个硬件 I/O 错误。"},
    {61867, "访问 %1 时发生了一个共享冲突。"},
    {61868, "访问 %1 时发生了一个锁定冲突。"},
    {61869, "访问 %1 时磁盘已满。"},
    {61870, "试图越过 %1 的结尾进行访问。"},
}};

}  // namespace

std::string_view FrameworkText(unsigned nID)
{
    for (const auto& [id, text] : kTexts)
        if (id == nID)
            return text;
    return {};
}

std::string FormatFrameworkText(unsigned nID, std::string_view arg)
{
    std::string text(FrameworkText(nID));
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, arg);
    return text;
}

}  // namespace fw
