// Writes the bundle's Turtle files from the parameter and program tables, so that names,
// ranges, units, defaults and preset values have one source:
//   brisalonde-lv2-bundle BUNDLE_DIR DSP_BINARY UI_BINARY
// manifest.ttl, Brisalonde.ttl and one file per factory program.
#include <cstdio>
#include <string>

#include "lv2/Lv2Identity.h"
#include "params/ParamRanges.h"
#include "params/ParamTable.h"
#include "params/Programs.h"
#include "params/SkinId.h"

namespace {

constexpr const char* kPrefixes =
    "@prefix atom: <http://lv2plug.in/ns/ext/atom#> .\n"
    "@prefix bufsz: <http://lv2plug.in/ns/ext/buf-size#> .\n"
    "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
    "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
    "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix midi: <http://lv2plug.in/ns/ext/midi#> .\n"
    "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
    "@prefix patch: <http://lv2plug.in/ns/ext/patch#> .\n"
    "@prefix pg: <http://lv2plug.in/ns/ext/port-groups#> .\n"
    "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
    "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
    "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
    "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
    "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n";

constexpr const char* kSkinNames[kNumSkins] = {"Original", "Vintage", "Silver"};

constexpr const char* kProgramComments[kNumPrograms] = {
    "The instrument as it leaves the factory: a bright square-led mix with a light sine.",
    "A soft, triangle-led reed that speaks slowly, with a touch of vibrato.",
    "One octave down, short release and a quick glide: a bass line voice.",
    "A sine-led tone with slow attack, vibrato and tremolo.",
    "A long glissando between notes, with gentle vibrato and tremolo.",
};

// A port value or default: the float of the exact plain value, written so that it reads
// back as that float.
std::string plainText(ParamId id, double normalized) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g",
                static_cast<double>(static_cast<float>(plainOfUnit(id, normalized))));
  return text;
}

std::string rangeText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

const char* unitOf(const ParamDesc& d) {
  const std::string unit = d.unit;
  if (unit == "%") return "units:pc";
  if (unit == "ms") return "units:ms";
  if (unit == "Hz") return "units:hz";
  if (unit == "cent") return "units:cent";
  if (unit == "oct") return "units:oct";
  if (unit == "dB") return "units:db";
  return nullptr;
}

std::string slugOf(const char* name) {
  std::string slug;
  for (const char* c = name; *c != '\0'; ++c)
    slug += *c == ' ' ? '-' : static_cast<char>(*c >= 'A' && *c <= 'Z' ? *c - 'A' + 'a' : *c);
  return slug;
}

std::string presetUri(int32_t program) {
  return std::string(kLv2PluginUri) + "#preset-" + slugOf(kProgramNames[program]);
}

std::string presetFile(int32_t program) {
  return "preset-" + slugOf(kProgramNames[program]) + ".ttl";
}

std::string controlPort(int32_t index) {
  const auto id = static_cast<ParamId>(index);
  const ParamDesc& d = kParamTable[index];
  std::string s = "[\n    a lv2:InputPort, lv2:ControlPort ;\n";
  s += "    lv2:index " + std::to_string(index) + " ;\n";
  s += std::string("    lv2:symbol \"") + kLv2PortSymbols[index] + "\" ;\n";
  s += std::string("    lv2:name \"") + d.name + "\" ;\n";
  s += "    lv2:default " + plainText(id, d.defaultValue) + " ;\n";
  s += "    lv2:minimum " + rangeText(d.minValue) + " ;\n";
  s += "    lv2:maximum " + rangeText(d.maxValue) + " ;\n";
  if (const char* unit = unitOf(d)) s += std::string("    units:unit ") + unit + " ;\n";
  if (id == kLegato) {
    s += "    lv2:portProperty lv2:toggled ;\n";
  } else if (d.steps != 0) {
    s += "    lv2:portProperty lv2:integer ;\n";
    for (int32_t k = 0; k <= d.steps; ++k) {
      const std::string v = rangeText(d.minValue + (d.maxValue - d.minValue) * k / d.steps);
      s += "    lv2:scalePoint [ rdfs:label \"" + v + "\" ; rdf:value " + v + " ] ;\n";
    }
  }
  s.resize(s.size() - 3);  // the last " ;\n"
  s += "\n  ]";
  return s;
}

std::string pluginDescription() {
  std::string s = kPrefixes;
  s += std::string("<") + kLv2AppearanceUri + ">\n    a lv2:Parameter ;\n" +
       "    rdfs:label \"Appearance\" ;\n    rdfs:range atom:Int ;\n" +
       "    lv2:default 0 ;\n    lv2:minimum 0 ;\n    lv2:maximum " + std::to_string(kNumSkins - 1);
  for (int32_t k = 0; k < kNumSkins; ++k)
    s += std::string(" ;\n    lv2:scalePoint [ rdfs:label \"") + kSkinNames[k] + "\" ; rdf:value " +
         std::to_string(k) + " ]";
  s += " .\n\n";
  s += std::string("<") + kLv2ProgramUri + ">\n    a rdf:Property ;\n" +
       "    rdfs:label \"Factory program\" ;\n" +
       "    rdfs:comment \"The factory program whose exact values a preset loads.\" ;\n" +
       "    rdfs:range atom:Int .\n\n";
  s += std::string("<") + kLv2StateRecordUri + ">\n    a rdf:Property ;\n" +
       "    rdfs:label \"State record\" ;\n" +
       "    rdfs:comment \"Program, exact normalized values and appearance.\" ;\n" +
       "    rdfs:range atom:Chunk .\n\n";
  s += std::string("<") + kLv2PluginUri + "#out>\n    a pg:StereoGroup, pg:OutputGroup ;\n" +
       "    lv2:symbol \"out\" ;\n    rdfs:label \"Output\" .\n\n";
  s += std::string("<") + kLv2PluginUri +
       ">\n    a lv2:Plugin, lv2:InstrumentPlugin, doap:Project ;\n";
  s += "    doap:name \"Brisalonde\" ;\n";
  s += "    doap:license <http://opensource.org/licenses/MIT> ;\n";
  s += "    doap:maintainer [ foaf:name \"Brisalonde DSP\" ] ;\n";
  s += "    lv2:minorVersion " + std::to_string(BRISALONDE_VERSION_MINOR) + " ;\n";
  s += "    lv2:microVersion " + std::to_string(BRISALONDE_VERSION_MICRO) + " ;\n";
  s += "    lv2:requiredFeature urid:map ;\n";
  s += "    lv2:optionalFeature lv2:hardRTCapable, opts:options, bufsz:boundedBlockLength ;\n";
  s += "    lv2:extensionData state:interface ;\n";
  s += std::string("    patch:writable <") + kLv2AppearanceUri + "> ;\n";
  s += std::string("    ui:ui <") + kLv2UiUri + "> ;\n";
  s += "    lv2:port ";
  for (int32_t i = 0; i < kNumParams; ++i)
    s += controlPort(i) + ", ";
  s += "[\n    a lv2:InputPort, atom:AtomPort ;\n    atom:bufferType atom:Sequence ;\n"
       "    atom:supports midi:MidiEvent, patch:Message ;\n"
       "    lv2:designation lv2:control ;\n"
       "    lv2:index " +
       std::to_string(kLv2EventsPort) +
       " ;\n    lv2:symbol \"events\" ;\n    lv2:name \"Events\"\n  ], ";
  const char* sides[2][3] = {{"out_left", "Left", "pg:left"}, {"out_right", "Right", "pg:right"}};
  for (int k = 0; k < 2; ++k)
    s += "[\n    a lv2:OutputPort, lv2:AudioPort ;\n    lv2:index " +
         std::to_string(kLv2LeftPort + k) + " ;\n    lv2:symbol \"" + sides[k][0] +
         "\" ;\n    lv2:name \"" + sides[k][1] + "\" ;\n    pg:group <" + kLv2PluginUri +
         "#out> ;\n    lv2:designation " + sides[k][2] + "\n  ], ";
  s += "[\n    a lv2:OutputPort, atom:AtomPort ;\n    atom:bufferType atom:Sequence ;\n"
       "    atom:supports patch:Message ;\n    lv2:index " +
       std::to_string(kLv2NotifyPort) +
       " ;\n    lv2:symbol \"notify\" ;\n    lv2:name \"Notify\"\n  ] .\n";
  return s;
}

std::string presetDescription(int32_t program) {
  double values[kNumParams];
  programValues(program, values);
  std::string s = kPrefixes;
  s += "<" + presetUri(program) + ">\n    a pset:Preset ;\n";
  s += std::string("    lv2:appliesTo <") + kLv2PluginUri + "> ;\n";
  s += std::string("    rdfs:label \"") + kProgramNames[program] + "\" ;\n";
  s += std::string("    rdfs:comment \"") + kProgramComments[program] + "\" ;\n";
  s += "    lv2:port ";
  for (int32_t i = 0; i < kNumParams; ++i) {
    s += std::string("[\n        lv2:symbol \"") + kLv2PortSymbols[i] + "\" ;\n" +
         "        pset:value " + plainText(static_cast<ParamId>(i), values[i]) + "\n    ]";
    s += i + 1 < kNumParams ? ", " : " ;\n";
  }
  s += std::string("    state:state [\n        <") + kLv2ProgramUri + "> " +
       std::to_string(program) + "\n    ] .\n";
  return s;
}

std::string manifest(const std::string& dspBinary, const std::string& uiBinary) {
  std::string s = kPrefixes;
  s += std::string("<") + kLv2PluginUri + ">\n    a lv2:Plugin, lv2:InstrumentPlugin ;\n" +
       "    lv2:binary <" + dspBinary + "> ;\n    rdfs:seeAlso <Brisalonde.ttl> .\n";
  s += std::string("\n<") + kLv2UiUri + ">\n    a ui:X11UI ;\n    ui:binary <" + uiBinary +
       "> ;\n    lv2:requiredFeature ui:parent, ui:idleInterface ;\n" +
       "    lv2:optionalFeature ui:touch, ui:resize, ui:noUserResize, urid:map ;\n" +
       "    lv2:extensionData ui:idleInterface ;\n" +
       "    ui:portNotification [\n        ui:plugin <" + kLv2PluginUri + "> ;\n" +
       "        lv2:symbol \"notify\" ;\n        ui:protocol atom:eventTransfer\n    ] .\n";
  for (int32_t k = 0; k < kNumPrograms; ++k)
    s += "\n<" + presetUri(k) + ">\n    a pset:Preset ;\n    lv2:appliesTo <" + kLv2PluginUri +
         "> ;\n    rdfs:seeAlso <" + presetFile(k) + "> .\n";
  return s;
}

bool writeFile(const std::string& path, const std::string& text) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: brisalonde-lv2-bundle BUNDLE_DIR DSP_BINARY UI_BINARY\n");
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  bool ok = writeFile(dir + "manifest.ttl", manifest(argv[2], argv[3]));
  ok = writeFile(dir + "Brisalonde.ttl", pluginDescription()) && ok;
  for (int32_t k = 0; k < kNumPrograms; ++k)
    ok = writeFile(dir + presetFile(k), presetDescription(k)) && ok;
  if (!ok) std::fprintf(stderr, "brisalonde-lv2-bundle: cannot write into %s\n", argv[1]);
  return ok ? 0 : 1;
}
