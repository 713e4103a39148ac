// Face states from the snapshot's options.
#include "tools/facecompare/FaceState.h"

#include <cstdio>

#include "params/Programs.h"

FaceState defaultFaceState() {
  FaceState state;
  programValues(0, state.values);
  return state;
}

std::string applyStateOption(FaceState& state, const std::string& option,
                             const std::string& value) {
  if (option == "--appearance" || option == "--skin") {
    if (value == "original") {
      state.skin = 0;
    } else if (value == "vintage") {
      state.skin = 1;
    } else if (value == "silver") {
      state.skin = 2;
    } else {
      return "unknown appearance: use original, vintage or silver";
    }
  } else if (option == "--program") {
    int program = -1;
    if (std::sscanf(value.c_str(), "%d", &program) != 1 || !isValidProgram(program))
      return "program must be 0 to 4";
    programValues(program, state.values);
  } else if (option == "--set") {
    int id = -1;
    float setting = 0.0f;
    if (std::sscanf(value.c_str(), "%d=%f", &id, &setting) != 2 || !isValidParam(id))
      return "--set takes ID=VALUE with ID 0 to 15";
    // As the plug-in stores a host's single-precision value.
    state.values[id] = quantize(static_cast<double>(setting), kParamTable[id].steps);
  } else {
    return "unknown option " + option;
  }
  return {};
}
