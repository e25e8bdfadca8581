// Host scale objects (axes): range, units, placement, drawing and clicks.
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"
#include "vantor/services.h"

double HostService84(double value, std::int16_t resolution);
void HostScaleSetRange363(void* scale, double upper, double lower);
void HostScaleGet364(void* scale, double* upper, double* lower);
void HostScaleSet365(void* scale, std::int16_t which, double upper, double lower);
void HostService367(void* scale, std::int16_t which, double* first, double* second);
void HostScaleSet368(void* scale, void* menu, std::int16_t a);
void HostScaleSet371(void* scale, std::int16_t a);
void HostSetFlagBits(void* scale, std::int32_t bits, bool on);
void HostScaleSet375(void* scale, const Rect* rect, std::int16_t vertical, std::int16_t titleWidth);
void HostScaleSet377(void* scale, std::int16_t drawingScale);
void HostScaleSet379(void* scale, const vantor::ChannelScaling* scaling);
void HostScaleSet380(void* scale, ConstStr255Param title);
void HostScaleSetFonts382(void* scale, std::int16_t labelSize, std::int16_t labelFont,
                          std::int16_t titleSize, std::int16_t titleFont);
void* HostNewScale(const Rect* rect, double upper, double lower, std::int16_t vertical,
                   std::int16_t b);
void HostDisposeObject384(void* scale);
void HostScaleDraw385(void* scale, bool onScreen);
std::int16_t HostService386(void* scale, void* event);
std::int16_t HostService387(Point point, void* scale);
void HostService404(void* scale, double* first, double* second, double* third, double* fourth);

// Service 404 for one output, with scratch buffers for the other three.
void HostService404First(void* scale, double* first);
void HostService404Second(void* scale, double* second);
