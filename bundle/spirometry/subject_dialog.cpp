// The subject's details for the report: name, age, sex, weight and height.
#include <algorithm>

#include "extension/respiratory_extension.h"
#include "extension/spiro_settings.h"
#include "frame/host_services_commands.h"
#include "frame/host_services_dialogs.h"
#include "frame/host_services_strings.h"
#include "spirometry/settings_dialogs.h"
#include "util/pstring.h"
#include "vantor/byte_access.h"

namespace spiro {

namespace spirometry {
namespace {

constexpr std::int16_t kDialogId = 8111;
enum Item : std::int16_t { kSeparator = 4, kName = 6, kAge = 8, kSex = 11, kWeight = 13, kHeight = 16 };
constexpr std::int16_t kSubjectBytes = 44;
constexpr std::size_t kNameField = 32;

void SetInteger(DialogRef dialog, std::int16_t item, std::int32_t value) {
  Str255 text;
  NumToPString(text, value);
  HostSetDialogItemText(dialog, item, text);
}

std::int16_t ItemInteger(DialogRef dialog, std::int16_t item) {
  Str255 text;
  HostGetDialogItemText(dialog, item, text);
  return static_cast<std::int16_t>(HostStringToLong(text));
}

}  // namespace

void EditSubject(LocalDataType** data, const VantorExtensionBase& extension) {
  if (data == nullptr) return;
  ExtensionDialog dialog(extension, kDialogId);
  DialogRef d = dialog.get();
  if (d == nullptr) return;
  const LocalDataType record = **data;
  HostSetDialogItemProc(d, kSeparator, &HostStandardItemProc121);
  HostSetDialogItemText(d, kName, record.subjectName);
  SetInteger(d, kAge, record.subjectAge);
  HostSetDialogItemValue(d, kSex, static_cast<std::int16_t>(record.subjectSex + 1));
  SetInteger(d, kWeight, record.subjectWeight);
  SetInteger(d, kHeight, record.subjectHeight);
  SelectDialogItemText(d, kName, 0, 32767);
  HostShowDialog(d);
  std::int16_t hit = 0;
  do {
    hit = dialog.Step();
    if (hit == kAge) HostService210(d, kAge, 0, 200);
    if (hit == kWeight) HostService210(d, kWeight, 0, 1000);
    if (hit == kHeight) HostService210(d, kHeight, 0, 300);
  } while (hit != kOkItem && hit != kCancelItem);
  if (hit != kOkItem) return;
  unsigned char payload[kSubjectBytes] = {};
  vantor::StoreAt<std::uint16_t>(payload, 0, kSubjectVersion);
  Str255 name;
  HostGetDialogItemText(d, kName, name);
  name[0] = static_cast<unsigned char>(std::min<std::size_t>(name[0], kNameField - 1));
  std::copy(name, name + name[0] + 1, payload + 2);
  vantor::StoreAt<std::int16_t>(payload, 34, ItemInteger(d, kAge));
  vantor::StoreAt<std::int16_t>(payload, 36, static_cast<std::int16_t>(HostGetDialogItemValue(d, kSex) - 1));
  vantor::StoreAt<std::int16_t>(payload, 38, ItemInteger(d, kWeight));
  vantor::StoreAt<std::int16_t>(payload, 40, ItemInteger(d, kHeight));
  vantor::StoreAt<std::int16_t>(payload, 42, record.subjectReserved);
  HostSubmitCommandBlock(static_cast<std::uint16_t>(extension.MapLocalId(kSettingsBlockCommand)), kSubjectTag,
                         kSubjectBytes, payload);
}

}  // namespace spirometry

}  // namespace spiro
