// The fixed English texts of the library binding's failures (BindLibraries),
// kept once: the program's string table holds the same texts under
// IDS_MSG_PLAYER_LIB_FAIL, IDS_MSG_PLAYER_INIT_FAIL and IDS_MSG_EXPORT_LIB_FAIL.
#pragma once

inline constexpr const wchar_t* kPlayerLibraryFailure =
    L"InitTrevaneLib Fail, Please check and try again !";
inline constexpr const wchar_t* kPlayerInitFailure = L"Player Init Error";
inline constexpr const wchar_t* kExportLibraryFailure =
    L"InitzExtractLib fail, please check and try again!";
