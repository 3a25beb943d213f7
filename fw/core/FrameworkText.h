// The framework's own user-visible texts (file dialogs, document and file
// errors), by their classic string ids. The program's own strings live with
// the resources; these are the ones the framework layer shows on its paths.
#pragma once

#include <string>
#include <string_view>

namespace fw {

inline constexpr unsigned IDS_OPENFILE = 61440;               // "打开"
inline constexpr unsigned IDS_SAVEFILE = 61441;               // "保存为"
inline constexpr unsigned IDS_ALLFILTER = 61442;              // "所有文件 (*.*)"
inline constexpr unsigned IDS_UNTITLED = 61443;               // "无标题"
inline constexpr unsigned IDS_OUT_OF_MEMORY = 61457;          // "内存不足，无法完成操作。"
inline constexpr unsigned IDP_FAILED_TO_OPEN_DOC = 61697;     // "打开文档失败。"
inline constexpr unsigned IDP_FAILED_TO_SAVE_DOC = 61698;     // "保存文档失败。"
inline constexpr unsigned IDP_ASK_TO_SAVE = 61699;            // "将改动保存到 %1？"
inline constexpr unsigned IDP_FAILED_TO_CREATE_DOC = 61700;   // "建立空文档失败。"
inline constexpr unsigned IDP_FAILED_TO_START_PRINT = 61702;  // "无法启动打印作业。"
inline constexpr unsigned IDP_UNREG_DONE = 61707;             // unregister start succeeded
inline constexpr unsigned IDP_UNREG_FAILURE = 61708;          // unregister start left entries behind
inline constexpr unsigned IDP_FAILED_INVALID_FORMAT = 61728;  // "非预期的文件格式。"
inline constexpr unsigned IDP_FILE_NONE = 61856;              // first file-exception text

// The text of a framework string; empty for an id the framework does not have.
std::string_view FrameworkText(unsigned nID);

// FrameworkText(nID) with "%1" replaced by arg.
std::string FormatFrameworkText(unsigned nID, std::string_view arg);

}  // namespace fw
