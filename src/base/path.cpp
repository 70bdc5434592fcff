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

}  // namespace tdialix
