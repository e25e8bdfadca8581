// Text services through the table: appending (95), case folding (94), output
// titles (96), clipboard lines (389) and strings of a string list handle (181).
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "service_call.h"
#include "toolbox/resource_test_support.h"
#include "toolbox/memory.h"

namespace {

using namespace vantor::service;
using testext::Call;
using resource_test::PString;
using resource_test::TextOf;

TEST(Appending, CutsAt255) {
  PString a("Flow: ");
  Call<HostAppendString>(a.bytes.data(), PString("L/s").get());
  EXPECT_EQ(TextOf(a.get()), "Flow: L/s");
  PString b(std::string(250, 'x'));
  Call<HostAppendString>(b.bytes.data(), PString("0123456789").get());
  EXPECT_EQ(TextOf(b.get()), std::string(250, 'x') + "01234");
}

std::string Folded(std::string_view text, std::int16_t mode) {
  PString s(text);
  Call<HostService94>(s.bytes.data(), mode);
  return TextOf(s.get());
}

TEST(CaseFolding, LowerCaseMakesUnitTextsComparable) {
  EXPECT_EQ(Folded("L/s", 0), "l/s");
  EXPECT_EQ(Folded("\x80\x83\xAE", 0), "\x8A\x8E\xBE") << "MacRoman Ä É Æ to ä é æ";
  EXPECT_EQ(Folded("\xB5V", 0), "\xB5v") << "µ has no case";
  EXPECT_EQ(Folded("l/min", 1), "L/MIN");
  EXPECT_EQ(Folded("Mixed", 7), "Mixed") << "an unknown mode leaves the text";
}

std::string OutputTitle(std::string_view templ, std::int16_t placeholder, std::string_view title) {
  PString text(templ);
  const PString name(title);
  Call<HostService96>(text.bytes.data(), placeholder, name.get());
  return TextOf(text.get());
}

TEST(OutputTitles, ReplaceThePlaceholderOrAppendTheTitle) {
  EXPECT_EQ(OutputTitle("Spirometry: ^2", 2, "Report"), "Spirometry: Report");
  EXPECT_EQ(OutputTitle("^2 (^2)", 2, "Report"), "Report (Report)");
  EXPECT_EQ(OutputTitle("Spirometry ^1", 2, "Report"), "Spirometry ^1 Report") << "another placeholder stays";
  EXPECT_EQ(OutputTitle("Spirometry ", 2, "Report"), "Spirometry Report");
  EXPECT_EQ(OutputTitle("^2^2", 2, "^2"), "^2^2") << "a title holding the placeholder is not expanded again";
  const std::string longTitle(250, 't');
  EXPECT_EQ(OutputTitle("Print ^2", 2, longTitle), "Print " + longTitle.substr(0, 249)) << "cut at 255";
}

TEST(ClipboardLines, PasteAsOneRowOfTabSeparatedCells) {
  PString line("Flow\t1.25 L/s\r\n  ");
  Call<HostService389>(line.bytes.data());
  EXPECT_EQ(TextOf(line.get()), "Flow\t1.25 L/s");
  PString blank("   ");
  Call<HostService389>(blank.bytes.data());
  EXPECT_EQ(TextOf(blank.get()), "");
}

// A 'STR#' list in a handle: big-endian count, then the strings.
Handle StringList(std::vector<std::string_view> strings, std::size_t cutTo = SIZE_MAX) {
  std::vector<unsigned char> bytes = {0, static_cast<unsigned char>(strings.size())};
  for (std::string_view s : strings) {
    bytes.push_back(static_cast<unsigned char>(s.size()));
    bytes.insert(bytes.end(), s.begin(), s.end());
  }
  bytes.resize(std::min(cutTo, bytes.size()));
  Handle h = NewHandle(static_cast<Size>(bytes.size()));
  std::memcpy(*h, bytes.data(), bytes.size());
  return h;
}

std::string ListString(Handle list, std::int16_t index) {
  return testext::TextWritten([&](Str255* out) { Call<HostGetListString>(list, index, out); });
}

TEST(ListStrings, AnswerByIndexAndEmptyOutsideADamagedOrDeadList) {
  Handle list = StringList({"Flow", "", "Volume"});
  const std::pair<std::int16_t, const char*> answers[] = {{1, "Flow"}, {2, ""}, {3, "Volume"},
                                                          {0, ""},    {-1, ""}, {4, ""}};
  for (const auto& [index, text] : answers) EXPECT_EQ(ListString(list, index), text) << index;
  DisposeHandle(list);

  Handle cut = StringList({"Flow", "Volume"}, 9);  // the second string's length byte claims 6, 1 is there
  EXPECT_EQ(ListString(cut, 2), "");
  DisposeHandle(cut);
  Handle lying = StringList({"Flow"});
  (*lying)[1] = 9;  // the count claims nine strings
  EXPECT_EQ(ListString(lying, 5), "");
  DisposeHandle(lying);
  EXPECT_EQ(ListString(lying, 1), "") << "a disposed handle is not read";
  EXPECT_EQ(ListString(nullptr, 1), "");
}

}  // namespace
