#include "frame/host_services_scales.h"

#include "frame/host_service_entry.h"

namespace service = vantor::service;

double HostService84(double value, std::int16_t resolution) {
  return HostEntry<service::HostService84>()(value, resolution);
}

void HostScaleSetRange363(void* scale, double upper, double lower) {
  HostEntry<service::HostScaleSetRange363>()(scale, upper, lower);
}

void HostScaleGet364(void* scale, double* upper, double* lower) {
  HostEntry<service::HostScaleGet364>()(scale, upper, lower);
}

void HostScaleSet365(void* scale, std::int16_t which, double upper, double lower) {
  HostEntry<service::HostScaleSet365>()(scale, which, upper, lower);
}

void HostService367(void* scale, std::int16_t which, double* first, double* second) {
  HostEntry<service::HostService367>()(scale, which, first, second);
}

void HostScaleSet368(void* scale, void* menu, std::int16_t a) {
  HostEntry<service::HostScaleSet368>()(scale, menu, a);
}

void HostScaleSet371(void* scale, std::int16_t a) { HostEntry<service::HostScaleSet371>()(scale, a); }

void HostSetFlagBits(void* scale, std::int32_t bits, bool on) {
  HostEntry<service::HostSetFlagBits>()(scale, bits, on);
}

void HostScaleSet375(void* scale, const Rect* rect, std::int16_t vertical, std::int16_t titleWidth) {
  HostEntry<service::HostScaleSet375>()(scale, rect, vertical, titleWidth);
}

void HostScaleSet377(void* scale, std::int16_t drawingScale) {
  HostEntry<service::HostScaleSet377>()(scale, drawingScale);
}

void HostScaleSet379(void* scale, const vantor::ChannelScaling* scaling) {
  HostEntry<service::HostScaleSet379>()(scale, scaling);
}

void HostScaleSet380(void* scale, ConstStr255Param title) {
  HostEntry<service::HostScaleSet380>()(scale, title);
}

void HostScaleSetFonts382(void* scale, std::int16_t labelSize, std::int16_t labelFont,
                          std::int16_t titleSize, std::int16_t titleFont) {
  HostEntry<service::HostScaleSetFonts382>()(scale, labelSize, labelFont, titleSize, titleFont);
}

void* HostNewScale(const Rect* rect, double upper, double lower, std::int16_t vertical,
                   std::int16_t b) {
  return HostEntry<service::HostNewScale>()(rect, upper, lower, vertical, b);
}

void HostDisposeObject384(void* scale) { HostEntry<service::HostDisposeObject384>()(scale); }

void HostScaleDraw385(void* scale, bool onScreen) {
  HostEntry<service::HostScaleDraw385>()(scale, onScreen);
}

std::int16_t HostService386(void* scale, void* event) {
  return HostEntry<service::HostService386>()(scale, event);
}

std::int16_t HostService387(Point point, void* scale) {
  return HostEntry<service::HostService387>()(point, scale);
}

void HostService404(void* scale, double* first, double* second, double* third, double* fourth) {
  HostEntry<service::HostService404>()(scale, first, second, third, fourth);
}

void HostService404First(void* scale, double* first) {
  double scratch[3]{};
  HostService404(scale, first, &scratch[0], &scratch[1], &scratch[2]);
}

void HostService404Second(void* scale, double* second) {
  double scratch[3]{};
  HostService404(scale, &scratch[0], second, &scratch[1], &scratch[2]);
}
