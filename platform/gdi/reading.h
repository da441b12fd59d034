// What a window's texts give someone who reads them with a screen reader:
// the order they are read in, what changed since a reader last looked, and
// what is said aloud as the picture changes. Decided here, once, for every
// backend; a backend only hands it to its system's assistive technology.
#pragma once

#include <cstdint>

#include "platform/gdi/surface.h"

// --- Reading order ----------------------------------------------------------
//
// Lines that belong together form a block: a line joins the block of the
// line above it when it starts at that line's top plus its cell height
// (give or take a quarter of it) and shares its left edge, its right edge
// or its centre. So a panel, a caption with its figures, a table and the key
// instructions each read as one. Blocks are read whole, never interleaved:
// top to bottom by their first line, and blocks whose first lines stand at
// the same height left to right. Within a block, line after line.
struct Reading {
  const ShownText *texts[kMaxTexts];  // in reading order
  int block[kMaxTexts];               // each text's block, numbered 0, 1, ... in reading order
  int count = 0;
};
void ReadTexts(const Surface &, Reading &);

// --- What changed -----------------------------------------------------------

// Where a reader of the texts stands: the layer's change it last saw.
struct TextReader {
  std::uint64_t seen = 0;
  bool started = false;
};

// The texts as they stand now, each with what happened to it since the
// reader last asked, and the identities of those that went.
struct TextChanges {
  enum Kind : std::uint8_t { Kept, Came, Renamed };
  Reading now;
  Kind change[kMaxTexts];  // of now.texts[i]: Renamed, redrawn in place with other characters
  std::uint32_t went[2 * kMaxTexts];
  int wentCount = 0;
  // The reader had fallen too far behind to be told what went: everything
  // it knew went, and every text shown came.
  bool afresh = false;
};
// Fills `changes` and moves the reader on; false, touching nothing, when
// nothing changed since it last asked.
bool ReadTextChanges(const Surface &, TextReader &, TextChanges &);

// --- What is said -----------------------------------------------------------
//
// Each block whose texts a tick drew anew is said once, as one utterance:
// its new lines in reading order, a caption before its figures ("Standing
// Wave, Ratio = 2.27, Rho = 0.389", "Power dissipated = 11.002 dBm"). What a
// paint draws (the first picture, a resize, the picture after a dialog) is
// there to be read, never said. A line that only names a figure another
// line gives ("Z 1" beside "Z1 = ...") is not said.
//
// Utterances are paced for a listener at a speech synthesiser's usual rate:
// the next is given only once the one before is estimated said, a changed
// reading of a figure already said goes before lines that are new, and an
// utterance waits until its block has been still for a moment, so a caption
// and its figures drawn a tick apart are said together.
constexpr int kMaxUtteranceBytes = 4 * kMaxTextBytes;
struct Utterance {
  char chars[kMaxUtteranceBytes];  // UTF-8
  int length = 0;
};
// The next utterance due at `nowMs` (any steady clock, in milliseconds),
// if one is; false when none is.
bool TakeUtterance(Surface &, std::int64_t nowMs, Utterance &);
// The steady clock a driver gives TakeUtterance, in milliseconds.
std::int64_t SpeechClockMs();
// A driver's wait of `ms` milliseconds (-1: for input) cut to when more of
// the surface's may be due to be said.
int WaitCutForSpeech(const Surface &, int ms);
// How long an utterance takes to say at the usual rate, in milliseconds.
int SpeakingTimeMs(const char *chars, int length);
