#include "base/ini_document.h"

#include <algorithm>

#include "base/text.h"

namespace tdialix {

namespace {

std::wstring WithoutLineBreaks(std::wstring_view value) {
  std::wstring out(value);
  std::replace_if(out.begin(), out.end(), [](wchar_t c) { return c == L'\r' || c == L'\n'; }, L' ');
  return out;
}

}  // namespace

TIniDocument TIniDocument::Parse(std::wstring_view text) {
  TIniDocument doc;
  std::vector<TLine>* target = &doc.Preamble;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of(L"\r\n", pos);
    if (end == std::wstring_view::npos) end = text.size();
    const std::wstring_view line = TrimView(text.substr(pos, end - pos));
    pos = end + 1;
    if (end + 1 < text.size() && text[end] == L'\r' && text[end + 1] == L'\n') ++pos;

    if (line.empty()) continue;
    if (line.front() == L';') {
      target->push_back({TLineKind::lkComment, std::wstring(line), {}});
    } else if (line.front() == L'[') {
      const size_t close = line.rfind(L']');
      const std::wstring_view name =
          TrimView(line.substr(1, close == std::wstring_view::npos || close == 0 ? std::wstring_view::npos : close - 1));
      target = &doc.SectionFor(name).Lines;
    } else if (const size_t eq = line.find(L'='); eq != std::wstring_view::npos) {
      target->push_back({TLineKind::lkEntry, Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))});
    } else {
      target->push_back({TLineKind::lkBare, std::wstring(line), {}});
    }
  }
  return doc;
}

TIniDocument TIniDocument::FromBytes(std::string_view bytes, const TAnsiDecoder& ansi) {
  return Parse(DecodeText(bytes, ansi).Text);
}

std::wstring TIniDocument::Text() const {
  std::wstring out;
  auto appendLines = [&out](const std::vector<TLine>& lines) {
    for (const TLine& line : lines) {
      out += line.Key;
      if (line.Kind == TLineKind::lkEntry) {
        out += L'=';
        out += line.Value;
      }
      out += L"\r\n";
    }
  };
  appendLines(Preamble);
  for (const TSection& section : Sections) {
    if (!out.empty()) out += L"\r\n";
    out += L'[';
    out += section.Name;
    out += L"]\r\n";
    appendLines(section.Lines);
  }
  return out;
}

std::string TIniDocument::ToBytes() const { return EncodeUtf16LeWithBom(Text()); }

TIniDocument::TSection* TIniDocument::FindSection(std::wstring_view name) {
  for (TSection& section : Sections) {
    if (SameText(section.Name, name)) return &section;
  }
  return nullptr;
}

const TIniDocument::TSection* TIniDocument::FindSection(std::wstring_view name) const {
  return const_cast<TIniDocument*>(this)->FindSection(name);
}

TIniDocument::TSection& TIniDocument::SectionFor(std::wstring_view name) {
  if (TSection* found = FindSection(name)) return *found;
  Sections.push_back({std::wstring(name), {}});
  return Sections.back();
}

bool TIniDocument::HasSection(std::wstring_view section) const { return FindSection(section) != nullptr; }

std::vector<std::wstring> TIniDocument::SectionNames() const {
  std::vector<std::wstring> names;
  for (const TSection& section : Sections) names.push_back(section.Name);
  return names;
}

std::vector<std::wstring> TIniDocument::Keys(std::wstring_view section) const {
  std::vector<std::wstring> keys;
  if (const TSection* found = FindSection(section)) {
    for (const TLine& line : found->Lines) {
      if (line.Kind == TLineKind::lkEntry) keys.push_back(line.Key);
    }
  }
  return keys;
}

std::optional<std::wstring> TIniDocument::Read(std::wstring_view section, std::wstring_view key) const {
  if (const TSection* found = FindSection(section)) {
    for (const TLine& line : found->Lines) {
      if (line.Kind == TLineKind::lkEntry && SameText(line.Key, key)) return line.Value;
    }
  }
  return std::nullopt;
}

std::wstring TIniDocument::ReadString(std::wstring_view section, std::wstring_view key,
                                      std::wstring_view fallback) const {
  std::optional<std::wstring> value = Read(section, key);
  return value ? std::move(*value) : std::wstring(fallback);
}

std::vector<std::wstring> TIniDocument::ReadList(std::wstring_view section) const {
  std::vector<std::wstring> values;
  if (const TSection* found = FindSection(section)) {
    for (const TLine& line : found->Lines) {
      if (line.Kind == TLineKind::lkEntry) values.push_back(line.Value);
      else if (line.Kind == TLineKind::lkBare) values.push_back(line.Key);
    }
  }
  return values;
}

std::vector<std::wstring> TIniDocument::ReadValues(std::wstring_view section) const {
  std::vector<std::wstring> values;
  if (const TSection* found = FindSection(section)) {
    for (const TLine& line : found->Lines) {
      if (line.Kind == TLineKind::lkEntry) values.push_back(line.Value);
      else if (line.Kind == TLineKind::lkBare) values.emplace_back();
    }
  }
  return values;
}

void TIniDocument::Write(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  TSection& target = SectionFor(section);
  for (TLine& line : target.Lines) {
    if (line.Kind == TLineKind::lkEntry && SameText(line.Key, key)) {
      line.Key = WithoutLineBreaks(key);  // the key as the writer spells it
      line.Value = WithoutLineBreaks(value);
      return;
    }
  }
  target.Lines.push_back({TLineKind::lkEntry, WithoutLineBreaks(key), WithoutLineBreaks(value)});
}

bool TIniDocument::DeleteKey(std::wstring_view section, std::wstring_view key) {
  TSection* found = FindSection(section);
  if (!found) return false;
  auto& lines = found->Lines;
  const auto it = std::find_if(lines.begin(), lines.end(), [&](const TLine& line) {
    return line.Kind == TLineKind::lkEntry && SameText(line.Key, key);
  });
  if (it == lines.end()) return false;
  lines.erase(it);
  return true;
}

void TIniDocument::EraseSection(std::wstring_view section) {
  std::erase_if(Sections, [&](const TSection& s) { return SameText(s.Name, section); });
}

void TIniDocument::WriteList(std::wstring_view section, std::wstring_view keyPrefix,
                             const std::vector<std::wstring>& values) {
  EraseSection(section);
  TSection& target = SectionFor(section);
  target.Lines.reserve(values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    target.Lines.push_back(
        {TLineKind::lkEntry, std::wstring(keyPrefix) + std::to_wstring(i + 1), WithoutLineBreaks(values[i])});
  }
}

}  // namespace tdialix
