// Reading and writing the classic resource file layout.
//
// The reader trusts nothing: each structure is located through offsets read
// from the file, so each is checked against the region that holds it before
// it is used, and all reads go through BigEndianReader, which refuses any
// access outside its span.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_map>

#include "toolbox/big_endian_bytes.h"
#include "toolbox/resource_file_format.h"

namespace toolbox {
namespace {

constexpr std::size_t kHeaderBytes = 16;
constexpr std::size_t kMapHeaderBytes = 28;
constexpr std::size_t kTypeEntryBytes = 8;
constexpr std::size_t kReferenceEntryBytes = 12;
constexpr std::size_t kDataLengthBytes = 4;
constexpr std::uint16_t kNoName = 0xFFFF;
constexpr std::uint16_t kNoTypes = 0xFFFF;
constexpr std::size_t kMaxMapOffset = 0xFFFF;
constexpr std::size_t kMaxNameBytes = 255;

struct Region {
  std::size_t begin;
  std::size_t end;
};

bool Disjoint(std::vector<Region> regions) {
  std::sort(regions.begin(), regions.end(),
            [](const Region& a, const Region& b) {
              // Empty regions first, so one that starts where another starts is not an overlap.
              return a.begin != b.begin ? a.begin < b.begin : a.end < b.end;
            });
  for (std::size_t i = 1; i < regions.size(); ++i) {
    if (regions[i].begin < regions[i - 1].end) return false;
  }
  return true;
}

struct FileAreas {
  std::span<const unsigned char> data;
  std::span<const unsigned char> map;
};

std::optional<FileAreas> LocateAreas(const BigEndianReader& file) {
  const auto dataOffset = file.U32(0);
  const auto mapOffset = file.U32(4);
  const auto dataLength = file.U32(8);
  const auto mapLength = file.U32(12);
  if (!dataOffset || !mapOffset || !dataLength || !mapLength) return std::nullopt;
  if (*dataOffset < kHeaderBytes || *mapOffset < kHeaderBytes) return std::nullopt;
  const auto data = file.Bytes(*dataOffset, *dataLength);
  const auto map = file.Bytes(*mapOffset, *mapLength);
  if (!data || !map) return std::nullopt;
  if (!Disjoint({{*dataOffset, *dataOffset + *dataLength}, {*mapOffset, *mapOffset + *mapLength}}))
    return std::nullopt;
  return FileAreas{*data, *map};
}

struct TypeEntry {
  ResType type;
  std::size_t count;
  std::size_t referenceListOffset;  // from the start of the map
};

// The type list and every reference list it points to, checked to lie in the
// map and not to overlap one another.
std::optional<std::vector<TypeEntry>> ReadTypeList(const BigEndianReader& map, std::size_t typeList) {
  const auto countWord = map.U16(typeList);
  if (!countWord) return std::nullopt;
  const std::size_t typeCount = *countWord == kNoTypes ? 0 : std::size_t{*countWord} + 1;
  const std::size_t typeListEnd = typeList + 2 + typeCount * kTypeEntryBytes;
  if (!map.Contains(typeList, typeListEnd - typeList)) return std::nullopt;

  std::vector<TypeEntry> types;
  std::vector<Region> regions{{typeList, typeListEnd}};
  for (std::size_t i = 0; i < typeCount; ++i) {
    const std::size_t at = typeList + 2 + i * kTypeEntryBytes;
    const ResType type = *map.U32(at);
    const std::size_t count = std::size_t{*map.U16(at + 4)} + 1;
    const std::size_t listOffset = typeList + *map.U16(at + 6);
    const std::size_t listBytes = count * kReferenceEntryBytes;
    if (!map.Contains(listOffset, listBytes)) return std::nullopt;
    const bool repeated = std::any_of(types.begin(), types.end(),
                                      [type](const TypeEntry& t) { return t.type == type; });
    if (repeated) return std::nullopt;
    types.push_back({type, count, listOffset});
    regions.push_back({listOffset, listOffset + listBytes});
  }
  if (!Disjoint(std::move(regions))) return std::nullopt;
  return types;
}

std::optional<std::string> ReadName(const BigEndianReader& map, std::size_t nameList,
                                    std::uint16_t nameOffset) {
  const std::size_t at = nameList + nameOffset;
  const auto length = map.U8(at);
  if (!length) return std::nullopt;
  const auto text = map.Bytes(at + 1, *length);
  if (!text) return std::nullopt;
  return std::string(text->begin(), text->end());
}

class MapParser {
 public:
  explicit MapParser(const FileAreas& areas) : map_(areas.map), data_(areas.data) {}

  bool Parse(ResourceFileContents& out) {
    const auto attributes = map_.U16(22);
    const auto typeList = map_.U16(24);
    const auto nameList = map_.U16(26);
    if (!attributes || !typeList || !nameList) return false;
    if (*typeList < kMapHeaderBytes || *nameList < kMapHeaderBytes || *nameList > map_.size())
      return false;
    nameList_ = *nameList;
    const auto types = ReadTypeList(map_, *typeList);
    if (!types) return false;
    out.fileAttributes = *attributes;
    for (const TypeEntry& type : *types) {
      for (std::size_t i = 0; i < type.count; ++i) {
        if (!ReadReference(type.type, type.referenceListOffset + i * kReferenceEntryBytes, out))
          return false;
      }
    }
    return Disjoint(std::move(dataRegions_));
  }

 private:
  bool ReadReference(ResType type, std::size_t at, ResourceFileContents& out) {
    ResourceRecord record;
    record.type = type;
    record.id = static_cast<SInt16>(*map_.U16(at));
    const std::uint16_t nameOffset = *map_.U16(at + 2);
    record.attributes = *map_.U8(at + 4);
    const std::size_t dataOffset = *map_.U24(at + 5);
    if (nameOffset != kNoName) {
      record.name = ReadName(map_, nameList_, nameOffset);
      if (!record.name) return false;
    }
    const auto length = data_.U32(dataOffset);
    if (!length) return false;
    const auto bytes = data_.Bytes(dataOffset + kDataLengthBytes, *length);
    if (!bytes) return false;
    record.data.assign(bytes->begin(), bytes->end());
    dataRegions_.push_back({dataOffset, dataOffset + kDataLengthBytes + *length});
    out.resources.push_back(std::move(record));
    return true;
  }

  BigEndianReader map_;
  BigEndianReader data_;
  std::size_t nameList_ = 0;
  std::vector<Region> dataRegions_;
};

// Resources grouped by type, in order of each type's first appearance.
std::vector<std::vector<const ResourceRecord*>> GroupByType(const ResourceFileContents& contents) {
  std::vector<std::vector<const ResourceRecord*>> groups;
  std::unordered_map<ResType, std::size_t> groupOfType;
  for (const ResourceRecord& r : contents.resources) {
    auto [it, inserted] = groupOfType.try_emplace(r.type, groups.size());
    if (inserted) groups.emplace_back();
    groups[it->second].push_back(&r);
  }
  return groups;
}

struct DataArea {
  std::vector<unsigned char> bytes;
  std::unordered_map<const ResourceRecord*, std::uint32_t> offsetOf;
};

std::optional<DataArea> BuildDataArea(const std::vector<std::vector<const ResourceRecord*>>& groups) {
  BigEndianWriter data;
  DataArea area;
  for (const auto& group : groups) {
    for (const ResourceRecord* r : group) {
      if (data.size() >= kMaxResourceDataArea) return std::nullopt;
      if (r->data.size() > std::numeric_limits<std::uint32_t>::max() - data.size()) return std::nullopt;
      area.offsetOf[r] = static_cast<std::uint32_t>(data.size());
      data.U32(static_cast<std::uint32_t>(r->data.size()));
      data.Bytes(r->data);
    }
  }
  area.bytes = data.Take();
  return area;
}

struct NameList {
  std::vector<unsigned char> bytes;
  std::unordered_map<const ResourceRecord*, std::uint16_t> offsetOf;
};

std::optional<NameList> BuildNameList(const std::vector<std::vector<const ResourceRecord*>>& groups) {
  BigEndianWriter names;
  NameList list;
  for (const auto& group : groups) {
    for (const ResourceRecord* r : group) {
      if (!r->name) continue;
      if (names.size() >= kNoName) return std::nullopt;
      list.offsetOf[r] = static_cast<std::uint16_t>(names.size());
      names.PString(*r->name);
    }
  }
  list.bytes = names.Take();
  return list;
}

std::optional<std::vector<unsigned char>> BuildMap(
    const ResourceFileContents& contents, const std::vector<std::vector<const ResourceRecord*>>& groups,
    const DataArea& data, const NameList& names) {
  BigEndianWriter map;
  map.Zeros(kHeaderBytes);  // the header copy, patched by the caller
  map.U32(0);               // next map handle
  map.U16(0);               // file reference number
  map.U16(contents.fileAttributes);
  map.U16(static_cast<std::uint16_t>(kMapHeaderBytes));
  const std::size_t nameListField = map.size();
  map.U16(0);
  if (groups.size() >= kNoTypes) return std::nullopt;
  map.U16(groups.empty() ? kNoTypes : static_cast<std::uint16_t>(groups.size() - 1));
  std::vector<std::size_t> listFields;
  for (const auto& group : groups) {
    if (group.size() - 1 > 0xFFFF) return std::nullopt;
    map.U32(group.front()->type);
    map.U16(static_cast<std::uint16_t>(group.size() - 1));
    listFields.push_back(map.size());
    map.U16(0);
  }
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const std::size_t listOffset = map.size() - kMapHeaderBytes;
    if (listOffset > kMaxMapOffset) return std::nullopt;
    map.PatchU16(listFields[g], static_cast<std::uint16_t>(listOffset));
    for (const ResourceRecord* r : groups[g]) {
      map.S16(r->id);
      const auto name = names.offsetOf.find(r);
      map.U16(name == names.offsetOf.end() ? kNoName : name->second);
      map.U8(r->attributes);
      map.U24(data.offsetOf.at(r));
      map.U32(0);  // handle
    }
  }
  if (map.size() > kMaxMapOffset) return std::nullopt;
  map.PatchU16(nameListField, static_cast<std::uint16_t>(map.size()));
  map.Bytes(names.bytes);
  return map.Take();
}

}  // namespace

OSErr ParseResourceFile(std::span<const unsigned char> bytes, ResourceFileContents& contents) {
  const BigEndianReader file(bytes);
  const auto areas = LocateAreas(file);
  if (!areas) return mapReadErr;
  ResourceFileContents parsed;
  MapParser parser(*areas);
  if (!parser.Parse(parsed)) return mapReadErr;
  contents = std::move(parsed);
  return noErr;
}

OSErr SerializeResourceFile(const ResourceFileContents& contents, std::vector<unsigned char>& bytes) {
  const bool nameTooLong = std::any_of(contents.resources.begin(), contents.resources.end(),
                                       [](const ResourceRecord& r) { return r.name && r.name->size() > kMaxNameBytes; });
  if (nameTooLong) return paramErr;
  const auto groups = GroupByType(contents);
  const auto data = BuildDataArea(groups);
  const auto names = BuildNameList(groups);
  if (!data || !names) return writingPastEnd;
  const auto map = BuildMap(contents, groups, *data, *names);
  if (!map) return writingPastEnd;
  const std::size_t mapOffset = kResourceDataAreaOffset + data->bytes.size();
  if (map->size() > std::numeric_limits<std::uint32_t>::max() - mapOffset) return writingPastEnd;

  BigEndianWriter header;
  header.U32(static_cast<std::uint32_t>(kResourceDataAreaOffset));
  header.U32(static_cast<std::uint32_t>(mapOffset));
  header.U32(static_cast<std::uint32_t>(data->bytes.size()));
  header.U32(static_cast<std::uint32_t>(map->size()));

  std::vector<unsigned char> file = header.bytes();
  file.resize(kResourceDataAreaOffset, 0);
  file.insert(file.end(), data->bytes.begin(), data->bytes.end());
  file.insert(file.end(), header.bytes().begin(), header.bytes().end());
  file.insert(file.end(), map->begin() + static_cast<std::ptrdiff_t>(kHeaderBytes), map->end());
  bytes = std::move(file);
  return noErr;
}

}  // namespace toolbox
