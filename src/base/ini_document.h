// The INI document behind the settings and style files: sections of key lines,
// matched without regard to case and kept in file order. Whatever the program
// does not know (other sections, other keys, comments) survives a rewrite.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_codec.h"

namespace tdialix {

class TIniDocument {
 public:
  TIniDocument() = default;

  // Lines end with CR LF, LF or CR. Blank lines are dropped; a line that starts
  // with ";" is a comment; "[name]" starts a section (a repeated header goes on
  // with the earlier section); "key=value" is an entry with both sides trimmed;
  // any other line is an entry without a value.
  static TIniDocument Parse(std::wstring_view text);
  // Decodes the bytes first (byte order mark, else the ANSI code page).
  static TIniDocument FromBytes(std::string_view bytes, const TAnsiDecoder& ansi = {});

  // The document as text with CR LF line ends, and as UTF-16 LE bytes with a BOM.
  std::wstring Text() const;
  std::string ToBytes() const;

  bool HasSection(std::wstring_view section) const;
  std::vector<std::wstring> SectionNames() const;
  // The keys of the section's "key=value" entries in file order.
  std::vector<std::wstring> Keys(std::wstring_view section) const;

  // The value of the first entry with this key, or nothing when there is none.
  std::optional<std::wstring> Read(std::wstring_view section, std::wstring_view key) const;
  std::wstring ReadString(std::wstring_view section, std::wstring_view key,
                          std::wstring_view fallback) const;

  // Every entry of the section in file order, whatever its key: the text after
  // the first "=", or the whole line where there is none.
  std::vector<std::wstring> ReadList(std::wstring_view section) const;
  // The same, where only "key=value" entries carry a value: a line without a
  // key gives an empty one.
  std::vector<std::wstring> ReadValues(std::wstring_view section) const;

  // Replaces the first entry with this key (spelling the key as given), or appends one to the section
  // (which is created at the end when missing). Line breaks in the value are
  // written as blanks: a value can never add lines to the file.
  void Write(std::wstring_view section, std::wstring_view key, std::wstring_view value);
  bool DeleteKey(std::wstring_view section, std::wstring_view key);
  void EraseSection(std::wstring_view section);

  // A list as a section of its own: erased, then keys prefix + 1, prefix + 2, ...
  void WriteList(std::wstring_view section, std::wstring_view keyPrefix,
                 const std::vector<std::wstring>& values);

 private:
  enum class TLineKind { lkEntry, lkBare, lkComment };
  struct TLine {
    TLineKind Kind = TLineKind::lkEntry;
    std::wstring Key;    // entry key, or the whole bare or comment line
    std::wstring Value;  // entry value
  };
  struct TSection {
    std::wstring Name;
    std::vector<TLine> Lines;
  };

  TSection* FindSection(std::wstring_view name);
  const TSection* FindSection(std::wstring_view name) const;
  TSection& SectionFor(std::wstring_view name);

  std::vector<TLine> Preamble;  // lines before the first section
  std::vector<TSection> Sections;
};

}  // namespace tdialix
