// Alerts shown by extensions: printed to standard error (as UTF-8) and
// recorded so that tests can assert what the user saw.
#pragma once

#include <string>
#include <vector>

namespace host {

struct Alert {
  int service;       // 81 or 82
  std::string text;  // UTF-8
};

const std::vector<Alert>& Alerts();
void ClearAlerts();
// Quiet: alerts are recorded but not printed (tests that expect them).
void SetAlertsQuiet(bool quiet);

}  // namespace host
