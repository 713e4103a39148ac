// The UI binary's one export, lv2ui_descriptor: the X11 editor embedded in the host's parent
// window, served from the host's idle calls. Requires ui:parent and ui:idleInterface; uses
// urid:map, ui:touch and ui:resize when offered.
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <cstring>
#include <new>

#include "editor/EditorHost.h"
#include "editor/FaceLabel.h"
#include "editor/WindowSize.h"
#include "lv2/Lv2Identity.h"
#include "lv2/UiLink.h"

namespace {

struct Lv2Ui {
  explicit Lv2Ui(const UiHost& host) : link(host) {}
  UiLink link;
  EditorWindow* editor = nullptr;
};

const void* feature(const LV2_Feature* const* features, const char* uri) {
  if (features == nullptr) return nullptr;
  for (const LV2_Feature* const* f = features; *f != nullptr; ++f)
    if ((*f)->URI != nullptr && std::strcmp((*f)->URI, uri) == 0) return (*f)->data;
  return nullptr;
}

bool hasFeature(const LV2_Feature* const* features, const char* uri) {
  if (features == nullptr) return false;
  for (const LV2_Feature* const* f = features; *f != nullptr; ++f)
    if ((*f)->URI != nullptr && std::strcmp((*f)->URI, uri) == 0) return true;
  return false;
}

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*,
                         LV2UI_Write_Function write, LV2UI_Controller controller,
                         LV2UI_Widget* widget, const LV2_Feature* const* features) {
  if (pluginUri == nullptr || std::strcmp(pluginUri, kLv2PluginUri) != 0) return nullptr;
  void* parent = const_cast<void*>(feature(features, LV2_UI__parent));
  if (parent == nullptr || !hasFeature(features, LV2_UI__idleInterface)) return nullptr;
  UiHost host;
  host.write = write;
  host.controller = controller;
  host.touch = static_cast<const LV2UI_Touch*>(feature(features, LV2_UI__touch));
  host.map = static_cast<const LV2_URID_Map*>(feature(features, LV2_URID__map));
  auto* ui = new (std::nothrow) Lv2Ui(host);
  if (ui == nullptr) return nullptr;
  setFaceLabel(kLv2FaceLabel);
  if (openEditor(ui->editor, ui->link, parent) == 0) {
    delete ui;
    return nullptr;
  }
  if (widget != nullptr) *widget = reinterpret_cast<LV2UI_Widget>(editorWindowHandle(ui->editor));
  if (const auto* resize = static_cast<const LV2UI_Resize*>(feature(features, LV2_UI__resize)))
    resize->ui_resize(resize->handle, kWindowWidth, kWindowHeight);
  ui->link.requestSkin();
  return ui;
}

void cleanup(LV2UI_Handle handle) {
  auto* ui = static_cast<Lv2Ui*>(handle);
  if (ui == nullptr) return;
  closeEditor(ui->editor);
  delete ui;
}

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format,
               const void* buffer) {
  if (handle != nullptr) static_cast<Lv2Ui*>(handle)->link.portEvent(port, size, format, buffer);
}

int idle(LV2UI_Handle handle) {
  auto* ui = static_cast<Lv2Ui*>(handle);
  if (ui == nullptr || ui->editor == nullptr) return 1;
  idleEditor(ui->editor);
  return 0;
}

const void* extensionData(const char* uri) {
  static const LV2UI_Idle_Interface idleInterface = {idle};
  if (uri != nullptr && std::strcmp(uri, LV2_UI__idleInterface) == 0) return &idleInterface;
  return nullptr;
}

const LV2UI_Descriptor kDescriptor = {kLv2UiUri, instantiate, cleanup, portEvent, extensionData};

}  // namespace

LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
  return index == 0 ? &kDescriptor : nullptr;
}
