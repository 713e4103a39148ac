// The URIs the DSP side reads and writes, mapped once at instantiation.
#pragma once

#include <lv2/urid/urid.h>

struct Lv2Uris {
  LV2_URID atomChunk;
  LV2_URID atomInt;
  LV2_URID atomObject;
  LV2_URID atomBlank;
  LV2_URID atomSequence;
  LV2_URID atomUrid;
  LV2_URID midiEvent;
  LV2_URID patchGet;
  LV2_URID patchSet;
  LV2_URID patchProperty;
  LV2_URID patchValue;
  LV2_URID appearance;
  LV2_URID stateRecord;
  LV2_URID program;
};

void mapUris(const LV2_URID_Map& map, Lv2Uris& out);
