// Other programs put whatever they like under ".dlx" and "DLXFile". Whatever
// is there, the association reads it without harm, associating makes the
// program the class, and removing afterwards gives back every value and key
// the association did not name itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "../tests/support/memory_classes_store.h"
#include "dialogs/shell_association.h"

namespace {

using namespace tdialix;

class YesPrompt final : public TAssociationPrompt {
 public:
  bool Confirm(TMsg) override { return true; }
  void ShowError(TMsg) override { std::abort(); }  // the store never fails here
  void AssociationsChanged() override {}
};

constexpr const wchar_t* kKeys[] = {L".dlx", L".DLX\\OpenWithProgids", L"DLXFile", L"dlxfile\\shell\\open", L"Other"};
constexpr const wchar_t* kNames[] = {L"", L"Associated", L"PreviousDefault", L"Content Type"};

// Each value takes four bytes for its key, name, type and length, then its data.
TMemoryClassesStore StoreOf(const std::uint8_t* data, std::size_t size) {
  TMemoryClassesStore store;
  for (std::size_t at = 0; at + 4 <= size;) {
    const wchar_t* key = kKeys[data[at] % std::size(kKeys)];
    const wchar_t* name = kNames[data[at + 1] % std::size(kNames)];
    TRegistryValue value{static_cast<std::uint32_t>(data[at + 2] % 5), {}};
    const std::size_t length = data[at + 3] % 16;
    at += 4;
    for (std::size_t i = 0; i < length && at < size; ++i) value.Data.push_back(data[at++]);
    store.Set(key, name, value);
  }
  return store;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TMemoryClassesStore prior = StoreOf(data, size);
  TMemoryClassesStore store = prior;
  YesPrompt yes;
  const std::wstring program = L"C:\\Program Files\\TDialix\\TDialix.exe";
  if (ChangeStyleFileAssociation(store, true, program, yes) != TAssociationResult::arChanged) std::abort();
  if (!IsStyleFileClass(store.ReadValue(L".dlx", L""), std::nullopt)) std::abort();
  if (ChangeStyleFileAssociation(store, false, program, yes) != TAssociationResult::arChanged) std::abort();

  // Apart from the class key, which is the association's own, all is as
  // before. (A ".dlx" that already holds the association's own value names
  // is its own business: they are read, not kept.)
  TMemoryClassesStore expected = prior;
  if (expected.ReadValue(L".dlx", L"Associated") || expected.ReadValue(L".dlx", L"PreviousDefault")) return 0;
  expected.DeleteKeyTree(L"DLXFile");
  if (expected.KeyExists(L".dlx")) {
    // A default that named the class already was the association's, and goes with it.
    if (IsStyleFileClass(expected.ReadValue(L".dlx", L""), std::nullopt)) expected.DeleteValue(L".dlx", L"");
    if (expected.IsKeyEmpty(L".dlx")) expected.DeleteEmptyKey(L".dlx");
  }
  if (!(store == expected)) std::abort();
  return 0;
}
