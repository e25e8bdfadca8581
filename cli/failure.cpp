#include "failure.h"

#include <cstdio>

namespace cli {

int Failure(const std::string& subject, const std::string& problem) {
  std::fprintf(stderr, "vantor: %s: %s\n", subject.c_str(), problem.c_str());
  return kFailureExit;
}

int UsageFailure(const std::string& problem) {
  std::fprintf(stderr, "vantor: %s\n", problem.c_str());
  return kUsageExit;
}

}  // namespace cli
