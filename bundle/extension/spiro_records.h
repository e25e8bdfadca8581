// The window extension's per-document record, its breath-phase records and
// its per-window records. All are private to the bundle (kept in handles the
// bundle allocates), so they hold native handles and pointers; their field
// order is the record's documented order.
#pragma once

#include <cstddef>
#include <cstdint>

#include "extension/text_box.h"
#include "toolbox/mac_types.h"
#include "toolbox/menus.h"
#include "toolbox/windows.h"
#include "vantor/records.h"
#include "vantor/services.h"

namespace spiro {

namespace spirometry {

// analysisStatus values.
inline constexpr std::int16_t kAnalysisValid = 0;
inline constexpr std::int16_t kAnalysisNoSelection = 1;
inline constexpr std::int16_t kAnalysisNoChannelData = 2;
inline constexpr std::int16_t kAnalysisRefused = 3;
inline constexpr std::int16_t kAnalysisOutOfMemory = 7;
inline constexpr std::int16_t kAnalysisDue = 8;

// messageCode values (entries of the message list).
inline constexpr std::int16_t kCodeBlockNotContinued = 4;
inline constexpr std::int16_t kCodeIntervalTooLong = 5;
inline constexpr std::int16_t kCodeNoBreathing = 6;
inline constexpr std::int16_t kCodeNoFlowChannel = 9;
inline constexpr std::int16_t kCodeNoVolumeChannel = 10;
inline constexpr std::int16_t kCodeFlowNoData = 11;
inline constexpr std::int16_t kCodeVolumeNoData = 12;
inline constexpr std::int16_t kCodeSelectionLimited = 14;

// Other message-list entries.
inline constexpr std::int16_t kForcedPhaseLabelEntry = 13;
inline constexpr std::int16_t kClippingWarningEntry = 20;
// Label-list entry holding the default minimum run of breathing, in ms.
inline constexpr std::int16_t kMinRunMillisecondsEntry = 10;

// String lists and the channel menu of the extension's resources.
inline constexpr std::int16_t kCommandTextListId = 8100;
inline constexpr std::int16_t kMessageListId = 8101;
inline constexpr std::int16_t kReportTextListId = 8102;
inline constexpr std::int16_t kLabelListId = 8103;
inline constexpr std::int16_t kChannelMenuId = 8100;

// The analysis keeps both sample buffers and the phase list small.
inline constexpr std::int32_t kMaxAnalysedSamples = 16000;
// Sampling intervals above this (seconds) are refused.
inline constexpr double kMaxSamplingInterval = 1.01;
// volumeChange of the sentinel phase record.
inline constexpr float kSentinelVolumeChange = -32768.0f;

// Window kinds.
inline constexpr std::int16_t kDataWindow = 1;
inline constexpr std::int16_t kPlotWindow = 2;
inline constexpr std::int16_t kReportWindow = 3;
inline constexpr int kWindowKinds = 3;

// One boundary between two flow directions; the phase ending here runs from
// the previous record's sampleIndex to this one's.
struct BreathPhase {
  std::int32_t sampleIndex;   // in the analysed stretch
  std::uint8_t direction;     // 1 when an inspiration begins here
  std::uint8_t forced;        // 1: the phase ending here is (or precedes) a forced expiration
  float volumeChange;         // raw volume of the phase ending here; positive for an expiration
  float firstSecondVolume;    // raw volume expired in its first second; -infinity when not computed
};

// Common part of every window's record.
struct SpiroWindowRecord {
  WindowRef window;
  std::uint8_t active;
  Rect sizeLimits;            // top min height, left min width, bottom max height, right max width
  std::int16_t kind;          // 1..3
  std::uint32_t tag;          // 'FVvT', 'FlVl' or 'Rprt'
  std::int16_t status;        // copy of analysisStatus
  std::int16_t messageCode;   // copy of messageCode
  Rect contentRect;
  Rect headerRect;            // readout strip (kinds 1, 2)
  Rect plotRect;              // kind 2: plot area; kind 1: flow trace panel
};

// "Spirometry Data" (kind 1).
struct SpiroDataWindowRecord {
  SpiroWindowRecord common;
  Rect volumePlotRect;        // volume trace panel
  double pixelsPerSample;
  std::int16_t leftEdge;      // h of sample 0
  double flowTraceScale;      // y = raw value * scale + offset, per panel
  double flowTraceOffset;
  double volumeTraceScale;
  double volumeTraceOffset;
  void* flowAxis;             // host scale objects; null until first drawn
  void* volumeAxis;
  Point flowMarker;           // last cross per trace; (0,0) = none
  Point volumeMarker;
  TextBox readoutBox;
  std::uint8_t redraw;        // refit the axes at the next drawing
  Rect bottomStrip;           // phase label
  std::int16_t labelledPhase;
};

// "Flow-Volume Plot" (kind 2).
struct SpiroPlotWindowRecord {
  SpiroWindowRecord common;
  double volumeAxisScale;     // pixel mapping as last read back from the axes
  double flowAxisScale;
  double volumeAxisOffset;
  double flowAxisOffset;
  void* volumeAxis;           // host scale objects; null until first drawn
  void* flowAxis;
  std::uint8_t plotOption;    // direction arrows
  Rect popUpRect;
  MenuRef popUpMenu;
  Point marker;
  std::uint8_t markerShown;
  TextBox readoutBox;
  std::uint8_t redraw;
};

// Bytes of a window record of the kind: the common part for the report.
constexpr std::size_t WindowRecordBytes(std::int16_t kind) {
  return kind == kDataWindow   ? sizeof(SpiroDataWindowRecord)
         : kind == kPlotWindow ? sizeof(SpiroPlotWindowRecord)
                               : sizeof(SpiroWindowRecord);
}

// The per-document record of the window extension.
struct LocalDataType {
  Handle windowRecords[kWindowKinds];  // kinds 1..3; null until created
  Handle commandTextList;              // string list 8100
  Handle messageList;                  // 8101
  Handle reportTextList;               // 8102
  Handle labelList;                    // 8103
  void* windowMenuItems[kWindowKinds]; // host item references, codes 16387..16389
  void* printReportItem;
  void* subjectItem;
  void* settingsItem;
  MenuRef volumeMenu;                  // menu 8100 with the channel names appended
  MenuRef flowMenu;
  std::int16_t volumeMenuOwnItems;
  std::int16_t flowMenuOwnItems;
  std::uint8_t grayPattern[8];
  std::int16_t channelCount;
  std::int16_t flowFunctionId;
  std::int16_t volumeFunctionId;
  std::int16_t analysisStatus;
  std::int16_t messageCode;
  unsigned char rangeRecord[vantor::kRangeRecordBytes];
  std::int16_t flowChannel;            // 1-based; 0 = not chosen
  std::int16_t volumeChannel;
  std::int32_t sampleCount;
  Handle flowSamples;                  // sampleCount f32, raw values
  Handle volumeSamples;
  std::int16_t phaseCount;
  Handle phases;                       // BreathPhase records
  float flowMin;
  float flowMax;
  float volumeMin;
  float volumeMax;
  vantor::BlockTimeFormat timeFormat;
  vantor::ChannelScaling flowScaling;
  vantor::ChannelScaling volumeScaling;
  double flowToLitresPerSecond;
  double volumeToLitres;
  std::uint32_t recordingTime;         // seconds since 1904
  std::int16_t inspirationCount;
  std::int16_t expirationCount;
  double breathFrequency;              // Hz
  double ventilation;                  // L/s
  double tidalVolume;                  // L
  double fev1;                         // L
  double fvc;                          // L
  double peakInspiratoryFlow;          // L/s, positive
  double peakExpiratoryFlow;           // L/s, positive
  std::int32_t peakInspiratoryIndex;   // -1 = none
  std::int32_t peakExpiratoryIndex;
  std::int32_t forcedEndIndex;
  std::int32_t forcedStartIndex;
  Handle savedState;                   // last settings block built or loaded
  unsigned char subjectName[32];       // Str31
  std::int16_t subjectAge;
  std::int16_t subjectSex;
  std::int16_t subjectWeight;
  std::int16_t subjectHeight;
  std::int16_t subjectReserved;
  std::uint16_t copyFormat;
  double forcedFactor;
  std::uint16_t reportGraph;
  float flowThreshold;                 // raw flow magnitude counted as no flow
  double minRunSeconds;
  std::uint8_t commandsEnabled;
  std::int16_t axisFont;
  std::int16_t reportFont;
  std::int16_t outputWindowKind;
  std::uint8_t portraitPage;
  Rect outputRect;
};

// Defaults given at creation.
inline constexpr double kDefaultForcedFactor = 2.0;
inline constexpr float kDefaultFlowThreshold = static_cast<float>(0.01 * 0.9765625);

}  // namespace spirometry

}  // namespace spiro
