// The local data a window extension keeps for a document: made by message 6
// when the extension is opened on the document, passed back with every later
// message, freed by message 7 when it is closed (or the document is).
#pragma once

#include <cstdint>
#include <vector>

#include "toolbox/mac_types.h"

namespace host {

class Document;
struct Extension;

// Every message is sent with the document current.
class ExtensionLocals {
 public:
  explicit ExtensionLocals(Document& document) : document_(document) {}
  ~ExtensionLocals();
  ExtensionLocals(const ExtensionLocals&) = delete;
  ExtensionLocals& operator=(const ExtensionLocals&) = delete;

  // Sends message 6; false when the extension is not a window extension, is
  // open already, or answered no handle. The extension must outlive this.
  bool Open(const Extension& extension);
  // Sends message 7 and forgets the local data.
  void Close(std::int16_t hostRef);
  void CloseAll();

  // The extension open under hostRef and its local data; null when not open.
  const Extension* Find(std::int16_t hostRef) const;
  Handle LocalOf(std::int16_t hostRef) const;
  std::vector<std::int16_t> OpenHostRefs() const;

  // A host menu request or notification to every open extension
  // (DoMenuCommand, message 9: code, value, data).
  void SendMenuCommand(std::int16_t code, std::int16_t value, std::uint32_t data);

 private:
  struct Entry {
    const Extension* extension;
    Handle local;
  };
  Document& document_;
  std::vector<Entry> open_;
};

}  // namespace host
