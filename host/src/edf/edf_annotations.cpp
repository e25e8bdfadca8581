// EDF+ annotation lists (TALs) inside a data record:
//   +onset [0x15 duration] 0x14 {text 0x14}... 0x00
// repeated from the first byte of the signal; unused bytes are 0x00.
#include "edf_fields.h"
#include "edf_layout.h"

namespace host::edf {
namespace {

constexpr unsigned char kDurationMark = 0x15;
constexpr unsigned char kTextEnd = 0x14;

class TalCursor {
 public:
  explicit TalCursor(std::span<const unsigned char> area) : area_(area) {}
  bool AtEnd() const { return pos_ >= area_.size(); }
  unsigned char Peek() const { return area_[pos_]; }
  void Skip() { ++pos_; }
  // Bytes up to (not including) the first of `stopA` or `stopB`, which stays
  // unread; none when neither comes before the end of the area or a 0x00.
  std::optional<std::string_view> Until(unsigned char stopA, unsigned char stopB) {
    const std::size_t from = pos_;
    while (pos_ < area_.size() && area_[pos_] != stopA && area_[pos_] != stopB) {
      if (area_[pos_] == 0) return std::nullopt;
      ++pos_;
    }
    if (pos_ >= area_.size()) return std::nullopt;
    return FieldAt(area_, from, pos_ - from);
  }

 private:
  std::span<const unsigned char> area_;
  std::size_t pos_ = 0;
};

struct TalTime {
  double onset = 0;
  double duration = -1;
};

bool ParseTalTime(TalCursor& cursor, TalTime& time, std::string* problem) {
  const auto onset = cursor.Until(kDurationMark, kTextEnd);
  if (!onset) return Fail(problem, "annotation list is not terminated");
  const auto value = ParseNumber(*onset);
  if (onset->empty() || (onset->front() != '+' && onset->front() != '-') || !value) {
    return Fail(problem, "annotation onset " + Quoted(*onset) + " is not a signed number of seconds");
  }
  time.onset = *value;
  if (cursor.Peek() == kDurationMark) {
    cursor.Skip();
    const auto duration = cursor.Until(kTextEnd, kTextEnd);
    if (!duration) return Fail(problem, "annotation list is not terminated");
    const auto seconds = ParseNumber(*duration);
    if (!seconds || duration->front() == '+' || duration->front() == '-') {
      return Fail(problem, "annotation duration " + Quoted(*duration) + " is not an unsigned number of seconds");
    }
    time.duration = *seconds;
  }
  cursor.Skip();  // the 0x14 that ends onset and duration
  return true;
}

// The texts of one list after its time, through the closing 0x00. *first
// receives the first text (an empty one marks a time-keeping list).
bool ParseTalTexts(TalCursor& cursor, const TalTime& time, std::optional<std::string>* first,
                   std::vector<EdfAnnotation>& annotations, std::string* problem) {
  while (true) {
    if (cursor.AtEnd()) return Fail(problem, "annotation list is not terminated");
    if (cursor.Peek() == 0) {
      cursor.Skip();
      return true;
    }
    const auto text = cursor.Until(kTextEnd, kTextEnd);
    if (!text) return Fail(problem, "annotation text is not terminated");
    cursor.Skip();
    if (!*first) *first = std::string(*text);
    if (!text->empty()) annotations.push_back({time.onset, time.duration, std::string(*text)});
  }
}

}  // namespace

bool ParseAnnotationArea(std::span<const unsigned char> area, bool timeKeeping, double* recordOnset,
                         std::vector<EdfAnnotation>& annotations, std::string* problem) {
  TalCursor cursor(area);
  bool first = true;
  while (!cursor.AtEnd() && cursor.Peek() != 0) {
    TalTime time;
    std::optional<std::string> firstText;
    if (!ParseTalTime(cursor, time, problem)) return false;
    if (!ParseTalTexts(cursor, time, &firstText, annotations, problem)) return false;
    if (first && timeKeeping) {
      if (!firstText || !firstText->empty()) {
        return Fail(problem, "first annotation list does not start with the record's time");
      }
      *recordOnset = time.onset;
    }
    first = false;
  }
  if (first && timeKeeping) return Fail(problem, "no time-keeping annotation");
  return true;
}

}  // namespace host::edf
