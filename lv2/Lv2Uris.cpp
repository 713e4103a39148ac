// Mapping the URIs of the atoms, the patch messages and our own keys.
#include "lv2/Lv2Uris.h"

#include <lv2/atom/atom.h>
#include <lv2/midi/midi.h>
#include <lv2/patch/patch.h>

#include "lv2/Lv2Identity.h"

void mapUris(const LV2_URID_Map& map, Lv2Uris& out) {
  auto urid = [&map](const char* uri) { return map.map(map.handle, uri); };
  out.atomChunk = urid(LV2_ATOM__Chunk);
  out.atomInt = urid(LV2_ATOM__Int);
  out.atomObject = urid(LV2_ATOM__Object);
  out.atomBlank = urid(LV2_ATOM__Blank);
  out.atomSequence = urid(LV2_ATOM__Sequence);
  out.atomUrid = urid(LV2_ATOM__URID);
  out.midiEvent = urid(LV2_MIDI__MidiEvent);
  out.patchGet = urid(LV2_PATCH__Get);
  out.patchSet = urid(LV2_PATCH__Set);
  out.patchProperty = urid(LV2_PATCH__property);
  out.patchValue = urid(LV2_PATCH__value);
  out.appearance = urid(kLv2AppearanceUri);
  out.stateRecord = urid(kLv2StateRecordUri);
  out.program = urid(kLv2ProgramUri);
}
