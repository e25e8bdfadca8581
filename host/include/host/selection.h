// The user's selection in a document and the view it is made in, as the range
// services (511..524) report them.
//
// Record 521 describes the selection: a stretch of samples [start, end) of one
// channel or of all channels; start == end marks a point (a cursor position).
// Record 524 describes the view: the span the user looks at, the whole
// document unless set. The active range an extension acts on is record 521
// when the selection spans samples and was made in the data view, else 524.
//
// Properties of a valid record (511: made by this host for the current
// document, within its samples):
//   516  the range spans at least one sample (a usable selection of data)
//   518  the range is a point (a position without extent)
//   519  the range spans samples and was made in the data view
#pragma once

#include <cstdint>
#include <optional>

namespace host {

class Document;

// Absolute sample positions, end exclusive.
struct PositionRange {
  std::int64_t start = 0;
  std::int64_t end = 0;
  bool operator==(const PositionRange&) const = default;
};

class Selection {
 public:
  // channel 0 selects all channels.
  void Select(PositionRange range, int channel = 0);
  void Clear();
  const std::optional<PositionRange>& selected() const { return selected_; }
  int channel() const { return channel_; }
  // False when the selection was made outside the data view (in a list or a
  // pad): extensions then act on the view.
  bool inDataView() const { return inDataView_; }
  void SetInDataView(bool inDataView) { inDataView_ = inDataView; }

  void SetView(PositionRange view) { view_ = view; }
  void ClearView() { view_.reset(); }
  const std::optional<PositionRange>& view() const { return view_; }

 private:
  std::optional<PositionRange> selected_;
  std::optional<PositionRange> view_;
  int channel_ = 0;
  bool inDataView_ = true;
};

// Selects on the document and tells its window extensions that the analysis
// of the old selection is stale (DoMenuCommand 0).
void ChangeSelection(Document& document, PositionRange range, int channel = 0);

}  // namespace host
