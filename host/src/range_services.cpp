// Range services (511..524): the selection and the view of the current
// document as 400-byte records (layout in range_record.h, semantics in
// host/selection.h). Records are snapshots: one taken before the document
// changed its length is checked against the document again by 511.
#include "host/document.h"
#include "host/selection.h"
#include "host/service_table.h"
#include "range_record.h"
#include "vantor/services.h"

namespace host {
namespace {

bool RangeIsValidService(const unsigned char* record) { return ReadValidRangeRecord(record).has_value(); }

bool SpansSamplesService(const unsigned char* record) {
  const auto view = ReadValidRangeRecord(record);
  return view && view->range.end > view->range.start;
}

bool IsPointService(const unsigned char* record) {
  const auto view = ReadValidRangeRecord(record);
  return view && view->range.end == view->range.start;
}

bool IsActiveSelectionService(const unsigned char* record) {
  const auto view = ReadValidRangeRecord(record);
  return view && view->range.end > view->range.start && (view->flags & kRangeIsSelection) != 0 &&
         (view->flags & kRangeInDataView) != 0;
}

void GetSelectionRecordService(unsigned char* out) {
  const Document* document = CurrentDocument();
  if (document == nullptr) {
    WriteRangeRecord(out, nullptr, std::nullopt, 0, 0);
    return;
  }
  const Selection& selection = document->selection();
  const std::uint16_t flags = kRangeIsSelection | (selection.inDataView() ? kRangeInDataView : 0);
  WriteRangeRecord(out, document, selection.selected(), selection.channel(), flags);
}

void GetViewRecordService(unsigned char* out) {
  const Document* document = CurrentDocument();
  if (document == nullptr || document->blockCount() == 0) {
    WriteRangeRecord(out, nullptr, std::nullopt, 0, 0);
    return;
  }
  const auto& view = document->selection().view();
  WriteRangeRecord(out, document, view ? *view : PositionRange{0, document->TotalLength()}, 0,
                   kRangeInDataView);
}

}  // namespace

void InstallRangeServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostRangeIsValid>(table, &RangeIsValidService);
  vantor::SetService<HostRangeProperty516>(table, &SpansSamplesService);
  vantor::SetService<HostRangeProperty518>(table, &IsPointService);
  vantor::SetService<HostRangeProperty519>(table, &IsActiveSelectionService);
  vantor::SetService<HostGetRangeRecord521>(table, &GetSelectionRecordService);
  vantor::SetService<HostGetRangeRecord524>(table, &GetViewRecordService);
}

}  // namespace host
