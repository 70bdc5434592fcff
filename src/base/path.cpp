#include "base/path.h"

namespace tdialix {

namespace {

size_t NameStart(std::wstring_view path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring_view::npos ? 0 : slash + 1;
}

}  // namespace

std::wstring FolderOf(std::wstring_view path) { return std::wstring(path.substr(0, NameStart(path))); }

std::wstring FileNameOf(std::wstring_view path) { return std::wstring(path.substr(NameStart(path))); }

std::wstring ChangeExtension(std::wstring_view path, std::wstring_view extension) {
  const size_t start = NameStart(path);
  const size_t dot = path.rfind(L'.');
  const size_t end = dot == std::wstring_view::npos || dot < start ? path.size() : dot;
  return std::wstring(path.substr(0, end)) + std::wstring(extension);
}

bool IsRelativePath(std::wstring_view path) {
  if (path.empty() || path[0] == L'\\' || path[0] == L'/') return false;
  return !(path.size() >= 2 && path[1] == L':');
}

std::wstring ResolvePath(std::wstring_view folder, std::wstring_view path) {
  if (!IsRelativePath(path) || folder.empty()) return std::wstring(path);
  return std::wstring(folder) + std::wstring(path);
}

}  // namespace tdialix
