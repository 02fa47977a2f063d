// Fuzzes the settings reader: any bytes must read without a crash, a hang or a sanitizer report,
// and a record that reads completely must write a line that reads back to the same line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/settings_logic.h"

namespace {

// Positions go through single precision when written; beyond 2^24 twips they are not exact, so
// the round trip is checked only where a window could really stand.
bool PositionsExactInSingle(const rumona::SettingsRecord& r) {
  for (double v : {r.busLeft, r.busTop, r.panelLeft, r.panelTop, r.kanbanLeft, r.kanbanTop})
    if (v < -16777216 || v > 16777216) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const rumona::SettingsReadResult read = rumona::ReadSettingsRecord(input);
  if (read.fieldsRead < 0 || read.fieldsRead > rumona::kSettingsFieldCount) std::abort();
  if (!read.complete() || !PositionsExactInSingle(read.record)) return 0;
  const std::string line = rumona::WriteSettingsRecord(read.record);
  if (line.size() < 2 || line.compare(line.size() - 2, 2, "\r\n") != 0) std::abort();
  const rumona::SettingsReadResult again = rumona::ReadSettingsRecord(line);
  if (!again.complete()) std::abort();
  if (rumona::WriteSettingsRecord(again.record) != line) std::abort();
  return 0;
}
