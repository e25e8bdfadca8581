// Saving and opening a document as its window extensions see it: they are
// told with the document's resource file current, so the settings they keep
// there go into the document and come back out of it.
#pragma once

namespace host {

class Document;

// Before the document is written: DoMenuCommand 200, the extensions store
// their settings in its resource file.
void AnnounceDocumentSave(Document& document);
// After the document has been opened: DoMenuCommand 203; with settings false
// (data 2) the document is opened without its extensions' settings.
void AnnounceDocumentOpened(Document& document, bool settings = true);

}  // namespace host
