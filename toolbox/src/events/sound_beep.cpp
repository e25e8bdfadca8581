#include "toolbox/sound.h"

namespace {

std::vector<SInt16>& Beeps() {
  static std::vector<SInt16> beeps;
  return beeps;
}

}  // namespace

void SysBeep(SInt16 duration) { Beeps().push_back(duration); }

const std::vector<SInt16>& toolbox::RecordedBeeps() { return Beeps(); }

void toolbox::ClearBeeps() { Beeps().clear(); }
