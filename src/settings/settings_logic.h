#pragma once
// The settings record: one line of 16 comma-separated fields in the system's ANSI code page.
// Texts here are already ANSI bytes; the bus window's LoadIni and SaveIni convert them to and from
// UTF-16.
#include <cstdint>
#include <string>
#include <string_view>

namespace rumona {

inline constexpr int kSettingsFieldCount = 16;

struct SettingsRecord {
  // Fields 1-4, 10 and 11 are twip positions. The writer writes them as single-precision
  // values; the reader stores the whole number it read.
  double busLeft = 0, busTop = 0;      // 1, 2
  double panelLeft = 0, panelTop = 0;  // 3, 4
  std::string signFolder;              // 5
  std::string reservedText;            // 6
  int32_t spare0 = 0, spare1 = 0;      // 7, 8
  std::string kanbanPath;              // 9
  double kanbanLeft = 0, kanbanTop = 0;  // 10, 11
  bool kanbanVisible = true;           // 12
  bool frameVisible = true;            // 13
  int32_t speed1 = 0, speed2 = 0;      // 14, 15: read as 32-bit, narrowed when applied
  int16_t option = 0;                  // 16
};

// The exact bytes of the file: the 16 fields, then CR LF. A double quote cannot be written
// inside a text (nothing is escaped), so one that slipped into a text is left out rather than
// making the whole file unreadable.
std::string WriteSettingsRecord(const SettingsRecord& record);

// Shortest decimal text that reads back as the same single-precision value; never exponent
// notation.
std::string FormatSingle(float value);

struct SettingsReadResult {
  // Fields 1..fieldsRead hold what was read; the others keep their defaults.
  SettingsRecord record;
  int fieldsRead = 0;
  bool complete() const { return fieldsRead == kSettingsFieldCount; }
};

// Reads the record field by field and stops at the first field that cannot be read as the kind
// expected (or at the end of the line or data). Blanks before a field are skipped, a text runs
// from its opening to its closing double quote, and anything after field 16 is ignored.
SettingsReadResult ReadSettingsRecord(std::string_view data);

inline bool ValidOption(int16_t option) { return option >= 0 && option <= 2; }

// A window rectangle in screen pixels moved inside a work area: as far as needed and no further,
// its left and top edges winning when it is larger than the area.
struct ScreenRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const ScreenRect&) const = default;
};
ScreenRect MoveInside(const ScreenRect& window, const ScreenRect& area);

}  // namespace rumona
