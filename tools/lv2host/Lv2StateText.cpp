// The check parses the text with serd, the parser under lilv, into nothing but a flag.
#include "tools/lv2host/Lv2StateText.h"

#include <serd/serd.h>

#include <cstring>

namespace {

constexpr const char* kRdfType = "http://www.w3.org/1999/02/22-rdf-syntax-ns#type";
constexpr const char* kPresetUri = "http://lv2plug.in/ns/ext/presets#Preset";
constexpr const char* kPresetName = "pset:Preset";  // as lilv writes it

bool nodeIs(const SerdNode* node, const char* text) {
  return node != nullptr && node->buf != nullptr && node->n_bytes == std::strlen(text) &&
         std::memcmp(node->buf, text, node->n_bytes) == 0;
}

SerdStatus noteStatement(void* handle, SerdStatementFlags, const SerdNode*, const SerdNode*,
                         const SerdNode* predicate, const SerdNode* object, const SerdNode*,
                         const SerdNode*) {
  if (nodeIs(predicate, kRdfType) && (nodeIs(object, kPresetName) || nodeIs(object, kPresetUri)))
    *static_cast<bool*>(handle) = true;
  return SERD_SUCCESS;
}

// Parse errors are the answer, not news for the log.
SerdStatus quiet(void*, const SerdError*) {
  return SERD_SUCCESS;
}

}  // namespace

bool isWholeStateText(const std::string& text) {
  if (text.empty() || text.find('\0') != std::string::npos) return false;
  bool preset = false;
  SerdReader* reader =
      serd_reader_new(SERD_TURTLE, &preset, nullptr, nullptr, nullptr, noteStatement, nullptr);
  serd_reader_set_error_sink(reader, quiet, nullptr);
  const SerdStatus status =
      serd_reader_read_string(reader, reinterpret_cast<const uint8_t*>(text.c_str()));
  serd_reader_free(reader);
  return status == SERD_SUCCESS && preset;
}
