// The journal as a portable blob: big-endian, typed values byte-swapped to
// storage order, data kept as filed.
//
//   u32 'VJnl', u16 version 1, u32 entry count, then per entry:
//   u8 kind, u8 storedSwapped, i16 service, u16 local code, i32 index,
//   u16 depth, u16 + bytes entry name, u16 + bytes extension name,
//   u32 + bytes values
#include <algorithm>
#include <bit>

#include "host/command_journal.h"
#include "toolbox/big_endian_bytes.h"

namespace host {
namespace {

constexpr std::uint32_t kMagic = 0x564A6E6C;  // 'VJnl'
constexpr std::uint16_t kVersion = 1;
constexpr std::size_t kFixedEntryBytes = 1 + 1 + 2 + 2 + 4 + 2;

// The widths of the typed fields an entry's values hold, in order; empty for
// data, which is kept byte for byte.
std::vector<std::size_t> FieldWidths(const JournalEntry& entry) {
  if (entry.kind == JournalEntry::Kind::kSourceChange) return {2};
  switch (entry.service) {
    case 7: return {2};
    case 8:
    case 10: return {2, 2};
    case 16: return {1};
    case 18: return {8};
    case 19: return {8, 8};
    default: return {};
  }
}

// Native and storage order differ only on a little-endian machine.
std::vector<unsigned char> SwapFields(const JournalEntry& entry, std::vector<unsigned char> values) {
  if constexpr (std::endian::native == std::endian::big) return values;
  std::size_t at = 0;
  for (std::size_t width : FieldWidths(entry)) {
    if (at + width > values.size()) break;
    std::reverse(values.begin() + static_cast<std::ptrdiff_t>(at),
                 values.begin() + static_cast<std::ptrdiff_t>(at + width));
    at += width;
  }
  return values;
}

void WriteText(toolbox::BigEndianWriter& out, const std::string& text) {
  const std::size_t n = std::min<std::size_t>(text.size(), 0xFFFF);
  out.U16(static_cast<std::uint16_t>(n));
  out.Bytes(std::span(reinterpret_cast<const unsigned char*>(text.data()), n));
}

std::optional<std::string> ReadText(const toolbox::BigEndianReader& in, std::size_t& at) {
  const auto n = in.U16(at);
  if (!n) return std::nullopt;
  const auto bytes = in.Bytes(at + 2, *n);
  if (!bytes) return std::nullopt;
  at += 2 + *n;
  return std::string(bytes->begin(), bytes->end());
}

std::optional<JournalEntry> ReadEntry(const toolbox::BigEndianReader& in, std::size_t& at) {
  if (!in.Contains(at, kFixedEntryBytes)) return std::nullopt;
  JournalEntry entry;
  const std::uint8_t kind = *in.U8(at);
  if (kind != 1 && kind != 2) return std::nullopt;
  entry.kind = static_cast<JournalEntry::Kind>(kind);
  entry.storedSwapped = *in.U8(at + 1) != 0;
  entry.service = static_cast<std::int16_t>(*in.U16(at + 2));
  entry.localCode = *in.U16(at + 4);
  entry.index = static_cast<std::int32_t>(*in.U32(at + 6));
  entry.depth = *in.U16(at + 10);
  at += kFixedEntryBytes;
  auto entryName = ReadText(in, at);
  auto extension = entryName ? ReadText(in, at) : std::nullopt;
  const auto valueCount = extension ? in.U32(at) : std::nullopt;
  const auto values = valueCount ? in.Bytes(at + 4, *valueCount) : std::nullopt;
  if (!values) return std::nullopt;
  at += 4 + *valueCount;
  entry.entryName = std::move(*entryName);
  entry.extension = std::move(*extension);
  entry.values = SwapFields(entry, std::vector<unsigned char>(values->begin(), values->end()));
  return entry;
}

}  // namespace

std::vector<unsigned char> CommandJournal::Serialise() const {
  toolbox::BigEndianWriter out;
  out.U32(kMagic);
  out.U16(kVersion);
  out.U32(static_cast<std::uint32_t>(entries_.size()));
  for (const JournalEntry& entry : entries_) {
    out.U8(static_cast<std::uint8_t>(entry.kind));
    out.U8(entry.storedSwapped ? 1 : 0);
    out.S16(entry.service);
    out.U16(entry.localCode);
    out.U32(static_cast<std::uint32_t>(entry.index));
    out.U16(entry.depth);
    WriteText(out, entry.entryName);
    WriteText(out, entry.extension);
    const std::vector<unsigned char> stored = SwapFields(entry, entry.values);
    out.U32(static_cast<std::uint32_t>(stored.size()));
    out.Bytes(stored);
  }
  return out.Take();
}

std::optional<CommandJournal> CommandJournal::Deserialise(std::span<const unsigned char> blob,
                                                          std::string* error) {
  const toolbox::BigEndianReader in(blob);
  const auto fail = [error](const std::string& why) {
    if (error != nullptr) *error = why;
    return std::nullopt;
  };
  if (in.U32(0) != kMagic) return fail("not a command journal");
  if (in.U16(4) != kVersion) return fail("command journal of an unknown version");
  const auto count = in.U32(6);
  if (!count) return fail("command journal cut short");
  CommandJournal journal;
  std::size_t at = 10;
  for (std::uint32_t i = 0; i < *count; ++i) {
    auto entry = ReadEntry(in, at);
    if (!entry) return fail("command journal entry " + std::to_string(i + 1) + " is cut short or malformed");
    journal.Append(std::move(*entry));
  }
  if (at != blob.size()) return fail("command journal has bytes after its last entry");
  return journal;
}

}  // namespace host
