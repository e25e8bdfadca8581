// The script of user actions written as text (the command line's form).
#include <charconv>
#include <vector>

#include "toolbox/macroman.h"
#include "toolbox/script.h"

namespace toolbox {
namespace {

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

// Splits at ';' and line ends outside double quotes.
std::vector<std::string_view> SplitActions(std::string_view text) {
  std::vector<std::string_view> actions;
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] == '"') quoted = !quoted;
    if (i == text.size() || (!quoted && (text[i] == ';' || text[i] == '\n'))) {
      const std::string_view action = Trim(text.substr(start, i - start));
      if (!action.empty()) actions.push_back(action);
      start = i + 1;
    }
  }
  return actions;
}

// Takes the next blank-separated word off `rest`.
std::string_view NextWord(std::string_view& rest) {
  rest = Trim(rest);
  const auto end = rest.find_first_of(" \t");
  const std::string_view word = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end);
  return word;
}

std::optional<SInt16> Number(std::string_view word) {
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc{} || end != word.data() + word.size() || value < -32768 || value > 32767) {
    return std::nullopt;
  }
  return static_cast<SInt16>(value);
}

// Exactly `count` numbers and nothing after them.
std::optional<std::vector<SInt16>> Numbers(std::string_view rest, std::size_t count) {
  std::vector<SInt16> numbers;
  for (std::size_t i = 0; i < count; ++i) {
    const auto n = Number(NextWord(rest));
    if (!n) return std::nullopt;
    numbers.push_back(*n);
  }
  if (!Trim(rest).empty()) return std::nullopt;
  return numbers;
}

// The rest of an action as MacRoman text; surrounding double quotes are dropped.
std::optional<std::string> TextArgument(std::string_view rest, std::string* problem) {
  rest = Trim(rest);
  if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') rest = rest.substr(1, rest.size() - 2);
  return Utf8ToMacRoman(rest, problem);
}

std::optional<unsigned char> KeyNamed(std::string_view name) {
  if (name == "return") return 0x0D;
  if (name == "enter") return 0x03;
  if (name == "escape") return 0x1B;
  if (name == "tab") return 0x09;
  const auto text = Utf8ToMacRoman(name);
  if (text && text->size() == 1) return static_cast<unsigned char>((*text)[0]);
  return std::nullopt;
}

std::optional<ScriptAction> ParseTextual(std::string_view verb, std::string_view rest, std::string* problem) {
  if (verb == "type") {
    const auto item = Number(NextWord(rest));
    if (!item) return std::nullopt;
    const auto text = TextArgument(rest, problem);
    if (!text) return std::nullopt;
    return TypeTextAction(*item, *text);
  }
  if (verb == "key") {
    const auto key = KeyNamed(Trim(rest));
    if (!key) return std::nullopt;
    return KeyAction(*key);
  }
  // choose
  if (const auto item = Numbers(rest, 1)) return MenuChoiceAction((*item)[0]);
  const auto text = TextArgument(rest, problem);
  if (!text || text->empty()) return std::nullopt;
  return MenuChoiceByTextAction(*text);
}

std::optional<ScriptAction> ParseNumeric(std::string_view verb, std::string_view rest) {
  if (verb == "hit") {
    const auto n = Numbers(rest, 1);
    if (n) return ItemHitAction((*n)[0]);
  } else if (verb == "grow") {
    const auto n = Numbers(rest, 2);
    if (n) return GrowTargetAction((*n)[0], (*n)[1]);
  } else if (verb == "drag") {
    const auto n = Numbers(rest, 2);
    if (n) return DragTargetAction((*n)[0], (*n)[1]);
  } else if (verb == "zoom") {
    const auto n = Numbers(rest, 4);
    if (n) return ZoomTargetAction(Rect{(*n)[0], (*n)[1], (*n)[2], (*n)[3]});
  } else if (verb == "click") {
    const auto n = Numbers(rest, 2);
    if (n) return ClickAction(Point{(*n)[1], (*n)[0]});
  }
  return std::nullopt;
}

std::optional<ScriptAction> ParseAction(std::string_view action, std::string* problem) {
  std::string_view rest = action;
  const std::string_view verb = NextWord(rest);
  if (verb == "type" || verb == "key" || verb == "choose") return ParseTextual(verb, rest, problem);
  return ParseNumeric(verb, rest);
}

}  // namespace

bool QueueScriptText(std::string_view text, std::string* problem) {
  std::vector<ScriptAction> parsed;
  for (const std::string_view action : SplitActions(text)) {
    std::string detail;
    const auto one = ParseAction(action, &detail);
    if (!one) {
      if (problem != nullptr) {
        *problem = "cannot read script action '" + std::string(action) + "'" + (detail.empty() ? "" : ": " + detail);
      }
      return false;
    }
    parsed.push_back(*one);
  }
  for (ScriptAction& action : parsed) PushScriptAction(std::move(action));
  return true;
}

}  // namespace toolbox
