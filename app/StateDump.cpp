#include "app/StateDump.h"

#include <cstdio>

#include "app/JsonWriter.h"
#include "cocos/audio/SimpleAudioEngine.h"
#include "cocos/services/store/UserDefault.h"
#include "cocos/services/SystemClipboard.h"
#include "engine/Evaluator.h"
#include "screens/MainLayer.h"
#include "screens/MemoryLayer.h"
#include "screens/MessageBox.h"
#include "screens/SettingsLayer.h"

using namespace cocos2d;

namespace {

template <typename T>
T* layerOf(Scene* scene) {
  if (!scene) return nullptr;
  for (Node* child : scene->getChildren()) {
    if (auto* layer = dynamic_cast<T*>(child)) return layer;
  }
  return nullptr;
}

void writeColor(JsonWriter& json, const Color3B& c) {
  json.beginArray().value(static_cast<int>(c.r)).value(static_cast<int>(c.g)).value(static_cast<int>(c.b)).endArray();
}

void writeCalculator(JsonWriter& json, const MainLayer* m) {
  if (!m) {
    json.null();
    return;
  }
  json.beginObject();
  json.key("expression").value(m->getExpression());
  json.key("cursorPos").value(m->getCursorPos());
  json.key("viewStart").value(m->getViewStart());
  json.key("exprLabel").value(m->getExprLabel()->getString());
  json.key("cursorX").value(static_cast<double>(m->getCursorBar()->getPositionX()));
  json.key("cursorVisible").value(m->getCursorBar()->isVisible());
  json.key("shifted").value(m->isShifted());
  const auto& page1 = m->getPage1Items();
  json.key("page").value(!page1.empty() && !page1.front()->isVisible() ? 2 : 1);
  json.key("historyPos").value(m->getHistoryPos());
  json.key("recalledText").value(m->getRecalledText());
  std::vector<std::string> history;
  for (const auto& entry : m->getHistory()) history.push_back(*entry);
  json.key("history").strings(history);
  std::vector<std::string> tape;
  for (int i = 0; i < MainLayer::kTapeLines; ++i) tape.push_back(m->getTapeLine(i)->getString());
  json.key("tape").strings(tape);
  const Vec2 offset = m->getTapeView()->getInnerContainerPosition();
  json.key("tapeOffset").numbers({offset.x, offset.y});
  json.key("shiftKeysDown").value(m->getShiftKeysDown());
  json.key("falling").value(static_cast<int>(m->getFallingGlyphs().size()));
  json.key("menuEnabled").value(m->getKeypadMenu() && m->getKeypadMenu()->isEnabled());
  json.key("infoBox").value(m->getInfoBox() != nullptr);
  json.key("background");
  if (m->getBackgroundSprite()) writeColor(json, m->getBackgroundSprite()->getColor());
  else json.null();
  json.key("undoDepth").value(static_cast<int>(m->getUndoDepth()));
  json.key("redoDepth").value(static_cast<int>(m->getRedoDepth()));
  json.key("announcement").value(m->getLastAnnouncement());
  json.endObject();
}

void writeMemory(JsonWriter& json, const MemoryLayer* memory) {
  if (!memory) {
    json.null();
    return;
  }
  json.beginObject();
  json.key("title").value(memory->getTitle());
  json.key("values").strings(memory->getValues());
  json.key("highlightRow").value(memory->getHighlightRow());
  json.endObject();
}

void writeSettings(JsonWriter& json, const SettingsLayer* settings) {
  if (!settings) {
    json.null();
    return;
  }
  json.beginObject();
  json.key("captions").strings(settings->getCaptions());
  json.key("swatch");
  if (settings->getSwatch()) writeColor(json, settings->getSwatch()->getColor());
  else json.null();
  json.key("swatches").value(settings->countSwatches());
  json.endObject();
}

void writeMessageBox(JsonWriter& json, const CMessageBox* box) {
  if (!box) {
    json.null();
    return;
  }
  json.beginObject();
  json.key("title").value(box->getTitleText());
  json.key("body").value(box->getBodyText());
  json.key("buttons").strings(box->getButtonCaptions());
  const Rect r = box->getBoxRect();
  json.key("box").numbers({r.origin.x, r.origin.y, r.size.width, r.size.height});
  json.endObject();
}

}  // namespace

std::string dumpState() {
  Scene* running = Director::getInstance()->getRunningScene();
  const bool inTransition = dynamic_cast<TransitionScene*>(running) != nullptr;
  MemoryLayer* memory = inTransition ? nullptr : layerOf<MemoryLayer>(running);
  SettingsLayer* settings = inTransition ? nullptr : layerOf<SettingsLayer>(running);

  JsonWriter json;
  json.beginObject();
  json.key("scene").value(inTransition ? "transition" : memory ? "memory" : settings ? "settings" : "calculator");
  json.key("calculator");
  writeCalculator(json, currentMainLayer);
  json.key("memory");
  writeMemory(json, memory);
  json.key("settings");
  writeSettings(json, settings);
  json.key("messageBox");
  writeMessageBox(json, currentMainLayer ? currentMainLayer->getInfoBox() : nullptr);
  char answer[40];
  std::snprintf(answer, sizeof answer, "%.17g", lastAnswer);
  json.key("lastAnswer").value(answer);
  json.key("sounds").value(CocosDenshion::SimpleAudioEngine::getInstance()->getPlayCount());
  std::string clipboard;
  getClipboardText(clipboard);
  json.key("clipboard").value(clipboard);
  json.key("urls").strings(Application::getInstance()->getOpenedURLs());
  json.key("store").beginObject();
  for (const auto& [k, v] : UserDefault::getInstance()->allEntries()) json.key(k).value(v);
  json.endObject();
  json.endObject();
  return json.text();
}
