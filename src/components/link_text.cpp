#include "components/link_text.h"

namespace tdialix {

namespace {

bool IsLinkMark(std::wstring_view tag) {
  if (tag == L"</a>" || tag == L"</A>") return true;
  // "<a>" or "<a" followed by a blank and attributes.
  return tag.size() >= 3 && (tag[1] == L'a' || tag[1] == L'A') && (tag[2] == L'>' || tag[2] == L' ');
}

}  // namespace

std::wstring LinkDisplayText(std::wstring_view markup) {
  std::wstring shown;
  shown.reserve(markup.size());
  for (size_t i = 0; i < markup.size(); ++i) {
    if (markup[i] == L'<') {
      const size_t end = markup.find(L'>', i);
      if (end != std::wstring_view::npos && IsLinkMark(markup.substr(i, end - i + 1))) {
        i = end;
        continue;
      }
    }
    shown += markup[i];
  }
  return shown;
}

}  // namespace tdialix
