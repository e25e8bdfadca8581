// Alerts (81, 82). There is no screen: the text goes to standard error and
// into the record tests read. 82 is the quieter of the two on a real host (a
// note in the status area); here both are shown alike and told apart in the
// record.
#include <cstdio>

#include "host/alerts.h"
#include "host/host_context.h"
#include "host/service_table.h"
#include "toolbox/pascal_string.h"
#include "vantor/services.h"

namespace host {
namespace {

struct AlertLog {
  std::vector<Alert> alerts;
  bool quiet = false;
};

AlertLog& Log() { return SessionState<AlertLog>(); }

void Show(int service, ConstStr255Param message) {
  std::string text = toolbox::PascalTextToUtf8(message);
  if (!Log().quiet) std::fprintf(stderr, "alert: %s\n", text.c_str());
  Log().alerts.push_back(Alert{service, std::move(text)});
}

void AlertService(ConstStr255Param message) { Show(vantor::service::HostAlert, message); }
void Alert82Service(ConstStr255Param message) { Show(vantor::service::HostAlert82, message); }

}  // namespace

const std::vector<Alert>& Alerts() { return Log().alerts; }
void ClearAlerts() { Log().alerts.clear(); }
void SetAlertsQuiet(bool quiet) { Log().quiet = quiet; }

void InstallAlertServices(vantor::ServiceTable& table) {
  vantor::SetService<vantor::service::HostAlert>(table, &AlertService);
  vantor::SetService<vantor::service::HostAlert82>(table, &Alert82Service);
}

}  // namespace host
