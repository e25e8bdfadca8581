// The Resource Manager calls over real files: the chain, the classic result
// codes, handle ownership, and writing files back; and GetIndString over
// 'STR#' lists, well-formed or not, with unlocked blocks moving.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "toolbox/compiled_resources.h"
#include "toolbox/file_bytes.h"
#include "toolbox/memory.h"
#include "toolbox/resource_file_format.h"
#include "toolbox/resources.h"
#include "toolbox/resource_test_support.h"
#include "toolbox/toolbox_test.h"

namespace {

using resource_test::Bytes;
using resource_test::HandleText;
using resource_test::HandleWith;
using resource_test::IsResourceHandle;
using resource_test::kStringList;
using resource_test::PString;
using resource_test::StringListData;
using resource_test::TextOf;

constexpr ResType kExtS = FourCharCode("ExtS");
constexpr ResType kMissingType = FourCharCode("NONE");

class ResourceManagerTest : public testing::Test {
 protected:
  void TearDown() override {
    SetResLoad(true);
    for (auto it = opened_.rbegin(); it != opened_.rend(); ++it) CloseResFile(*it);
    EXPECT_EQ(CurResFile(), 0) << "a test left a file open";
  }

  // Writes a file holding these resources and opens it.
  SInt16 OpenWith(const std::string& name, const std::vector<toolbox::ResourceRecord>& resources,
                  bool readOnly = false, UInt16 fileAttributes = 0) {
    const toolbox::ResourceFileContents contents{fileAttributes, resources};
    std::vector<unsigned char> bytes;
    EXPECT_EQ(toolbox::SerializeResourceFile(contents, bytes), noErr);
    EXPECT_EQ(toolbox::WriteFileBytesAtomically(dir_.File(name), bytes), noErr);
    return Open(dir_.File(name), readOnly);
  }

  SInt16 Open(const std::string& path, bool readOnly = false) {
    const SInt16 refNum = toolbox::OpenResourceFile(path.c_str(), readOnly);
    EXPECT_GT(refNum, 0) << path << " ResError " << ResError();
    if (refNum > 0) opened_.push_back(refNum);
    return refNum;
  }

  void Close(SInt16 refNum) {
    CloseResFile(refNum);
    std::erase(opened_, refNum);
  }

  toolbox::ResourceFileContents OnDisk(const std::string& name) {
    std::vector<unsigned char> bytes;
    EXPECT_EQ(toolbox::ReadFileBytes(dir_.File(name), bytes), noErr);
    toolbox::ResourceFileContents contents;
    EXPECT_EQ(toolbox::ParseResourceFile(bytes, contents), noErr);
    return contents;
  }

  resource_test::TempDir dir_;
  std::vector<SInt16> opened_;
};

toolbox::ResourceRecord Record(ResType type, SInt16 id, std::string_view data,
                               std::optional<std::string> name = std::nullopt, UInt8 attributes = 0) {
  return {type, id, std::move(name), attributes, Bytes(data)};
}

TEST_F(ResourceManagerTest, AddedResourcesSurviveUpdateCloseAndReopen) {
  EXPECT_EQ(toolbox::CreateResourceFile(dir_.File("doc.rsrc").c_str()), noErr);
  SInt16 file = Open(dir_.File("doc.rsrc"));
  Handle h = HandleWith("payload");
  AddResource(h, kExtS, 300, PString("Resp Settings").get());
  ASSERT_EQ(ResError(), noErr);
  EXPECT_TRUE(OnDisk("doc.rsrc").resources.empty()) << "nothing is written before an update";
  UpdateResFile(file);
  ASSERT_EQ(ResError(), noErr);
  EXPECT_EQ(GetResAttrs(h) & resChanged, 0);
  Close(file);
  EXPECT_FALSE(toolbox::IsLiveHandle(h)) << "closing frees the file's resource handles";
  const auto files = std::distance(std::filesystem::directory_iterator(dir_.path()), {});
  EXPECT_EQ(files, 1) << "no temporary file is left behind";

  file = Open(dir_.File("doc.rsrc"));
  Handle again = Get1Resource(kExtS, 300);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(HandleText(again), "payload");
  SInt16 id = 0;
  Str255 name;
  GetResInfo(again, &id, nullptr, name);
  EXPECT_EQ(id, 300);
  EXPECT_EQ(TextOf(name), "Resp Settings");
  EXPECT_EQ(HomeResFile(again), file);
}

TEST_F(ResourceManagerTest, SearchesRunFromTheCurrentFileBackThroughEarlierOnes) {
  const SInt16 bundle = OpenWith("bundle.rsrc", {Record(kStringList, 128, "bundle 128"),
                                                 Record(kStringList, 129, "bundle 129")});
  const SInt16 document = OpenWith("doc.rsrc", {Record(kStringList, 128, "document 128")});
  ASSERT_EQ(CurResFile(), document);
  EXPECT_EQ(HandleText(GetResource(kStringList, 128)), "document 128") << "the current file hides earlier ones";
  Handle h = GetResource(kStringList, 129);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(HandleText(h), "bundle 129");
  EXPECT_EQ(HomeResFile(h), bundle);
  EXPECT_EQ(Get1Resource(kStringList, 129), nullptr) << "Get1Resource looks at the current file only";
  EXPECT_EQ(ResError(), resNotFound);

  UseResFile(bundle);
  EXPECT_EQ(HandleText(GetResource(kStringList, 128)), "bundle 128") << "files opened later are not searched";
  UseResFile(static_cast<SInt16>(document + 100));
  EXPECT_EQ(ResError(), resFNotFound);
  EXPECT_EQ(CurResFile(), bundle);
  EXPECT_EQ(toolbox::OpenResourceFile(dir_.File("bundle.rsrc").c_str(), true), bundle)
      << "an open file is not opened twice";
  UseResFile(document);
  Close(document);
  EXPECT_EQ(CurResFile(), bundle) << "closing the current file makes the earlier one current";
  CloseResFile(document);
  EXPECT_EQ(ResError(), resFNotFound);
}

TEST_F(ResourceManagerTest, LookupsReportTheClassicResultCodes) {
  EXPECT_EQ(GetResource(kStringList, 128), nullptr);
  EXPECT_EQ(ResError(), resFNotFound) << "no file open";
  Handle plain = HandleWith("p");
  AddResource(plain, kExtS, 128, nullptr);
  EXPECT_EQ(ResError(), resFNotFound);

  // Names match without regard to case but not to diacritics (0x8E e-acute,
  // 0x83 E-acute), and the last entry of a name wins.
  OpenWith("doc.rsrc", {Record(kStringList, 128, "x"), Record(kExtS, 128, "old", "R\x8Esp"),
                        Record(kExtS, 129, "new", "r\x83SP"), Record(kExtS, 130, "plain e", "resp")});
  EXPECT_EQ(HandleText(Get1NamedResource(kExtS, PString("R\x83SP").get())), "new");
  EXPECT_EQ(HandleText(GetNamedResource(kExtS, PString("RESP").get())), "plain e");
  EXPECT_EQ(GetResource(kMissingType, 128), nullptr);
  EXPECT_EQ(ResError(), noErr) << "a missing type is no error";
  EXPECT_EQ(Count1Resources(kMissingType), 0);
  EXPECT_EQ(GetResource(kStringList, 999), nullptr);
  EXPECT_EQ(ResError(), resNotFound);
  EXPECT_EQ(Get1NamedResource(kStringList, PString("nope").get()), nullptr);
  EXPECT_EQ(ResError(), resNotFound);

  // Calls on handles that are not resources.
  for (void (*call)(Handle) : {LoadResource, WriteResource, DetachResource, ChangedResource, ReleaseResource}) {
    call(plain);
    EXPECT_EQ(ResError(), resNotFound);
  }
  RemoveResource(plain);
  EXPECT_EQ(ResError(), rmvResFailed);
  SInt16 id = 77;
  GetResInfo(plain, &id, nullptr, nullptr);
  EXPECT_EQ(ResError(), resNotFound);
  EXPECT_EQ(id, 77);
  DisposeHandle(plain);
}

TEST_F(ResourceManagerTest, ReleaseAndDetachGiveUpTheDataUnlessTheResourceChanged) {
  OpenWith("doc.rsrc", {Record(kExtS, 128, "data")});
  Handle h = Get1Resource(kExtS, 128);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(Get1Resource(kExtS, 128), h) << "a resource in memory is returned again";
  ReleaseResource(h);
  EXPECT_EQ(ResError(), noErr);
  EXPECT_FALSE(toolbox::IsLiveHandle(h));
  Handle reread = Get1Resource(kExtS, 128);
  ChangedResource(reread);
  ReleaseResource(reread);
  EXPECT_TRUE(toolbox::IsLiveHandle(reread)) << "releasing a changed resource would lose the change";
  DetachResource(reread);
  EXPECT_EQ(ResError(), resAttrErr);
  EXPECT_TRUE(IsResourceHandle(reread));

  // Detached, the data are the caller's and the file reads them afresh.
  UpdateResFile(CurResFile());
  DetachResource(reread);
  ASSERT_EQ(ResError(), noErr);
  EXPECT_FALSE(IsResourceHandle(reread));
  EXPECT_EQ(HomeResFile(reread), -1);
  Handle fresh = Get1Resource(kExtS, 128);
  EXPECT_NE(fresh, reread);
  EXPECT_EQ(HandleText(fresh), HandleText(reread));
  DisposeHandle(reread);
}

TEST_F(ResourceManagerTest, Unique1IdIsAtLeast128AndUnusedAndAddResourceRefusesWhatWouldCorruptTheMap) {
  OpenWith("doc.rsrc", {Record(kExtS, 128, ""), Record(kExtS, 129, ""), Record(kStringList, 130, "")});
  const SInt16 id = Unique1ID(kExtS);
  EXPECT_GE(id, 128);
  EXPECT_EQ(Get1Resource(kExtS, id), nullptr);
  AddResource(HandleWith("x"), kExtS, id, nullptr);
  const SInt16 next = Unique1ID(kExtS);
  EXPECT_GE(next, 128);
  EXPECT_EQ(Get1Resource(kExtS, next), nullptr);

  // AddResource refuses what would corrupt the map.
  EXPECT_EQ(toolbox::CreateResourceFile(dir_.File("new.rsrc").c_str()), noErr);
  Open(dir_.File("new.rsrc"));
  AddResource(nullptr, kExtS, 128, nullptr);
  EXPECT_EQ(ResError(), addResFailed);
  Handle h = HandleWith("a");
  AddResource(h, kExtS, 128, nullptr);
  ASSERT_EQ(ResError(), noErr);
  AddResource(h, kExtS, 129, nullptr);
  EXPECT_EQ(ResError(), addResFailed) << "already a resource";
  Handle twin = HandleWith("b");
  AddResource(twin, kExtS, 128, nullptr);
  EXPECT_EQ(ResError(), addResFailed) << "a second 128 could never be found";
  EXPECT_FALSE(IsResourceHandle(twin));
  EXPECT_EQ(Count1Resources(kExtS), 1);
  DisposeHandle(twin);
  RemoveResource(h);  // what removal leaves is an ordinary handle
  EXPECT_EQ(ResError(), noErr);
  EXPECT_FALSE(IsResourceHandle(h));
  EXPECT_EQ(Count1Resources(kExtS), 0);
  DisposeHandle(h);
}

// Read-only by request or by the map's mapReadOnly attribute; protected
// resources; resources of files other than the current one.
TEST_F(ResourceManagerTest, ReadOnlyFilesAndProtectedResourcesRefuseChanges) {
  OpenWith("bundle.rsrc", {Record(kExtS, 500, "bundle")});
  Handle inBundle = GetResource(kExtS, 500);
  OpenWith("empty.rsrc", {});
  RemoveResource(inBundle);
  EXPECT_EQ(ResError(), rmvResFailed) << "only the current file's resources";
  const SInt16 requested = OpenWith("ro.rsrc", {Record(kExtS, 128, "data")}, /*readOnly=*/true);
  const SInt16 marked = OpenWith("marked.rsrc", {Record(kExtS, 128, "data")}, false, mapReadOnly);
  const SInt16 writable = OpenWith("doc.rsrc", {Record(kExtS, 128, "fixed", std::nullopt, resProtected)});
  for (SInt16 file : {requested, marked, writable}) {
    UseResFile(file);
    if (file != writable) {
      Handle h = HandleWith("new");
      AddResource(h, kExtS, 129, nullptr);
      EXPECT_EQ(ResError(), addResFailed);
      DisposeHandle(h);
    }
    Handle existing = Get1Resource(kExtS, 128);
    ChangedResource(existing);
    EXPECT_EQ(ResError(), resAttrErr) << file;
    RemoveResource(existing);
    EXPECT_EQ(ResError(), rmvResFailed) << file;
  }
}

// Loading later, and writing a resource that was never loaded, must not
// replace its data by nothing.
TEST_F(ResourceManagerTest, ResLoadOffGivesEmptyHandlesThatKeepTheirDataAndPreloadedOnesAreRead) {
  const SInt16 file = OpenWith("doc.rsrc", {Record(kExtS, 128, "lazy", std::nullopt, resLocked),
                                            Record(kExtS, 129, "precious")});
  SetResLoad(false);
  Handle h = Get1Resource(kExtS, 128);
  Handle unloaded = Get1Resource(kExtS, 129);
  SetResLoad(true);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GetHandleSize(h), 0);
  LoadResource(h);
  ASSERT_EQ(ResError(), noErr);
  EXPECT_EQ(HandleText(h), "lazy");
  EXPECT_NE(HGetState(h) & kHandleLockedBit, 0) << "a resLocked resource is locked once it holds its data";
  LoadResource(h);
  EXPECT_EQ(HandleText(h), "lazy") << "loading twice changes nothing";

  ChangedResource(unloaded);
  WriteResource(unloaded);
  ASSERT_EQ(ResError(), noErr);
  Close(file);
  const auto disk = OnDisk("doc.rsrc");
  ASSERT_EQ(disk.resources.size(), 2u);
  EXPECT_EQ(disk.resources[1].data, Bytes("precious"));

  // Preloaded resources are read at opening, into memory that belongs to the system
  // (the dialog and extension leak sweeps show later loads are too).
  const std::size_t systemBefore = toolbox::LiveHandleCount(toolbox::kSystemOwner);
  OpenWith("pre.rsrc", {Record(kExtS, 128, "pre", std::nullopt, resPreload), Record(kExtS, 129, "lazy")});
  EXPECT_EQ(toolbox::LiveHandleCount(toolbox::kSystemOwner), systemBefore + 1);
}

TEST_F(ResourceManagerTest, AllocationFailureOrADisposedHandleLeaveTheResourceFindable) {
  OpenWith("doc.rsrc", {Record(kExtS, 128, "data")});
  toolbox::FailAllocationAfter(1);
  EXPECT_EQ(Get1Resource(kExtS, 128), nullptr);
  EXPECT_EQ(ResError(), memFullErr);
  toolbox::FailAllocationAfter(0);
  Handle h = Get1Resource(kExtS, 128);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(HandleText(h), "data");
  DisposeHandle(h);  // a caller's mistake; the map must not keep the dead handle
  Handle again = Get1Resource(kExtS, 128);
  ASSERT_TRUE(toolbox::IsLiveHandle(again));
  EXPECT_EQ(HandleText(again), "data");
}

TEST_F(ResourceManagerTest, OpeningReportsMissingAndCorruptFiles) {
  EXPECT_EQ(toolbox::OpenResourceFile(dir_.File("absent.rsrc").c_str(), true), -1);
  EXPECT_EQ(ResError(), fnfErr);
  ASSERT_EQ(toolbox::WriteFileBytesAtomically(dir_.File("junk.rsrc"), Bytes("not a resource file")), noErr);
  EXPECT_EQ(toolbox::OpenResourceFile(dir_.File("junk.rsrc").c_str(), true), -1);
  EXPECT_EQ(ResError(), mapReadErr);
  std::vector<unsigned char> cut = toolbox::EmptyResourceFileBytes();
  cut.pop_back();  // every truncation is refused by the parser (resource_file_test)
  EXPECT_EQ(toolbox::OpenResourceBytes(cut), -1);
  EXPECT_EQ(ResError(), mapReadErr);
  EXPECT_EQ(CurResFile(), 0);
  EXPECT_EQ(toolbox::CreateResourceFile(dir_.File("junk.rsrc").c_str()), dupFNErr);
  std::vector<unsigned char> kept;
  ASSERT_EQ(toolbox::ReadFileBytes(dir_.File("junk.rsrc"), kept), noErr);
  EXPECT_EQ(kept, Bytes("not a resource file"));
}

TEST_F(ResourceManagerTest, FilesKeptAsBytesReturnTheirBytesAsLastWritten) {
  const SInt16 file = toolbox::OpenResourceBytes(toolbox::EmptyResourceFileBytes());
  ASSERT_GT(file, 0);
  opened_.push_back(file);
  AddResource(HandleWith("blob"), kExtS, 128, PString("n").get());
  toolbox::ResourceFileContents contents;
  ASSERT_EQ(toolbox::ParseResourceFile(toolbox::ResourceFileBytes(file), contents), noErr);
  EXPECT_TRUE(contents.resources.empty()) << "pending until written";
  UpdateResFile(file);
  ASSERT_EQ(toolbox::ParseResourceFile(toolbox::ResourceFileBytes(file), contents), noErr);
  ASSERT_EQ(contents.resources.size(), 1u);
  EXPECT_EQ(contents.resources[0].data, Bytes("blob"));
  EXPECT_TRUE(toolbox::ResourceFileBytes(static_cast<SInt16>(file + 50)).empty());
  EXPECT_EQ(ResError(), resFNotFound);
}

std::string Fetch(SInt16 id, SInt16 index) {
  Str255 text;
  text[0] = 99;  // must be overwritten even when nothing is found
  GetIndString(text, id, index);
  return TextOf(text);
}

using StringListTest = toolbox_test::ToolboxTest;

// Lists are found in earlier files of the chain; indexes are one-based.
TEST_F(StringListTest, IndexesAreOneBasedAndNothingOutsideAListOrItsDataIsRead) {
  toolbox_test::RawResources raw;
  const auto addList = [&raw](SInt16 id, const std::vector<unsigned char>& data) { raw.Add(kStringList, id, data); };
  addList(2015, StringListData({"first", "second", std::string(255, 'z')}));
  const SInt16 document = toolbox::OpenResourceBytes(toolbox::EmptyResourceFileBytes());
  EXPECT_EQ(Fetch(2015, 1), "first");
  EXPECT_EQ(Fetch(2015, 2), "second");
  EXPECT_EQ(Fetch(2015, 3), std::string(255, 'z'));
  for (SInt16 outside : {0, -1, 4, 32767}) EXPECT_EQ(Fetch(2015, outside), "") << outside;
  EXPECT_EQ(Fetch(8300, 1), "");
  EXPECT_EQ(ResError(), resNotFound);
  CloseResFile(document);

  // A list whose count or lengths claim more than its data hold yields the
  // strings that are really there and nothing past the end.
  std::vector<unsigned char> claimsThree = StringListData({"only"});
  claimsThree[1] = 3;
  addList(1, claimsThree);
  EXPECT_EQ(Fetch(1, 1), "only");
  EXPECT_EQ(Fetch(1, 2), "");
  EXPECT_EQ(Fetch(1, 3), "");

  std::vector<unsigned char> longLength = StringListData({"abc"});
  longLength[2] = 200;
  addList(2, longLength);
  EXPECT_EQ(Fetch(2, 1), "");

  addList(3, {0x00});
  EXPECT_EQ(Fetch(3, 1), "");
  addList(4, {});
  EXPECT_EQ(Fetch(4, 1), "");
}

}  // namespace
