// The settings record: its one line of 16 fields written and read.
#include "settings/settings_logic.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "common/twips_logic.h"

namespace rumona {

namespace {

// A field as its type is written: positions as single-precision values, texts in quotes,
// whole numbers, flags.
void AppendField(std::string& out, double position) {
  out += FormatSingle(static_cast<float>(position));
}

void AppendField(std::string& out, const std::string& text) {
  out += '"';
  for (char c : text)
    if (c != '"') out += c;
  out += '"';
}

void AppendField(std::string& out, int32_t value) {
  char buf[16];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, res.ptr);
}

void AppendField(std::string& out, bool value) { out += value ? "#TRUE#" : "#FALSE#"; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Walks the record one field at a time.
class FieldReader {
 public:
  explicit FieldReader(std::string_view data) : data_(data) {}

  bool Text(std::string& out) {
    SkipBlanks();
    if (AtEnd() || data_[pos_] != '"') return false;
    const size_t close = data_.find('"', pos_ + 1);
    if (close == std::string_view::npos) return false;
    std::string_view text = data_.substr(pos_ + 1, close - pos_ - 1);
    pos_ = close + 1;
    SkipBlanks();
    if (!AtDelimiter()) return false;
    out.assign(text);
    return true;
  }

  // A number with an optional "-" and an optional fraction, rounded half to even to a whole
  // number that must lie within [lo, hi].
  bool Whole(int64_t lo, int64_t hi, int64_t& out) {
    std::string_view token = Token();
    size_t i = 0, digits = 0;
    if (i < token.size() && token[i] == '-') ++i;
    for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) ++digits;
    if (i < token.size() && token[i] == '.') {
      ++i;
      for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) ++digits;
    }
    if (digits == 0 || i != token.size()) return false;
    double value = 0;
    const auto res = std::from_chars(token.data(), token.data() + token.size(), value,
                                     std::chars_format::fixed);
    if (res.ec != std::errc() || res.ptr != token.data() + token.size()) return false;
    const double rounded = std::nearbyint(value);
    if (!(rounded >= static_cast<double>(lo) && rounded <= static_cast<double>(hi))) return false;
    out = RoundHalfEven(value);
    return true;
  }

  bool Flag(bool& out) {
    std::string_view token = Token();
    auto same = [&](std::string_view word) {
      if (token.size() != word.size()) return false;
      for (size_t i = 0; i < word.size(); ++i) {
        char c = token[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != word[i]) return false;
      }
      return true;
    };
    if (same("#TRUE#")) out = true;
    else if (same("#FALSE#")) out = false;
    else return false;
    return true;
  }

  // After a field: a comma leads to the next one; the end of the line or of the data ends the
  // record.
  bool NextField() {
    if (AtEnd() || data_[pos_] != ',') return false;
    ++pos_;
    return true;
  }

 private:
  bool AtEnd() const { return pos_ >= data_.size(); }
  bool AtDelimiter() const { return AtEnd() || data_[pos_] == ',' || IsLineEnd(data_[pos_]); }
  void SkipBlanks() {
    while (!AtEnd() && IsBlank(data_[pos_])) ++pos_;
  }
  // An unquoted field up to the next delimiter, without the blanks round it.
  std::string_view Token() {
    SkipBlanks();
    const size_t start = pos_;
    while (!AtDelimiter()) ++pos_;
    size_t end = pos_;
    while (end > start && IsBlank(data_[end - 1])) --end;
    return data_.substr(start, end - start);
  }

  std::string_view data_;
  size_t pos_ = 0;
};

constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t kInt16Min = std::numeric_limits<int16_t>::min();
constexpr int64_t kInt16Max = std::numeric_limits<int16_t>::max();

}  // namespace

std::string FormatSingle(float value) {
  if (!std::isfinite(value) || value == 0) return "0";
  // Fixed notation keeps large positions out of exponent form; the longest float needs 48
  // characters this way.
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
  if (res.ec != std::errc()) return "0";
  return std::string(buf, res.ptr);
}

std::string WriteSettingsRecord(const SettingsRecord& r) {
  std::string out;
  auto fields = [&out](const auto&... field) { ((AppendField(out, field), out += ','), ...); };
  fields(r.busLeft, r.busTop, r.panelLeft, r.panelTop, r.signFolder, r.reservedText, r.spare0,
         r.spare1, r.kanbanPath, r.kanbanLeft, r.kanbanTop, r.kanbanVisible, r.frameVisible,
         r.speed1, r.speed2, int32_t{r.option});
  out.back() = '\r';  // the last field ends the line instead
  out += '\n';
  return out;
}

SettingsReadResult ReadSettingsRecord(std::string_view data) {
  SettingsReadResult result;
  SettingsRecord& r = result.record;
  FieldReader in(data);
  int64_t n = 0;
  auto position = [&](double& field) {
    if (!in.Whole(kInt32Min, kInt32Max, n)) return false;
    field = static_cast<double>(n);
    return true;
  };
  auto whole32 = [&](int32_t& field) {
    if (!in.Whole(kInt32Min, kInt32Max, n)) return false;
    field = static_cast<int32_t>(n);
    return true;
  };
  auto option = [&](int16_t& field) {
    if (!in.Whole(kInt16Min, kInt16Max, n)) return false;
    field = static_cast<int16_t>(n);
    return true;
  };
  // Each field is stored as soon as it is read, so the caller sees how far reading got.
  auto step = [&](bool ok) {
    if (!ok) return false;
    ++result.fieldsRead;
    return result.fieldsRead == kSettingsFieldCount || in.NextField();
  };
  step(position(r.busLeft)) && step(position(r.busTop)) && step(position(r.panelLeft)) &&
      step(position(r.panelTop)) && step(in.Text(r.signFolder)) &&
      step(in.Text(r.reservedText)) && step(whole32(r.spare0)) && step(whole32(r.spare1)) &&
      step(in.Text(r.kanbanPath)) && step(position(r.kanbanLeft)) &&
      step(position(r.kanbanTop)) && step(in.Flag(r.kanbanVisible)) &&
      step(in.Flag(r.frameVisible)) && step(whole32(r.speed1)) && step(whole32(r.speed2)) &&
      step(option(r.option));
  return result;
}

ScreenRect MoveInside(const ScreenRect& window, const ScreenRect& area) {
  ScreenRect moved = window;
  auto fit = [](int pos, int size, int start, int length) {
    if (pos + size > start + length) pos = start + length - size;
    if (pos < start) pos = start;
    return pos;
  };
  moved.left = fit(window.left, window.width, area.left, area.width);
  moved.top = fit(window.top, window.height, area.top, area.height);
  return moved;
}

}  // namespace rumona
