// The open and save dialogs for style files.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tdialix {

// "スタイルの読み込み": an existing style file, starting in folder with fileName preselected.
std::optional<std::wstring> ShowOpenStyleDialog(HWND owner, const std::wstring& folder, const std::wstring& fileName);

// "スタイルの保存": asks before overwriting, refuses read-only files, adds ".dlx".
std::optional<std::wstring> ShowSaveStyleDialog(HWND owner, const std::wstring& folder, const std::wstring& fileName);

}  // namespace tdialix
