// Reading the settings or a style file must never be noticeable; a 1 MB file
// is far beyond any real one.
#include <benchmark/benchmark.h>

#include <string>

#include "base/comma_text.h"
#include "base/ini_document.h"
#include "base/text_codec.h"

namespace {

std::string MakeFile(size_t bytes) {
  std::wstring text;
  int section = 0;
  while (text.size() * 2 < bytes) {
    text += L"[Section" + std::to_wstring(++section) + L"]\r\n";
    for (int key = 1; key <= 40; ++key) {
      text += L"Holiday" + std::to_wstring(key) + L"=0,1, 1,2, 1,1,\"成人の日\"\r\n";
    }
  }
  return tdialix::EncodeUtf16LeWithBom(text);
}

void BM_IniParseOneMegabyte(benchmark::State& state) {
  const std::string bytes = MakeFile(1 << 20);
  for (auto _ : state) {
    benchmark::DoNotOptimize(tdialix::TIniDocument::FromBytes(bytes));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_IniParseOneMegabyte);

void BM_IniWriteOneMegabyte(benchmark::State& state) {
  const auto doc = tdialix::TIniDocument::FromBytes(MakeFile(1 << 20));
  for (auto _ : state) benchmark::DoNotOptimize(doc.ToBytes());
}
BENCHMARK(BM_IniWriteOneMegabyte);

void BM_SplitCommaText(benchmark::State& state) {
  const std::wstring line = L"0,1, 1,2, 1,1,\"成人の日\"";
  for (auto _ : state) benchmark::DoNotOptimize(tdialix::SplitCommaText(line));
}
BENCHMARK(BM_SplitCommaText);

}  // namespace

BENCHMARK_MAIN();
