// Resource Manager over classic resource files.
//
// Open files form a chain. GetResource and GetNamedResource search from the
// current file back through the files opened before it; the Get1 calls search
// the current file only. UseResFile picks the current file; opening a file
// makes it current. Every call sets ResError. Single-threaded.
//
// Resource handles are Memory Manager handles marked with kHandleResourceBit
// and owned by the Resource Manager: callers must not dispose them while they
// are resources (ReleaseResource frees one; DetachResource and RemoveResource
// hand it over as an ordinary handle the caller then owns).
//
// Writing: WriteResource, UpdateResFile and CloseResFile write the whole file
// afresh (header, data and map) to a temporary file and rename it over the old
// one, so a crash leaves either the old file or the new one, never half of one.
// A read-only file refuses changes at the call that makes them.
#pragma once

#include <vector>

#include "toolbox/mac_types.h"
#include "toolbox/resource_file_format.h"

// Per-resource attributes (GetResAttrs).
enum : SInt16 {
  resSysHeap = 0x40,
  resPurgeable = 0x20,
  resLocked = 0x10,
  resProtected = 0x08,
  resPreload = 0x04,
  resChanged = 0x02,
};

// Per-file attributes (the map's attribute word).
enum : UInt16 {
  mapReadOnly = 0x80,
  mapCompact = 0x40,
  mapChanged = 0x20,
};

// CreateResourceFile over an existing file (MacErrors.h value).
enum : OSErr { dupFNErr = -48 };

OSErr ResError();
void SetResLoad(bool load);

// Not found: null with resNotFound; a type that no searched file has: null
// with noErr (the classic behaviour callers rely on). With ResLoad off, a
// resource not yet in memory comes back as an empty handle (see LoadResource).
Handle GetResource(ResType theType, SInt16 theID);
Handle Get1Resource(ResType theType, SInt16 theID);
// Names compare without regard to case; within a file the entry added last wins.
Handle GetNamedResource(ResType theType, ConstStr255Param name);
Handle Get1NamedResource(ResType theType, ConstStr255Param name);
SInt16 Count1Resources(ResType theType);
// index 1..Count1Resources, in map order; otherwise null with resNotFound.
Handle Get1IndResource(ResType theType, SInt16 index);
// Reads the data of a resource fetched while ResLoad was off; no-op when loaded.
void LoadResource(Handle theResource);

// String `index` (1-based) of 'STR#' resource strListID, searched along the
// chain. Out of range, missing or malformed list: an empty string.
void GetIndString(Str255 theString, SInt16 strListID, SInt16 index);

// Adds theData to the current file with resChanged set. Refused with
// addResFailed when theData is null, not a live handle, already a resource,
// when the file is read-only, or when the file already has (theType, theID).
// name may be null or empty for a resource without a name.
void AddResource(Handle theData, ResType theType, SInt16 theID, ConstStr255Param name);
// Removes the entry from the current file; the handle becomes the caller's.
// rmvResFailed when it is not a resource of the current file, is protected or
// the file is read-only.
void RemoveResource(Handle theResource);
// Marks the data as changed (resChanged). resAttrErr for a protected resource
// or a read-only file.
void ChangedResource(Handle theResource);
// Writes now when resChanged is set (and clears it); otherwise does nothing.
void WriteResource(Handle theResource);
// Frees the data; a later Get reads it again. A changed resource is kept.
void ReleaseResource(Handle theResource);
// Leaves the data to the caller as an ordinary handle (resAttrErr when changed).
void DetachResource(Handle theResource);

// The smallest id >= 128 that the current file does not use for theType.
SInt16 Unique1ID(ResType theType);
// name receives a Str255 (empty when the resource has none); any out pointer may be null.
void GetResInfo(Handle theResource, SInt16* theID, ResType* theType, StringPtr name);
SInt16 GetResAttrs(Handle theResource);
// The refNum of the file holding theResource, or -1 with resNotFound.
SInt16 HomeResFile(Handle theResource);

void UpdateResFile(SInt16 refNum);
// Writes pending changes, frees the file's resource handles and leaves the
// chain; if it was current, the file opened before it becomes current. The
// file closes even when writing fails; ResError then reports the failure.
void CloseResFile(SInt16 refNum);
void UseResFile(SInt16 refNum);
// The current file's refNum, 0 when no file is open.
SInt16 CurResFile();

namespace toolbox {

// Opens a resource file and makes it current. Returns its refNum (> 0), or -1
// with ResError fnfErr (missing), ioErr (unreadable) or mapReadErr (not a
// consistent resource file). A file already open returns its refNum again.
// A file whose map carries mapReadOnly opens read-only.
SInt16 OpenResourceFile(const char* path, bool readOnly);
// Writes an empty resource file; dupFNErr when something exists at path.
OSErr CreateResourceFile(const char* path);

// A resource file kept in memory (a document's blob), writable, made current.
SInt16 OpenResourceBytes(const std::vector<unsigned char>& bytes);
// The file's bytes as last written (call UpdateResFile first to include
// pending changes); empty with resFNotFound for an unknown refNum.
std::vector<unsigned char> ResourceFileBytes(SInt16 refNum);
// The bytes of a resource file without resources (for a new document).
std::vector<unsigned char> EmptyResourceFileBytes();

}  // namespace toolbox
