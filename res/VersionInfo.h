// The version record: the fixed part and the one string block, language
// Chinese (PRC) 0x0804 with code page 1200 (block "080404b0").
#pragma once

#include <string_view>

struct VersionNumber {
    unsigned short nMajor, nMinor, nBuild, nRevision;
};

inline constexpr VersionNumber VER_FILEVERSION{1, 4, 0, 0};
inline constexpr VersionNumber VER_PRODUCTVERSION{1, 4, 0, 0};
inline constexpr unsigned VER_FILEFLAGSMASK = 0x3F;
inline constexpr unsigned VER_FILEFLAGS = 0;
inline constexpr unsigned VER_FILEOS = 0x4;    // 32-bit Windows
inline constexpr unsigned VER_FILETYPE = 0x1;  // application
inline constexpr unsigned VER_FILESUBTYPE = 0;

inline constexpr unsigned VER_LANGUAGE = 0x0804;
inline constexpr unsigned VER_CODEPAGE = 0x04B0;  // 1200
inline constexpr std::string_view VER_BLOCK_NAME = "080404b0";

struct VersionStringDef {
    std::string_view key;
    std::string_view value;
};

// The string block, in order; empty values are present but empty.
inline constexpr VersionStringDef VERSION_STRINGS[] = {
    {"Comments", ""},
    {"CompanyName", ""},
    {"FileDescription", "Wexlan1.4 Microsoft 基础类应用程序"},
    {"FileVersion", "1, 4, 0, 0"},
    {"InternalName", "Wexlan1.4"},
    {"LegalCopyright", "Copyright (C) 2026"},
    {"LegalTrademarks", ""},
    {"OriginalFilename", "Wexlan1.4.EXE"},
    {"PrivateBuild", ""},
    {"ProductName", "Wexlan1.4 应用程序"},
    {"ProductVersion", "1, 4, 0, 0"},
    {"SpecialBuild", ""},
};
