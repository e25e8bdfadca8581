#include "scale_object.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <unordered_set>

#include "host/channel_units.h"
#include "host/host_context.h"
#include "number_text.h"
#include "toolbox/memory.h"

namespace host {
namespace {

constexpr double kEmptyRangeWidening = 1.0 / 1024;

struct LiveScaleObjects {
  std::unordered_set<void*> objects;
};

std::unordered_set<void*>& LiveScales() { return ProcessState<LiveScaleObjects>().objects; }

// Units per raw unit and the units of raw 0: the linear map ValueInUnits applies.
struct UnitMap {
  double perRaw = 1;
  double atZero = 0;
};

UnitMap UnitMapOf(const ScaleObject& scale) {
  if (!scale.hasScaling) return {};
  const double atZero = ValueInUnits(scale.scaling, 0.0);
  const double perRaw = ValueInUnits(scale.scaling, 1.0) - atZero;
  if (perRaw == 0 || !std::isfinite(perRaw) || !std::isfinite(atZero)) return {};
  return {perRaw, atZero};
}

int DecimalsFor(double step) {
  int decimals = 0;
  for (double limit = 0.5; decimals < 6 && std::fabs(step) <= limit; limit /= 10) ++decimals;
  return decimals;
}

}  // namespace

ScaleObject* NewScaleObject() {
  void* memory = toolbox::LowAlloc(sizeof(ScaleObject));
  if (memory == nullptr) return nullptr;
  auto* scale = new (memory) ScaleObject();
  LiveScales().insert(scale);
  return scale;
}

void DisposeScaleObject(void* object) {
  ScaleObject* scale = LiveScaleObject(object);
  if (scale == nullptr) return;
  LiveScales().erase(scale);
  scale->~ScaleObject();
  toolbox::LowFree(scale);
}

ScaleObject* LiveScaleObject(void* object) {
  return object != nullptr && LiveScales().contains(object) ? static_cast<ScaleObject*>(object) : nullptr;
}

void SetScaleRange(ScaleObject& scale, double upper, double lower) {
  if (!std::isfinite(upper) || !std::isfinite(lower)) return;
  if (upper == lower) {
    upper += kEmptyRangeWidening;
    lower -= kEmptyRangeWidening;
  }
  scale.upper = upper;
  scale.lower = lower;
}

PixelMapping MappingOf(const ScaleObject& scale) {
  const Rect& r = scale.rect;
  const double span = scale.upper - scale.lower;
  if (scale.vertical) {
    const double perRaw = (r.top - r.bottom) / span;
    return {r.top - scale.upper * perRaw, perRaw};
  }
  const double perRaw = (r.right - r.left) / span;
  return {r.left - scale.lower * perRaw, perRaw};
}

double ToUnits(const ScaleObject& scale, double raw) {
  const UnitMap map = UnitMapOf(scale);
  return raw * map.perRaw + map.atZero;
}

double ToRaw(const ScaleObject& scale, double units) {
  const UnitMap map = UnitMapOf(scale);
  return (units - map.atZero) / map.perRaw;
}

ScaleTicks TicksOf(const ScaleObject& scale, int spacing) {
  const Rect& r = scale.rect;
  const int length = scale.vertical ? r.bottom - r.top : r.right - r.left;
  const double a = ToUnits(scale, scale.upper);
  const double b = ToUnits(scale, scale.lower);
  const double low = std::min(a, b);
  const double high = std::max(a, b);
  ScaleTicks result;
  if (length <= 0 || spacing <= 0 || !(high > low)) return result;
  const double count = std::max(2.0, static_cast<double>(length) / spacing);
  const double step = NiceRound((high - low) / count);
  if (!(step > 0)) return result;
  result.decimals = DecimalsFor(step);
  // Counting whole steps keeps 0.3 from reading 0.30000000000000004 and
  // zero from reading -1e-17.
  // The cap stops a range far from zero, where k + 1 may round to k.
  const double first = std::ceil(low / step);
  const int cap = static_cast<int>(count) + 3;
  for (double k = first; k * step <= high && k - first < cap; ++k) {
    const double units = k * step;
    result.ticks.push_back({ToRaw(scale, units), units});
  }
  return result;
}

}  // namespace host
